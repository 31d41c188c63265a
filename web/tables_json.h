// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace web {

// The game's own tables as the page's shell reads them, in JSON: the controls (places, captions,
// tab order, spoken names, phases), the phases, the table's size, where the cards are drawn and
// the deck's ids of the 36 cards, the cues, the menus, the table's colours, the titles. The shell
// keeps no copy of any of them.
[[nodiscard]] std::string tablesJson();

} // namespace web
