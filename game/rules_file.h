// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>

namespace game {

// The rules file as the window read it from disk for one run of the rules command.
struct RulesFile {
    std::string path;                 // where it was read, or its bare name when it was nowhere
    std::optional<std::string> bytes; // the whole contents, when the file could be read
    std::string failure;              // when it could not: what is wrong, in Russian
};

} // namespace game
