// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

namespace game {

// The main window's caption, on the desktop and as the web page's title.
inline constexpr std::string_view kWindowTitle = "Игра \"Зувик\"";
// What the boxes without a title of their own show in their caption bar.
inline constexpr std::string_view kApplicationTitle = "Зувик";

} // namespace game
