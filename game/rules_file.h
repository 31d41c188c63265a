// SPDX-License-Identifier: MIT
#pragma once

#include <optional>
#include <string>

namespace game {

// The rules file as it was read from disk for one run of the rules command.
struct RulesFile {
    std::string path;                 // where it was read, or its bare name when it was nowhere
    std::optional<std::string> bytes; // the whole contents, when the file could be read
    std::string failure;              // when it could not: what is wrong, in Russian
};

// Where the rules command reads its file, anew at every run.
class RulesSource {
public:
    virtual ~RulesSource() = default;
    [[nodiscard]] virtual RulesFile readRulesFile() = 0;
};

} // namespace game
