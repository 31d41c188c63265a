// SPDX-License-Identifier: MIT
#include "game/rules_text.h"

#include <array>
#include <cstddef>
#include <optional>
#include <utility>

namespace game {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Windows-1251 bytes 0x80 to 0xFF. 0x98 is unassigned in the code page.
constexpr std::array<char16_t, 128> kCp1251High{
    // 0x80
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F, //
    // 0x90
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, //
    // 0xA0
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, //
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, //
    // 0xB0
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7, //
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, //
    // 0xC0: А to Я, then а to я, in alphabetical order without Ё and ё
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, //
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F, //
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, //
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F, //
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437, //
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, //
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447, //
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F  //
};

struct Decoded {
    char32_t codePoint;
    std::size_t length;
};

// The well-formed UTF-8 sequence at the start of bytes (non-empty), if there is one.
std::optional<Decoded> decodeUtf8(std::string_view bytes) {
    const auto byteAt = [bytes](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned lead = byteAt(0);
    if (lead < 0x80) {
        return Decoded{lead, 1};
    }
    std::size_t length = 0;
    char32_t codePoint = 0;
    // The range allowed for the second byte is what rules out overlong forms, surrogates and
    // code points past U+10FFFF; later bytes are always 0x80 to 0xBF.
    unsigned low = 0x80;
    unsigned high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1FU;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0FU;
        low = lead == 0xE0 ? 0xA0 : low;
        high = lead == 0xED ? 0x9F : high;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07U;
        low = lead == 0xF0 ? 0x90 : low;
        high = lead == 0xF4 ? 0x8F : high;
    } else {
        return std::nullopt;
    }
    if (bytes.size() < length) {
        return std::nullopt;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned next = byteAt(i);
        if (next < low || next > high) {
            return std::nullopt;
        }
        low = 0x80;
        high = 0xBF;
        codePoint = (codePoint << 6) | (next & 0x3FU);
    }
    return Decoded{codePoint, length};
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Builds the rules text one decoded character at a time: every line break becomes one LF,
// and a last line left open is closed.
class RulesTextBuilder {
public:
    explicit RulesTextBuilder(std::size_t expectedSize) { text_.reserve(expectedSize); }

    void add(char32_t c) {
        const bool secondHalfOfCrLf = afterCr_ && c == U'\n';
        afterCr_ = c == U'\r';
        if (secondHalfOfCrLf) {
            return;
        }
        if (c == U'\r' || c == U'\n') {
            text_ += '\n';
            lineOpen_ = false;
            return;
        }
        const bool control = c != U'\t' && (c < 0x20 || (c >= 0x7F && c <= 0x9F));
        appendUtf8(text_, control ? kReplacement : c);
        lineOpen_ = true;
    }

    [[nodiscard]] std::string finish() && {
        if (lineOpen_) {
            text_ += '\n';
        }
        return std::move(text_);
    }

private:
    std::string text_;
    bool afterCr_ = false;
    bool lineOpen_ = false;
};

} // namespace

bool isValidUtf8(std::string_view bytes) {
    while (!bytes.empty()) {
        const std::optional<Decoded> next = decodeUtf8(bytes);
        if (!next) {
            return false;
        }
        bytes.remove_prefix(next->length);
    }
    return true;
}

std::string rulesText(std::string_view bytes) {
    if (isValidUtf8(bytes)) {
        constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
        if (bytes.starts_with(kByteOrderMark)) {
            bytes.remove_prefix(kByteOrderMark.size());
        }
        RulesTextBuilder builder(bytes.size() + 1);
        while (!bytes.empty()) {
            const Decoded next = *decodeUtf8(bytes);
            builder.add(next.codePoint);
            bytes.remove_prefix(next.length);
        }
        return std::move(builder).finish();
    }
    // Cyrillic letters take two bytes in UTF-8.
    RulesTextBuilder builder(2 * bytes.size() + 1);
    for (const char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        builder.add(code < 0x80 ? char32_t{code} : char32_t{kCp1251High[code - 0x80]});
    }
    return std::move(builder).finish();
}

} // namespace game
