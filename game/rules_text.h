// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace game {

// The text the rules command shows for the whole contents of the rules file, in UTF-8.
//
// Bytes that are valid UTF-8 are read as UTF-8 (a leading byte-order mark is dropped); anything
// else is read as Windows-1251, the encoding the game ships its own file in. A line ends at CR,
// at CR LF, or at a lone LF (a copy edited on Linux); the text is every line followed by one LF,
// so a last line without a break gets one and an empty file gives the empty text. Control
// characters other than TAB become U+FFFD, so the text holds nothing but printable characters,
// TAB and LF. Linear in the size of the input.
[[nodiscard]] std::string rulesText(std::string_view bytes);

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
[[nodiscard]] bool isValidUtf8(std::string_view bytes);

} // namespace game
