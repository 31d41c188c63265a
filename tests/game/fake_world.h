// SPDX-License-Identifier: MIT
#pragma once

#include "game/cue_player.h"
#include "game/random_source.h"
#include "game/table_state.h"
#include "game/view.h"

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

namespace test {

// One object plays both the window and the cue player, so that cues, boxes, captions and
// visibility land in one ordered log:
//   cue deal.wav sync | caption Label4 " 900" | show Command5 | hide Text1 | text " туз пики"
//   focus Text1 | box OK "…" | box YesNo "…" -> 6 | box OK "…" title "…" | input "…" -> "Вася"
//   terminate
// Yes/No boxes and input boxes take their answers from the scripts, in order; an exhausted
// script fails the test. OK boxes answer 1 (OK).
class FakeWorld : public game::View, public game::CuePlayer {
public:
    void setCaption(game::Control label, std::string_view text) override;
    void setVisible(game::Control control, bool visible) override;
    [[nodiscard]] std::string handText() const override { return hand; }
    void setHandText(std::string_view text) override;
    void focusHand() override;
    int messageBox(std::string_view prompt, game::Buttons buttons, std::string_view title) override;
    std::string inputBox(std::string_view prompt) override;
    game::RulesFile readRulesFile() override { return rulesFile; }
    void terminate() override;
    void play(std::string_view name, game::CueMode mode) override;

    // The entries logged since the last call, which are then forgotten.
    std::vector<std::string> takeLog();

    std::vector<std::string> log;
    std::deque<int> yesNoAnswers;
    std::deque<std::string> inputAnswers;
    game::RulesFile rulesFile; // what the rules command reads

    // The window owns the table state the rules work on; a test sets up a position in it.
    game::TableState table;

    // The window as the calls left it.
    std::map<game::Control, std::string> captions;
    std::map<game::Control, bool> visible;
    std::string hand;
};

// Hands out scripted fractions; counts reseeds. An exhausted script fails the test.
class ScriptedRandom : public game::RandomSource {
public:
    void reseed() override { ++reseeds; }
    [[nodiscard]] double nextFraction() override;

    std::deque<double> fractions;
    int reseeds = 0;
};

// Fractions that make the shuffle put the named cards first, in that order, and the rest of
// the deck after them in the fixed order.
std::vector<double> shuffleFractions(const std::vector<std::string>& firstCards);
// The fraction that makes a draw of u * scale + offset land on the whole number wanted.
double fractionFor(int wanted, double scale, double offset);

} // namespace test
