// SPDX-License-Identifier: MIT
#pragma once

#include "game/rules_file.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace ui {

// The rules are a small text file; anything larger is not ours and is not loaded.
inline constexpr std::uintmax_t kRulesFileLimit = 1024 * 1024;

// Looks for "help.vrn" in each folder in turn and reads the first one found, whole and
// undecoded. When it cannot be read, bytes is empty and failure says why, in Russian.
[[nodiscard]] game::RulesFile readRulesFile(const std::vector<std::filesystem::path>& folders);

} // namespace ui
