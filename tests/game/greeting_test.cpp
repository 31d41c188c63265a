// SPDX-License-Identifier: MIT
#include "game/game.h"
#include "table_fixture.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

using test::FakeWorld;
using test::ScriptedRandom;

constexpr std::string_view kFirstPrompt = "Вы хотите сыграть? Тогда представьтесь";
constexpr std::string_view kSecondPrompt = "Мы же вас попросили представиться!";

std::string input(std::string_view prompt, std::string_view typed) {
    return "input \"" + std::string(prompt) + "\" -> \"" + std::string(typed) + "\"";
}

std::string welcome(std::string_view name) {
    return "box OK \"Проходите пожалуйста господин" + std::string(name) +
           "Желаем вам хорошо провести время.\"";
}

std::vector<std::string> joined(std::vector<std::string> head,
                                const std::vector<std::string>& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

struct Greeting : ::testing::Test {
    FakeWorld world;
    ScriptedRandom random;
    game::Game game{world, world, random, world.table};
};

TEST_F(Greeting, NameAtTheFirstPromptIsWelcomedShownAndStartsTheMatch) {
    world.inputAnswers = {"Вася"};
    game.load();
    EXPECT_EQ(world.log, joined({"cue door.wav sync", input(kFirstPrompt, "Вася"), welcome("Вася"),
                                 "caption Label3 \"Вася\""},
                                test::newMatchLog()));
    EXPECT_EQ(world.table.playerName, "Вася");
    EXPECT_EQ(world.table.playerMoney, 1000);
    EXPECT_EQ(world.table.computerMoney, 1000);
    EXPECT_EQ(world.captions[game::Control::Label4], " 1000");
    EXPECT_TRUE(world.visible[game::Control::Command5]);
    EXPECT_FALSE(world.visible[game::Control::Text1]);
}

TEST_F(Greeting, CancelAtTheFirstPromptAsksAgainAndWelcomesTheSecondName) {
    world.inputAnswers = {"", "Петя"};
    game.load();
    EXPECT_EQ(world.log,
              joined({"cue door.wav sync", input(kFirstPrompt, ""), input(kSecondPrompt, "Петя"),
                      welcome("Петя"), "caption Label3 \"Петя\""},
                     test::newMatchLog()));
    EXPECT_EQ(world.table.playerName, "Петя");
}

TEST_F(Greeting, CancelTwiceShowsThePlayerOutWithoutWelcomeOrMatch) {
    world.inputAnswers = {"", ""};
    EXPECT_THROW(game.load(), game::Termination);
    // The farewell is heard to its end, and nothing follows the termination: no welcome, no
    // "kn.wav", no caption, no control shown.
    EXPECT_EQ(world.log, (std::vector<std::string>{"cue door.wav sync", input(kFirstPrompt, ""),
                                                   input(kSecondPrompt, ""), "cue bye.wav sync",
                                                   "terminate"}));
    EXPECT_EQ(world.table.playerMoney, 0);
    EXPECT_EQ(world.table.computerMoney, 0);
}

// Watches the table at the moment the door cue starts.
struct DoorWatch : FakeWorld {
    bool tablesFilledAtDoor = false;
    void play(std::string_view name, game::CueMode mode) override {
        if (name == "door.wav") {
            tablesFilledAtDoor = table.deckOrder[35] == " десять пики" &&
                                 table.cardGrid[11 - 2][3] == " туз пики" &&
                                 table.betValues[3] == 200;
        }
        FakeWorld::play(name, mode);
    }
};

TEST(GreetingOrder, TheTablesAreFilledBeforeTheDoorCue) {
    DoorWatch world;
    ScriptedRandom random;
    game::Game game(world, world, random, world.table);
    world.inputAnswers = {"Вася"};
    game.load();
    EXPECT_TRUE(world.tablesFilledAtDoor);
}

struct NameCase {
    const char* what;
    std::string name;
};

void PrintTo(const NameCase& param, std::ostream* out) {
    *out << param.what;
}

class NameKeptExactly : public ::testing::TestWithParam<NameCase> {};

// Only the empty text counts as no name; anything else, blanks included, is a name and goes
// into the welcome and Label3 byte for byte.
TEST_P(NameKeptExactly, InTheTableTheWelcomeAndLabel3) {
    const std::string& name = GetParam().name;
    FakeWorld world;
    ScriptedRandom random;
    game::Game game(world, world, random, world.table);
    world.inputAnswers = {name};
    game.load();
    EXPECT_EQ(world.table.playerName, name);
    EXPECT_EQ(world.captions[game::Control::Label3], name);
    ASSERT_GE(world.log.size(), 4U);
    EXPECT_EQ(world.log[1], input(kFirstPrompt, name)) << "no second prompt";
    EXPECT_EQ(world.log[2], welcome(name));
}

std::string thousandCharacters() {
    std::string name;
    for (int i = 0; i < 250; ++i) {
        name += "Ая z";
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(
    Names, NameKeptExactly,
    ::testing::Values(NameCase{"single_blank", " "}, NameCase{"blanks_around", "  Вася  "},
                      NameCase{"latin", "John Smith"}, NameCase{"cyrillic", "Ёжик Иванович"},
                      NameCase{"emoji", "🃏 Туз 😀"}, NameCase{"markup", "<b>Вася</b> &amp;"},
                      NameCase{"thousand_characters", thousandCharacters()}),
    [](const ::testing::TestParamInfo<NameCase>& info) { return std::string(info.param.what); });

TEST(GreetingWelcome, ASingleBlankRunsTheTwoTextsTogetherWithOneBlank) {
    FakeWorld world;
    ScriptedRandom random;
    game::Game game(world, world, random, world.table);
    world.inputAnswers = {"", " "};
    game.load();
    ASSERT_GE(world.log.size(), 4U);
    EXPECT_EQ(world.log[3],
              "box OK \"Проходите пожалуйста господин Желаем вам хорошо провести время.\"");
}

} // namespace
