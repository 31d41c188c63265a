// SPDX-License-Identifier: MIT
#pragma once

#include "game/controls.h"

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The entries of the recording world's log, spelled once for every test:
//   cue deal.wav sync | cue deal.wav async | caption Label4 " 900" | phase ChoosingBet
//   text " туз пики" | focus Text1 | box OK "…" | box OK "…" title "…" | box YesNo "…" -> 6
//   input "…" -> "Вася" | input "…" title "…" -> Cancel | terminate
namespace kit {

using Log = std::vector<std::string>;

[[nodiscard]] std::string cue(std::string_view name); // a synchronous cue
[[nodiscard]] std::string asyncCue(std::string_view name);
[[nodiscard]] std::string caption(std::string_view label, std::string_view text);
// A money caption, written here apart from the game's own formatting.
[[nodiscard]] std::string money(std::string_view label, long amount);
[[nodiscard]] std::string phase(game::Phase phase);
[[nodiscard]] std::string hand(std::string_view text);
[[nodiscard]] std::string okBox(std::string_view prompt, std::string_view title = {});
[[nodiscard]] std::string yesNoBox(std::string_view prompt, int answer,
                                   std::string_view title = {});
// typed: nothing for Cancel.
[[nodiscard]] std::string input(std::string_view prompt, const std::optional<std::string>& typed,
                                std::string_view title = {});
inline const std::string kFocus = "focus Text1";
inline const std::string kTerminate = "terminate";

[[nodiscard]] Log join(std::initializer_list<Log> parts);

} // namespace kit
