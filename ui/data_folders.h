// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <optional>
#include <vector>

namespace ui {

// The folder the running executable lies in, wherever it was started from; nothing when the
// system will not say.
[[nodiscard]] std::optional<std::filesystem::path> programFolder();

// Where the game looks for the files it ships (the cues, the rules, the icon), in order: the
// current directory first, so that a player can drop in their own, then the executable's folder
// (the build tree, a portable copy), then the installed data folder beside it. Folders that do
// not exist, and repeats, are left out.
[[nodiscard]] std::vector<std::filesystem::path> dataFolders();

} // namespace ui
