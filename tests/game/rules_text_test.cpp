// SPDX-License-Identifier: MIT
#include "by_name.h"
#include "game/rules_text.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

using game::isValidUtf8;
using game::rulesText;

constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD

struct TextCase {
    const char* name;
    std::string bytes;
    std::string text;
};

// Every line followed by one LF, whatever ended it in the file (Files); whatever the file holds,
// the text is printable characters, TAB and LF only (Characters).
class RulesFileText : public ::testing::TestWithParam<TextCase> {};

TEST_P(RulesFileText, EndsEveryLineWithOneLineFeedAndHoldsOnlyPrintableCharacters) {
    EXPECT_EQ(rulesText(GetParam().bytes), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Files, RulesFileText,
    ::testing::Values(TextCase{"empty_file", "", ""}, //
                      TextCase{"one_line_without_break", "Правила", "Правила\n"},
                      TextCase{"last_line_without_break", "Раз\r\nДва", "Раз\nДва\n"},
                      TextCase{"last_line_with_break", "Раз\r\nДва\r\n", "Раз\nДва\n"},
                      TextCase{"cr_lf", "a\r\nb\r\nc\r\n", "a\nb\nc\n"},
                      TextCase{"cr_only", "a\rb\rc\r", "a\nb\nc\n"},
                      TextCase{"lf_only", "a\nb\nc\n", "a\nb\nc\n"},
                      TextCase{"mixed_breaks", "a\rb\nc\r\nd", "a\nb\nc\nd\n"},
                      TextCase{"blank_lines", "a\r\n\r\n\r\nb\r\n", "a\n\n\nb\n"},
                      TextCase{"only_a_break", "\r\n", "\n"}, //
                      TextCase{"two_crs_are_two_lines", "\r\r", "\n\n"},
                      TextCase{"lf_then_cr_are_two_lines", "\n\r", "\n\n"},
                      TextCase{"cr_lf_then_lf", "a\r\n\nb", "a\n\nb\n"},
                      TextCase{"blanks_and_tabs_kept", "  x\t y  \r\n\t\r\n", "  x\t y  \n\t\n"},
                      TextCase{"markup_is_just_text", "<b>жирный</b> &amp; <a href=x>",
                               "<b>жирный</b> &amp; <a href=x>\n"}),
    kit::byName);

// "Правила игры «Зувик»", "Туз — 11 очков, №1: Ёжик ёлка", each ended by CR LF.
const std::string kCp1251Sample = "\xCF\xF0\xE0\xE2\xE8\xEB\xE0 \xE8\xE3\xF0\xFB "
                                  "\xAB\xC7\xF3\xE2\xE8\xEA\xBB\r\n"
                                  "\xD2\xF3\xE7 \x97 11 \xEE\xF7\xEA\xEE\xE2, \xB9"
                                  "1: \xA8\xE6\xE8\xEA \xB8\xEB\xEA\xE0\r\n";
const std::string kUtf8Sample = "Правила игры «Зувик»\r\nТуз — 11 очков, №1: Ёжик ёлка\r\n";
const std::string kSampleText = "Правила игры «Зувик»\nТуз — 11 очков, №1: Ёжик ёлка\n";

TEST(RulesEncoding, Windows1251AndUtf8CopiesOfTheSameTextReadTheSame) {
    ASSERT_FALSE(isValidUtf8(kCp1251Sample));
    ASSERT_TRUE(isValidUtf8(kUtf8Sample));
    EXPECT_EQ(rulesText(kCp1251Sample), kSampleText);
    EXPECT_EQ(rulesText(kUtf8Sample), kSampleText);
}

TEST(RulesEncoding, AUtf8ByteOrderMarkIsDropped) {
    EXPECT_EQ(rulesText("\xEF\xBB\xBF" + kUtf8Sample), kSampleText);
    EXPECT_EQ(rulesText("\xEF\xBB\xBF"), "");
    // Only at the very start: elsewhere it is a character of the text.
    EXPECT_EQ(rulesText("a\xEF\xBB\xBF"), "a\xEF\xBB\xBF\n");
}

// One stray byte makes the whole file Windows-1251: the rule is per file, not per line.
TEST(RulesEncoding, AnyInvalidSequenceMakesTheWholeFileWindows1251) {
    EXPECT_EQ(rulesText("Да\r\n\xC4\xE0"), "Р”Р°\nДа\n");
}

// The bytes of 0x80 and up where the code page differs from its neighbours; each alone is not
// UTF-8, so one of them makes its file Windows-1251.
TEST(RulesEncoding, Windows1251BytesDecodeToTheirCharacters) {
    EXPECT_EQ(rulesText("\x80\x82\x85\x88\x8F\x96\x97\x98\x99\x9F\xA0\xA5\xA8\xAB"),
              "Ђ‚…€Џ–—" + std::string(kReplacement) + "™џ\u00A0ҐЁ«\n");
    EXPECT_EQ(rulesText("\xAD\xB2\xB4\xB8\xB9\xBB\xBF\xC0\xC5\xDF\xE0\xE5\xFF"),
              "\u00ADІґё№»їАЕЯаея\n");
}

TEST(RulesEncoding, EveryAssignedWindows1251ByteIsADistinctCharacter) {
    std::set<std::string> seen;
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        const std::string text = rulesText(std::string(1, static_cast<char>(byte)));
        ASSERT_TRUE(isValidUtf8(text)) << byte;
        if (byte != 0x98) {
            EXPECT_NE(text, std::string(kReplacement) + "\n") << byte;
        }
        seen.insert(text);
    }
    EXPECT_EQ(seen.size(), 128U);
}

TEST(RulesEncoding, TheWholeAlphabetComesOutInOrder) {
    std::string bytes;
    for (int byte = 0xC0; byte <= 0xFF; ++byte) {
        bytes += static_cast<char>(byte);
    }
    EXPECT_EQ(rulesText(bytes),
              "АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдежзийклмнопрстуфхцчшщъыьэюя\n");
}

struct Utf8Case {
    const char* name;
    std::string bytes;
    bool valid;
};

class Utf8Validity : public ::testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8Validity, IsStrict) {
    EXPECT_EQ(isValidUtf8(GetParam().bytes), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, Utf8Validity,
    ::testing::Values(
        Utf8Case{"empty", "", true}, Utf8Case{"ascii", "abc\r\n", true},
        Utf8Case{"cyrillic", "Ёж", true}, Utf8Case{"three_bytes", "€", true},
        Utf8Case{"four_bytes", "🃏", true}, Utf8Case{"highest", "\xF4\x8F\xBF\xBF", true},
        Utf8Case{"past_highest", "\xF4\x90\x80\x80", false},
        Utf8Case{"overlong_two", "\xC0\xAF", false}, Utf8Case{"overlong_c1", "\xC1\xBF", false},
        Utf8Case{"overlong_three", "\xE0\x9F\xBF", false},
        Utf8Case{"overlong_four", "\xF0\x8F\xBF\xBF", false},
        Utf8Case{"surrogate", "\xED\xA0\x80", false},
        Utf8Case{"last_before_surrogates", "\xED\x9F\xBF", true},
        Utf8Case{"lone_continuation", "\x80", false}, Utf8Case{"truncated_at_end", "Ё\xD0", false},
        Utf8Case{"truncated_four", "\xF0\x9F\x83", false},
        Utf8Case{"continuation_missing", "\xD0\x41", false},
        Utf8Case{"f5", "\xF5\x80\x80\x80", false}, Utf8Case{"ff", "\xFF", false}),
    kit::byName);

const std::string R(kReplacement);

INSTANTIATE_TEST_SUITE_P(
    Characters, RulesFileText,
    ::testing::Values(TextCase{"nul", std::string("a\0b", 3), "a" + R + "b\n"},
                      TextCase{"escape", "a\x1B[1mb", "a" + R + "[1mb\n"},
                      TextCase{"form_feed_and_vertical_tab", "\x0C\x0B", R + R + "\n"},
                      TextCase{"delete", "a\x7F", "a" + R + "\n"},
                      TextCase{"dos_end_of_file", "конец\r\n\x1A", "конец\n" + R + "\n"},
                      TextCase{"c1_control_in_utf8",
                               "a\xC2\x85"
                               "b",
                               "a" + R + "b\n"},
                      TextCase{"nul_in_windows_1251", std::string("\xC0\0", 2), "А" + R + "\n"},
                      TextCase{"tab_kept", "\ta\t", "\ta\t\n"}),
    kit::byName);

TEST(RulesText, AHugeLineComesThroughWhole) {
    const std::string line(4 << 20, 'x');
    const std::string text = rulesText(line);
    ASSERT_EQ(text.size(), line.size() + 1);
    EXPECT_EQ(text.back(), '\n');
    EXPECT_EQ(text.find_first_not_of('x'), line.size());
}

std::string readWholeFile(const char* path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::size_t characters(std::string_view utf8) {
    std::size_t count = 0;
    for (const char byte : utf8) {
        count += (static_cast<unsigned char>(byte) & 0xC0U) != 0x80U ? 1 : 0;
    }
    return count;
}

// The help.vrn the build writes beside the executable: what players get.
TEST(ShippedRules, AreWindows1251WithCrLfLineEnds) {
    const std::string bytes = readWholeFile(ZUVIK_BUILT_RULES_FILE);
    ASSERT_GT(bytes.size(), 1000U) << ZUVIK_BUILT_RULES_FILE;
    EXPECT_FALSE(isValidUtf8(bytes)) << "not single-byte Windows-1251";
    EXPECT_TRUE(bytes.ends_with("\r\n"));
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte == '\r') {
            ASSERT_LT(i + 1, bytes.size());
            EXPECT_EQ(bytes[i + 1], '\n') << "a CR without LF at byte " << i;
        } else if (byte == '\n') {
            EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << "a lone LF at byte " << i;
        } else {
            EXPECT_TRUE(byte >= 0x20 && byte != 0x7F && byte != 0x98)
                << "byte " << static_cast<int>(byte) << " at " << i;
        }
    }
}

TEST(ShippedRules, ShowExactlyTheirSourceInShortLines) {
    const std::string shipped = rulesText(readWholeFile(ZUVIK_BUILT_RULES_FILE));
    const std::string source = readWholeFile(ZUVIK_RULES_SOURCE);
    ASSERT_TRUE(isValidUtf8(source));
    EXPECT_EQ(shipped, rulesText(source));
    std::size_t start = 0;
    for (std::size_t end = shipped.find('\n'); end != std::string::npos;
         start = end + 1, end = shipped.find('\n', start)) {
        const std::string_view line = std::string_view(shipped).substr(start, end - start);
        EXPECT_LE(characters(line), 70U) << line;
    }
}

} // namespace
