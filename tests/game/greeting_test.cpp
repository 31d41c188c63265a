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

Log welcomed(std::string_view name) {
    return join({{welcome(name), caption("Label3", name)}, newMatchLog()});
}

struct LoadCase {
    const char* name;
    std::vector<std::string> typed;
    Log log;
    std::string playerName; // empty: the player is shown out
};

// The second prompt comes only after an empty first answer; a second empty answer shows the
// player out, the farewell heard to its end and nothing after the termination: no welcome, no
// "kn.wav", no caption, no control shown.
// Only the empty text counts as no name; anything else, blanks included, is a name and goes
// into the welcome and Label3 byte for byte.
LoadCase named(const char* name, const std::string& typed) {
    return {name,
            {typed},
            join({{cue("door.wav"), input(kFirstPrompt, typed)}, welcomed(typed)}),
            typed};
}

std::string thousandCharacters() {
    std::string name;
    for (int i = 0; i < 250; ++i) {
        name += "Ая z";
    }
    return name;
}

class Greeting : public ::testing::TestWithParam<LoadCase> {};

TEST_P(Greeting, WelcomesTheFirstNameGivenOrShowsThePlayerOut) {
    const LoadCase& c = GetParam();
    Table t;
    t.world.typed.assign(c.typed.begin(), c.typed.end());
    if (c.playerName.empty()) {
        EXPECT_THROW(t.game.load(), game::Termination);
    } else {
        t.game.load();
    }
    EXPECT_EQ(t.world.log, c.log);
    EXPECT_EQ(t.state.playerName, c.playerName);
    EXPECT_EQ(t.state.playerMoney, c.playerName.empty() ? 0 : 1000);
    EXPECT_EQ(t.state.computerMoney, c.playerName.empty() ? 0 : 1000);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, Greeting,
    ::testing::Values(
        named("NameAtTheFirstPrompt", "Вася"), named("SingleBlank", " "),
        named("BlanksAround", "  Вася  "), named("Latin", "John Smith"),
        named("Cyrillic", "Ёжик Иванович"), named("Emoji", "🃏 Туз 😀"),
        named("Markup", "<b>Вася</b> &amp;"), named("ThousandCharacters", thousandCharacters()),
        LoadCase{"EmptyFirstThenAName",
                 {"", "Петя"},
                 join({{cue("door.wav"), input(kFirstPrompt, ""), input(kSecondPrompt, "Петя")},
                       welcomed("Петя")}),
                 "Петя"},
        // The two texts of the welcome run together with the one blank.
        LoadCase{"EmptyFirstThenASingleBlank",
                 {"", " "},
                 join({{cue("door.wav"), input(kFirstPrompt, ""), input(kSecondPrompt, " ")},
                       welcomed(" ")}),
                 " "},
        LoadCase{"EmptyTwiceShowsThePlayerOut",
                 {"", ""},
                 {cue("door.wav"), input(kFirstPrompt, ""), input(kSecondPrompt, ""),
                  cue("bye.wav"), kTerminate},
                 ""}),
    byName);

// Watches the table at the moment the door cue starts.
struct DoorWatch : RecordingWorld {
    const game::TableState* table = nullptr;
    bool tablesFilledAtDoor = false;
    void play(game::Cue cue, game::CueMode mode) override {
        if (cue == game::Cue::Door) {
            tablesFilledAtDoor = table->deckOrder[35] == " десять пики" &&
                                 table->cardGrid[11 - 2][3] == " туз пики" &&
                                 table->betValues[3] == 200;
        }
        RecordingWorld::play(cue, mode);
    }
};

TEST(GreetingOrder, TheTablesAreFilledBeforeTheDoorCue) {
    game::TableState state;
    DoorWatch world;
    world.table = &state;
    game::Game game(world, world, world, world, state);
    world.typed = {"Вася"};
    game.load();
    EXPECT_TRUE(world.tablesFilledAtDoor);
}

} // namespace
