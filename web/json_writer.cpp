// SPDX-License-Identifier: MIT
#include "web/json_writer.h"

#include <array>
#include <cstdio>

namespace web {

JsonWriter& JsonWriter::string(std::string_view text) {
    out_ += '"';
    for (const char c : text) {
        switch (c) {
        case '"':
            out_ += "\\\"";
            break;
        case '\\':
            out_ += "\\\\";
            break;
        case '\n':
            out_ += "\\n";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                std::array<char, 7> escaped{};
                std::snprintf(escaped.data(), escaped.size(), "\\u%04x", c);
                out_ += escaped.data();
            } else {
                out_ += c; // UTF-8 passes as it is
            }
        }
    }
    out_ += '"';
    return *this;
}

} // namespace web
