// SPDX-License-Identifier: MIT
#include "rules_log.h"
#include "table.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace kit;

constexpr std::string_view kFirstPrompt = "Вы хотите сыграть? Тогда представьтесь";
constexpr std::string_view kSecondPrompt = "Мы же вас попросили представиться!";

std::string welcome(std::string_view name) {
    return okBox("Проходите пожалуйста господин" + std::string(name) +
                 "Желаем вам хорошо провести время.");
}

TEST(Greeting, NameAtTheFirstPromptIsWelcomedShownAndStartsTheMatch) {
    Table t;
    t.world.typed = {"Вася"};
    t.game.load();
    EXPECT_EQ(t.world.log, join({{cue("door.wav"), input(kFirstPrompt, "Вася"), welcome("Вася"),
                                  caption("Label3", "Вася")},
                                 newMatchLog()}));
    EXPECT_EQ(t.state.playerName, "Вася");
    EXPECT_EQ(t.state.playerMoney, 1000);
    EXPECT_EQ(t.state.computerMoney, 1000);
    EXPECT_EQ(t.world.captions[game::Control::Label4], " 1000");
    EXPECT_TRUE(t.world.visible[game::Control::Command5]);
    EXPECT_FALSE(t.world.visible[game::Control::Text1]);
}

TEST(Greeting, CancelAtTheFirstPromptAsksAgainAndWelcomesTheSecondName) {
    Table t;
    t.world.typed = {"", "Петя"};
    t.game.load();
    EXPECT_EQ(t.world.log,
              join({{cue("door.wav"), input(kFirstPrompt, ""), input(kSecondPrompt, "Петя"),
                     welcome("Петя"), caption("Label3", "Петя")},
                    newMatchLog()}));
    EXPECT_EQ(t.state.playerName, "Петя");
}

TEST(Greeting, CancelTwiceShowsThePlayerOutWithoutWelcomeOrMatch) {
    Table t;
    t.world.typed = {"", ""};
    EXPECT_THROW(t.game.load(), game::Termination);
    // The farewell is heard to its end, and nothing follows the termination: no welcome, no
    // "kn.wav", no caption, no control shown.
    EXPECT_EQ(t.world.log, (Log{cue("door.wav"), input(kFirstPrompt, ""), input(kSecondPrompt, ""),
                                cue("bye.wav"), kTerminate}));
    EXPECT_EQ(t.state.playerMoney, 0);
    EXPECT_EQ(t.state.computerMoney, 0);
}

// Watches the table at the moment the door cue starts.
struct DoorWatch : RecordingWorld {
    const game::TableState* table = nullptr;
    bool tablesFilledAtDoor = false;
    void play(std::string_view name, game::CueMode mode) override {
        if (name == "door.wav") {
            tablesFilledAtDoor = table->deckOrder[35] == " десять пики" &&
                                 table->cardGrid[11 - 2][3] == " туз пики" &&
                                 table->betValues[3] == 200;
        }
        RecordingWorld::play(name, mode);
    }
};

TEST(GreetingOrder, TheTablesAreFilledBeforeTheDoorCue) {
    game::TableState state;
    DoorWatch world;
    world.table = &state;
    game::Game game(world, world, world, state);
    world.typed = {"Вася"};
    game.load();
    EXPECT_TRUE(world.tablesFilledAtDoor);
}

struct NameCase {
    const char* name;
    std::string typed;
};

class NameKeptExactly : public ::testing::TestWithParam<NameCase> {};

// Only the empty text counts as no name; anything else, blanks included, is a name and goes
// into the welcome and Label3 byte for byte.
TEST_P(NameKeptExactly, InTheTableTheWelcomeAndLabel3) {
    const std::string& name = GetParam().typed;
    Table t;
    t.world.typed = {name};
    t.game.load();
    EXPECT_EQ(t.state.playerName, name);
    EXPECT_EQ(t.world.captions[game::Control::Label3], name);
    ASSERT_GE(t.world.log.size(), 4U);
    EXPECT_EQ(t.world.log[1], input(kFirstPrompt, name)) << "no second prompt";
    EXPECT_EQ(t.world.log[2], welcome(name));
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
    byName);

TEST(GreetingWelcome, ASingleBlankRunsTheTwoTextsTogetherWithOneBlank) {
    Table t;
    t.world.typed = {"", " "};
    t.game.load();
    ASSERT_GE(t.world.log.size(), 4U);
    EXPECT_EQ(t.world.log[3],
              "box OK \"Проходите пожалуйста господин Желаем вам хорошо провести время.\"");
}

} // namespace
