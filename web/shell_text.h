// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace web {

// The text the page's shell last left for the rules (what a box returned, the hand as it stands),
// taken out of its keeping: a JavaScript string has no place in linear memory until it is copied.
[[nodiscard]] std::string takeShellText();

} // namespace web
