// SPDX-License-Identifier: MIT
#pragma once

#include "game/cue_player.h"
#include "game/view.h"

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>

namespace soak {

// What one click did to the money besides moving it between the two sides and the table.
struct MoneyEvents {
    std::int64_t chanceDelta = 0; // the chance events' losses and gains, summed
    bool newMatch = false;        // a new match began: both sides are back at 1000
    bool bankRefill = false;      // the computer's bank was refilled
    int settledDeals = 0;
};

// The window and the cue player in one, keeping the window's state and what the last click
// did to the money. Boxes: OK answers OK; a Yes/No question gets a random answer, mostly Yes,
// so matches run long but now and then the player leaves.
class SoakWorld final : public game::View, public game::CuePlayer {
public:
    explicit SoakWorld(std::uint64_t seed) : answers_(seed) {}

    void setCaption(game::Control label, std::string_view text) override;
    void setVisible(game::Control control, bool visible) override;
    [[nodiscard]] std::string handText() const override { return hand_; }
    void setHandText(std::string_view text) override { hand_.assign(text); }
    void focusHand() override {}
    int messageBox(std::string_view prompt, game::Buttons buttons, std::string_view title) override;
    std::string inputBox(std::string_view prompt) override;
    game::RulesFile readRulesFile() override {
        return {"help.vrn", std::string("Правила\r\nигры\r\n"), {}};
    }
    void terminate() override { terminated_ = true; }
    void play(std::string_view name, game::CueMode mode) override;

    [[nodiscard]] bool isVisible(game::Control control) const {
        return visible_[static_cast<std::size_t>(control)];
    }
    [[nodiscard]] const std::string& caption(game::Control label) const {
        return captions_[static_cast<std::size_t>(label)];
    }
    [[nodiscard]] const std::string& hand() const { return hand_; }
    [[nodiscard]] bool terminated() const { return terminated_; }

    // The events since the last call, which are then forgotten.
    MoneyEvents takeEvents();

private:
    std::mt19937_64 answers_;
    std::array<bool, 18> visible_{};
    std::array<std::string, 18> captions_{};
    std::string hand_;
    std::string lastCue_;
    MoneyEvents events_;
    bool terminated_ = false;
};

} // namespace soak
