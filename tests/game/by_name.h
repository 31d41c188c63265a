// SPDX-License-Identifier: MIT
#pragma once

#include <string>

namespace kit {

// Names a parameterized test by its case's `name`.
inline constexpr auto byName = [](const auto& info) { return std::string(info.param.name); };

} // namespace kit
