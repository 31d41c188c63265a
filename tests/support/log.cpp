// SPDX-License-Identifier: MIT
#include "log.h"

namespace kit {
namespace {

std::string quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

std::string titled(std::string_view title) {
    return title.empty() ? std::string() : " title " + quoted(title);
}

} // namespace

std::string cue(std::string_view name) {
    return "cue " + std::string(name) + " sync";
}

std::string asyncCue(std::string_view name) {
    return "cue " + std::string(name) + " async";
}

std::string caption(std::string_view label, std::string_view text) {
    return "caption " + std::string(label) + " " + quoted(text);
}

std::string money(std::string_view label, long amount) {
    return caption(label, (amount < 0 ? "" : " ") + std::to_string(amount));
}

std::string phase(game::Phase phase) {
    return "phase " + std::string(game::phaseName(phase));
}

std::string hand(std::string_view text) {
    return "text " + quoted(text);
}

std::string okBox(std::string_view prompt, std::string_view title) {
    return "box OK " + quoted(prompt) + titled(title);
}

std::string yesNoBox(std::string_view prompt, int answer, std::string_view title) {
    return "box YesNo " + quoted(prompt) + titled(title) + " -> " + std::to_string(answer);
}

std::string input(std::string_view prompt, const std::optional<std::string>& typed,
                  std::string_view title) {
    return "input " + quoted(prompt) + titled(title) + " -> " + (typed ? quoted(*typed) : "Cancel");
}

Log join(std::initializer_list<Log> parts) {
    Log joined;
    for (const Log& part : parts) {
        joined.insert(joined.end(), part.begin(), part.end());
    }
    return joined;
}

} // namespace kit
