// SPDX-License-Identifier: MIT
#pragma once

#include "game/rules_file.h"

#include <filesystem>
#include <vector>

namespace ui {

// Looks for "help.vrn" in each folder in turn and reads the first one found, whole and
// undecoded. When it cannot be read, bytes is empty and failure says why, in Russian. The rules
// are a small text file: one over 1 MiB is not ours and is not loaded.
[[nodiscard]] game::RulesFile readRulesFile(const std::vector<std::filesystem::path>& folders);

} // namespace ui
