// SPDX-License-Identifier: MIT
#pragma once

#include "game/cue_player.h"
#include "game/rules_file.h"
#include "game/view.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace bench {

// A window and a sound player that cost nothing: every box is answered OK or Yes, so a match
// never ends, and only what the driving loop needs (the phase, the hand, settled deals) is kept.
class NullWorld final : public game::View, public game::CuePlayer, public game::RulesSource {
public:
    void setCaption(game::Control, std::string_view) override {}
    void showPhase(game::Phase phase) override { phase_ = phase; }
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
    void play(game::Cue cue, game::CueMode) override {
        if (cue == game::Cue::Ooh || cue == game::Cue::Ye || cue == game::Cue::Oba) {
            ++settledDeals_;
        }
    }

    [[nodiscard]] bool isVisible(game::Control control) const {
        return game::isShownIn(control, phase_);
    }
    [[nodiscard]] std::uint64_t settledDeals() const { return settledDeals_; }

private:
    game::Phase phase_ = game::kPhaseAtCreation;
    std::string hand_;
    std::uint64_t settledDeals_ = 0;
};

} // namespace bench
