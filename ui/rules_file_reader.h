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

// The rules file the game shows: help.vrn from the first of the data folders (see
// dataFolders()) that holds one, looked for anew at every read.
class DataFolderRules final : public game::RulesSource {
public:
    [[nodiscard]] game::RulesFile readRulesFile() override;
};

} // namespace ui
