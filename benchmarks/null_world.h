// SPDX-License-Identifier: MIT
#pragma once

#include "game/cue_player.h"
#include "game/random_source.h"
#include "game/view.h"

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>

namespace bench {

// A window and a sound player that cost nothing: every box is answered OK or Yes, so a match
// never ends, and only what the driving loop needs (visibility, the hand, settled deals) is kept.
class NullWorld final : public game::View, public game::CuePlayer {
public:
    void setCaption(game::Control, std::string_view) override {}
    void setVisible(game::Control control, bool visible) override {
        visible_[static_cast<std::size_t>(control)] = visible;
    }
    [[nodiscard]] std::string handText() const override { return hand_; }
    void setHandText(std::string_view text) override { hand_.assign(text); }
    void focusHand() override {}
    int messageBox(std::string_view, game::Buttons buttons, std::string_view) override {
        return buttons == game::Buttons::Ok ? game::kResultOk : game::kResultYes;
    }
    std::string inputBox(std::string_view) override { return "Тест"; }
    game::RulesFile readRulesFile() override {
        return {"help.vrn", std::string("Правила\r\nигры\r\n"), {}};
    }
    void terminate() override {}
    // Every settled deal, and nothing else, plays one of the three outcome cues.
    void play(std::string_view name, game::CueMode) override {
        if (name == "ooh.wav" || name == "ye.wav" || name == "oba.wav") {
            ++settledDeals_;
        }
    }

    [[nodiscard]] bool isVisible(game::Control control) const {
        return visible_[static_cast<std::size_t>(control)];
    }
    [[nodiscard]] std::uint64_t settledDeals() const { return settledDeals_; }

private:
    std::array<bool, 18> visible_{};
    std::string hand_;
    std::uint64_t settledDeals_ = 0;
};

// The game's own draw from a fixed seed, without the entropy read of a real reseed, so a
// measurement of the rules is not a measurement of /dev/urandom.
class FastRandom final : public game::RandomSource {
public:
    explicit FastRandom(std::uint64_t seed) : engine_(seed) {}
    void reseed() override {}
    [[nodiscard]] double nextFraction() override {
        return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
    }

private:
    std::mt19937_64 engine_;
};

} // namespace bench
