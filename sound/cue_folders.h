// SPDX-License-Identifier: MIT
#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

namespace sound {

// Where the game looks for its cues, in order: the current directory first, so a player can drop
// in replacement sounds, then the executable's own folder (the build tree and a portable copy),
// then the installed data folder beside it. Folders that do not exist, and repeats, are left out.
[[nodiscard]] std::vector<std::filesystem::path> defaultCueFolders();

// A cue is named by a bare file name. Anything that could reach outside the cue folders
// (a separator, "..", an empty name, an embedded NUL) is not a cue name.
[[nodiscard]] bool isBareCueName(std::string_view name);

} // namespace sound
