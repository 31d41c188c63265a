// SPDX-License-Identifier: MIT
#include "recording_world.h"

#include "deck.h"

#include <stdexcept>
#include <utility>

namespace kit {

void RecordingWorld::setCaption(game::Control label, std::string_view text) {
    captions[label] = std::string(text);
    log.push_back(caption(game::rowOf(label).name, text));
}

void RecordingWorld::showPhase(game::Phase shown) {
    phase = shown;
    log.push_back(kit::phase(shown));
}

void RecordingWorld::setHandText(std::string_view text) {
    hand = std::string(text);
    log.push_back(kit::hand(text));
}

void RecordingWorld::focusHand() {
    log.push_back(kFocus);
}

int RecordingWorld::messageBox(std::string_view prompt, game::Buttons buttons,
                               std::string_view title) {
    if (buttons == game::Buttons::Ok) {
        log.push_back(okBox(prompt, title));
        return game::kResultOk;
    }
    const int answer = answerYesNo(prompt);
    log.push_back(yesNoBox(prompt, answer, title));
    return answer;
}

int RecordingWorld::answerYesNo(std::string_view prompt) {
    if (yesNoAnswers.empty()) {
        ranOut("no answer for the box \"" + std::string(prompt) + "\"");
        return game::kResultNo;
    }
    const int answer = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return answer;
}

std::string RecordingWorld::inputBox(std::string_view prompt) {
    return inputBox(prompt, {}).value_or(std::string());
}

std::optional<std::string> RecordingWorld::inputBox(std::string_view prompt,
                                                    std::string_view title) {
    std::optional<std::string> answer;
    if (typed.empty()) {
        ranOut("no answer for the input box \"" + std::string(prompt) + "\"");
    } else {
        answer = typed.front();
        typed.pop_front();
    }
    log.push_back(input(prompt, answer, title));
    return answer;
}

void RecordingWorld::terminate() {
    log.push_back(kTerminate);
}

void RecordingWorld::play(game::Cue played, game::CueMode mode) {
    const std::string_view file = game::cueFile(played);
    log.push_back(mode == game::CueMode::Sync ? cue(file) : asyncCue(file));
}

double RecordingWorld::nextFraction() {
    if (fractions.empty()) {
        ranOut("the random script ran out");
        return fractionFor(1 + overdrawn_++ % game::kDeckSize, 35.0, 1.0);
    }
    const double next = fractions.front();
    fractions.pop_front();
    return next;
}

void RecordingWorld::stackShuffle(const std::vector<std::string>& firstCards) {
    const std::vector<double> stacked = shuffleFractions(firstCards);
    fractions.insert(fractions.end(), stacked.begin(), stacked.end());
}

void RecordingWorld::scriptEventRoll(int roll) {
    fractions.push_back(fractionFor(roll, 20.0, 0.0));
}

void RecordingWorld::scriptBetIndex(int index) {
    fractions.push_back(fractionFor(index, 3.0, 1.0));
}

Log RecordingWorld::takeLog() {
    return std::exchange(log, {});
}

void RecordingWorld::ranOut(const std::string& what) {
    throw std::logic_error(what);
}

} // namespace kit
