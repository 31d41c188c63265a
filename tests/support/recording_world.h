// SPDX-License-Identifier: MIT
#pragma once

#include "game/cue_player.h"
#include "game/random_source.h"
#include "game/rules_file.h"
#include "game/view.h"
#include "log.h"

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kit {

// The rules' window, cue player, random source and rules file in one object, so that cues,
// boxes, captions and phases land in one ordered log (spelled as log.h spells it) and the window
// is kept as the calls left it. An OK box answers OK; Yes/No boxes, input boxes and random draws
// take their answers from the scripts, in order. Reseeds are counted, not logged.
class RecordingWorld : public game::View,
                       public game::CuePlayer,
                       public game::RandomSource,
                       public game::RulesSource {
public:
    void setCaption(game::Control label, std::string_view text) override;
    void showPhase(game::Phase shown) override;
    [[nodiscard]] std::string handText() const override { return hand; }
    void setHandText(std::string_view text) override;
    void focusHand() override;
    int messageBox(std::string_view prompt, game::Buttons buttons, std::string_view title) override;
    std::string inputBox(std::string_view prompt) override;
    game::RulesFile readRulesFile() override { return rulesFile; }
    void terminate() override;
    void play(game::Cue cue, game::CueMode mode) override;
    void reseed() override { ++reseeds; }
    [[nodiscard]] double nextFraction() override;

    // An input box with a title, as the window shows one; nothing on Cancel.
    std::optional<std::string> inputBox(std::string_view prompt, std::string_view title);

    // The next shuffle puts these cards first (see shuffleFractions()).
    void stackShuffle(const std::vector<std::string>& firstCards);
    void scriptEventRoll(int roll); // a roll of the chance events, 0 to 20
    void scriptBetIndex(int index); // the computer's bet, 1 to 4 for 25 to 200

    // The log since the last call, which is then forgotten.
    Log takeLog();
    // Whether the window offers the control now.
    [[nodiscard]] bool isShown(game::Control control) const {
        return game::isShownIn(control, phase);
    }

    Log log;
    std::deque<int> yesNoAnswers;
    std::deque<std::optional<std::string>> typed; // into the input boxes; nothing is Cancel
    std::deque<double> fractions;
    game::RulesFile rulesFile;
    int reseeds = 0;

    std::map<game::Control, std::string> captions;
    game::Phase phase = game::kPhaseAtCreation;
    std::string hand;

protected:
    // The rules asked for more than a script holds. Throws std::logic_error, which fails the test
    // and keeps a shuffle from drawing a taken position for ever; a program whose test framework
    // must not see an exception reports it its own way, and the world goes on with a No, a
    // cancelled input box, or every deck position in turn.
    virtual void ranOut(const std::string& what);
    // The answer to a Yes/No box: the next of the script.
    virtual int answerYesNo(std::string_view prompt);

private:
    int overdrawn_ = 0;
};

} // namespace kit
