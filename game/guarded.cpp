// SPDX-License-Identifier: MIT
#include "game/guarded.h"

#include <cstdio>
#include <cstdlib>

namespace game {

void fatalOutOfRange(std::string_view field, std::int64_t value) {
    std::fprintf(stderr, "zuvik: fatal error: %.*s out of range (%lld)\n",
                 static_cast<int>(field.size()), field.data(), static_cast<long long>(value));
    std::abort();
}

} // namespace game
