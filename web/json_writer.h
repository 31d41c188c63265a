// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <string_view>

namespace web {

// Just enough JSON for the tables the page's shell reads: values are appended in order, and the
// caller writes the commas and brackets.
class JsonWriter {
public:
    JsonWriter& raw(std::string_view text) {
        out_ += text;
        return *this;
    }
    JsonWriter& string(std::string_view text);
    JsonWriter& number(long long value) { return raw(std::to_string(value)); }
    JsonWriter& boolean(bool value) { return raw(value ? "true" : "false"); }
    JsonWriter& key(std::string_view name) { return string(name).raw(":"); }

    [[nodiscard]] const std::string& text() const { return out_; }

private:
    std::string out_;
};

} // namespace web
