// SPDX-License-Identifier: MIT
#include "fake_world.h"

#include "game/cards.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace test {

using game::controlName;

void FakeWorld::setCaption(game::Control label, std::string_view text) {
    captions[label] = std::string(text);
    log.push_back("caption " + std::string(controlName(label)) + " \"" + std::string(text) + "\"");
}

void FakeWorld::setVisible(game::Control control, bool isVisible) {
    visible[control] = isVisible;
    log.push_back((isVisible ? "show " : "hide ") + std::string(controlName(control)));
}

void FakeWorld::setHandText(std::string_view text) {
    hand = std::string(text);
    log.push_back("text \"" + hand + "\"");
}

void FakeWorld::focusHand() {
    log.emplace_back("focus Text1");
}

int FakeWorld::messageBox(std::string_view prompt, game::Buttons buttons, std::string_view title) {
    std::string entry = buttons == game::Buttons::Ok ? "box OK \"" : "box YesNo \"";
    entry += std::string(prompt) + "\"";
    if (!title.empty()) {
        entry += " title \"" + std::string(title) + "\"";
    }
    int result = game::kResultOk;
    if (buttons == game::Buttons::YesNo) {
        if (yesNoAnswers.empty()) {
            ADD_FAILURE() << "no scripted answer for " << entry;
            result = game::kResultNo;
        } else {
            result = yesNoAnswers.front();
            yesNoAnswers.pop_front();
        }
        entry += " -> " + std::to_string(result);
    }
    log.push_back(entry);
    return result;
}

std::string FakeWorld::inputBox(std::string_view prompt) {
    std::string typed;
    if (inputAnswers.empty()) {
        ADD_FAILURE() << "no scripted answer for the input box \"" << prompt << "\"";
    } else {
        typed = inputAnswers.front();
        inputAnswers.pop_front();
    }
    log.push_back("input \"" + std::string(prompt) + "\" -> \"" + typed + "\"");
    return typed;
}

void FakeWorld::terminate() {
    log.emplace_back("terminate");
}

void FakeWorld::play(std::string_view name, game::CueMode mode) {
    log.push_back("cue " + std::string(name) + (mode == game::CueMode::Sync ? " sync" : " async"));
}

std::vector<std::string> FakeWorld::takeLog() {
    std::vector<std::string> taken;
    taken.swap(log);
    return taken;
}

double ScriptedRandom::nextFraction() {
    if (fractions.empty()) {
        ADD_FAILURE() << "the random script ran out";
        return 0.0;
    }
    const double next = fractions.front();
    fractions.pop_front();
    return next;
}

double fractionFor(int wanted, double scale, double offset) {
    return (wanted - offset) / scale;
}

std::vector<double> shuffleFractions(const std::vector<std::string>& firstCards) {
    const game::CardNames order = game::makeDeckOrder();
    std::vector<std::string> wanted = firstCards;
    for (const std::string& name : order) {
        if (std::find(wanted.begin(), wanted.end(), name) == wanted.end()) {
            wanted.push_back(name);
        }
    }
    std::vector<double> fractions;
    for (const std::string& name : wanted) {
        const auto at = std::find(order.begin(), order.end(), name);
        EXPECT_NE(at, order.end()) << "no card named \"" << name << "\"";
        const int position = static_cast<int>(at - order.begin()) + 1;
        fractions.push_back(fractionFor(position, 35.0, 1.0));
    }
    return fractions;
}

} // namespace test
