// SPDX-License-Identifier: MIT
#pragma once

#include "game/rules_file.h"

namespace web {

// The rules file fetched anew from the page's folder at every run of the rules command; the
// rules decode and show it as on the desktop.
class FetchedRules final : public game::RulesSource {
public:
    [[nodiscard]] game::RulesFile readRulesFile() override;
};

} // namespace web
