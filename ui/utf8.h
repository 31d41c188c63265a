// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <string_view>

namespace ui {

// The rules' texts cross into the window as UTF-8 views, which need not end in a null.
[[nodiscard]] inline QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace ui
