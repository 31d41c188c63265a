// SPDX-License-Identifier: MIT
#include "benchmarks/soak/soak_world.h"

#include <cctype>

namespace soak {
namespace {

// The amount a chance event names: the last number in its prompt ("… за 100", "… в 300").
std::int64_t lastNumberIn(std::string_view text) {
    std::size_t end = text.size();
    while (end > 0 && std::isdigit(static_cast<unsigned char>(text[end - 1])) == 0) {
        --end;
    }
    std::size_t begin = end;
    while (begin > 0 && std::isdigit(static_cast<unsigned char>(text[begin - 1])) != 0) {
        --begin;
    }
    return begin == end ? 0 : std::stoll(std::string(text.substr(begin, end - begin)));
}

constexpr int kYesInTen = 9;

} // namespace

void SoakWorld::setCaption(game::Control label, std::string_view text) {
    captions_[static_cast<std::size_t>(label)].assign(text);
}

void SoakWorld::setVisible(game::Control control, bool visible) {
    visible_[static_cast<std::size_t>(control)] = visible;
}

int SoakWorld::messageBox(std::string_view prompt, game::Buttons buttons, std::string_view) {
    if (buttons == game::Buttons::Ok) {
        // The chance events are the only boxes after these two cues; the loss or gain is
        // carried out because the box answers OK.
        if (lastCue_ == "4.wav") {
            events_.chanceDelta -= lastNumberIn(prompt);
        } else if (lastCue_ == "yes.wav") {
            events_.chanceDelta += lastNumberIn(prompt);
        }
        lastCue_.clear();
        return game::kResultOk;
    }
    const bool yes = std::uniform_int_distribution<int>(0, 9)(answers_) < kYesInTen;
    return yes ? game::kResultYes : game::kResultNo;
}

std::string SoakWorld::inputBox(std::string_view) {
    return "Игрок";
}

void SoakWorld::play(std::string_view name, game::CueMode) {
    lastCue_.assign(name);
    if (name == "kn.wav") {
        events_.newMatch = true;
    } else if (name == "2.wav") {
        events_.bankRefill = true;
    } else if (name == "ooh.wav" || name == "ye.wav" || name == "oba.wav") {
        ++events_.settledDeals;
    }
}

MoneyEvents SoakWorld::takeEvents() {
    MoneyEvents taken = events_;
    events_ = {};
    return taken;
}

} // namespace soak
