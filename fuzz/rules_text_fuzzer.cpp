// SPDX-License-Identifier: MIT
// libFuzzer target for the rules text: any bytes a player's help.vrn may hold.
#include "game/rules_text.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

void require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "rules text broke its promise: %s\n", what);
        std::abort();
    }
}

// Lines counted on the raw bytes, which CR and LF mean the same in both encodings.
std::size_t lineCount(std::string_view bytes) {
    std::size_t lines = 0;
    bool open = false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' || bytes[i] == '\n') {
            ++lines;
            open = false;
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
                ++i;
            }
        } else {
            open = true;
        }
    }
    return lines + (open ? 1 : 0);
}

bool hasControl(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        const bool c0 = byte < 0x20 && byte != '\t' && byte != '\n';
        const bool c1 = byte == 0xC2 && i + 1 < text.size() &&
                        static_cast<unsigned char>(text[i + 1]) >= 0x80 &&
                        static_cast<unsigned char>(text[i + 1]) <= 0x9F;
        if (c0 || byte == 0x7F || c1) {
            return true;
        }
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string text = game::rulesText(bytes);

    require(game::isValidUtf8(text), "the text is valid UTF-8");
    require(!hasControl(text), "no control character but TAB and LF");
    require(text.empty() || text.back() == '\n', "the text ends with LF");
    require(text.size() <= 3 * size + 1, "at most three bytes per byte read, and the last LF");

    std::string_view body = bytes;
    if (game::isValidUtf8(body) && body.starts_with(kByteOrderMark)) {
        body.remove_prefix(kByteOrderMark.size());
    }
    std::size_t lineFeeds = 0;
    for (const char c : text) {
        lineFeeds += c == '\n' ? 1 : 0;
    }
    require(lineFeeds == lineCount(body), "one LF per line of the file");

    // What comes out is itself a well-formed rules text.
    if (!text.starts_with(kByteOrderMark)) {
        require(game::rulesText(text) == text, "reading the text again changes nothing");
    }
    return 0;
}
