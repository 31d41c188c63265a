// SPDX-License-Identifier: MIT
#include "game/game.h"
#include "table_fixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace {

using game::Control;
using test::FakeWorld;
using test::ScriptedRandom;

constexpr Control kPhaseControls[]{
    Control::Text1,    Control::Command1, Control::Command2, Control::Command3, Control::Command4,
    Control::Command5, Control::Command6, Control::Command7, Control::Command8, Control::Command9,
};

std::vector<std::string> visibleControls(FakeWorld& world) {
    std::vector<std::string> shown;
    for (Control control : kPhaseControls) {
        if (world.visible[control]) {
            shown.emplace_back(game::controlName(control));
        }
    }
    return shown;
}

void appendFractions(ScriptedRandom& random, const std::vector<double>& fractions) {
    random.fractions.insert(random.fractions.end(), fractions.begin(), fractions.end());
}

void expectSameTable(const game::TableState& before, const game::TableState& after) {
    EXPECT_EQ(before.deckOrder, after.deckOrder);
    EXPECT_EQ(before.deck, after.deck);
    EXPECT_EQ(before.drawnMarks, after.drawnMarks);
    EXPECT_EQ(before.cardGrid, after.cardGrid);
    EXPECT_EQ(before.drawnMarks2, after.drawnMarks2);
    EXPECT_EQ(before.playerPoints, after.playerPoints);
    EXPECT_EQ(before.computerPoints, after.computerPoints);
    EXPECT_EQ(before.dealtCount, after.dealtCount);
    EXPECT_EQ(before.answer, after.answer);
    EXPECT_EQ(before.playerMoney, after.playerMoney);
    EXPECT_EQ(before.computerMoney, after.computerMoney);
    EXPECT_EQ(before.playerMoneyBefore50, after.playerMoneyBefore50);
    EXPECT_EQ(before.computerMoneyBefore50, after.computerMoneyBefore50);
    EXPECT_EQ(before.playerMoneyBefore100, after.playerMoneyBefore100);
    EXPECT_EQ(before.computerMoneyBefore100, after.computerMoneyBefore100);
    EXPECT_EQ(before.playerMoneyBefore200, after.playerMoneyBefore200);
    EXPECT_EQ(before.computerMoneyBefore200, after.computerMoneyBefore200);
    EXPECT_EQ(before.stake, after.stake);
    EXPECT_EQ(before.betValues, after.betValues);
    EXPECT_EQ(before.betIndex, after.betIndex);
    EXPECT_EQ(before.eventRoll, after.eventRoll);
    EXPECT_EQ(before.playerName, after.playerName);
    EXPECT_EQ(before.noName, after.noName);
}

// A match under way, driven through the window's own handlers.
struct Match {
    FakeWorld world;
    ScriptedRandom random;
    game::Game game{world, world, random, world.table};

    Match() {
        world.inputAnswers = {"Вася"};
        game.load();
    }

    // Bet 100 and take the ten of spades and the eight of hearts (18); the computer's next
    // two cards would be the ten of diamonds and the nine of clubs (19).
    void openPlayerFirstDeal() {
        appendFractions(random, test::shuffleFractions({" десять пики", " восемь червы",
                                                        " десять бубны", " девять треф"}));
        game.run(game::Command::Command5);
        game.run(game::Command::Command8);
    }

    // The computer wins the player-first deal 19 to 18, bets 50, no chance event comes, and
    // it stands on the ten of hearts and the eight of diamonds; the player holds a queen and
    // a king.
    void openComputerFirstDeal() {
        openPlayerFirstDeal();
        random.fractions.push_back(test::fractionFor(2, 3.0, 1.0));
        random.fractions.push_back(test::fractionFor(0, 20.0, 0.0));
        random.fractions.push_back(test::fractionFor(0, 20.0, 0.0));
        appendFractions(random, test::shuffleFractions({" десять червы", " восемь бубны",
                                                        " дама пики", " король треф"}));
        game.run(game::Command::Command2);
    }
};

struct DealCase {
    const char* what;
    std::function<void(Match&)> setUp;
    std::vector<std::string> visibleBefore;
    std::int32_t stakeBefore;
};

void PrintTo(const DealCase& param, std::ostream* out) {
    *out << param.what;
}

class NewMatchCommand : public ::testing::TestWithParam<DealCase> {};

TEST_P(NewMatchCommand, DropsWhatWasGoingOnAndStartsANewMatchAtOnce) {
    Match match;
    GetParam().setUp(match);
    ASSERT_EQ(visibleControls(match.world), GetParam().visibleBefore) << "not the phase wanted";
    ASSERT_EQ(match.world.table.stake, GetParam().stakeBefore);
    ASSERT_TRUE(match.random.fractions.empty());
    const std::string hand = match.world.hand;
    match.world.takeLog();

    match.game.run(game::Command::NewMatch);

    // No question, no message: exactly the new match.
    EXPECT_EQ(match.world.log, test::newMatchLog());
    EXPECT_EQ(visibleControls(match.world), std::vector<std::string>{"Command5"});
    EXPECT_EQ(match.world.captions[Control::Label4], " 1000");
    EXPECT_EQ(match.world.captions[Control::Label6], " 1000");
    EXPECT_EQ(match.world.table.playerMoney, 1000);
    EXPECT_EQ(match.world.table.computerMoney, 1000);
    // The name stays; the stake is only set anew by the next bet.
    EXPECT_EQ(match.world.table.playerName, "Вася");
    EXPECT_EQ(match.world.table.stake, GetParam().stakeBefore);
    EXPECT_EQ(match.world.hand, hand);
}

INSTANTIATE_TEST_SUITE_P(
    Phases, NewMatchCommand,
    ::testing::Values(DealCase{"betting_closed", [](Match&) {}, {"Command5"}, 0},
                      DealCase{"choosing_a_bet",
                               [](Match& m) { m.game.run(game::Command::Command5); },
                               {"Command6", "Command7", "Command8", "Command9"},
                               0},
                      DealCase{"player_first_deal",
                               [](Match& m) { m.openPlayerFirstDeal(); },
                               {"Text1", "Command1", "Command2"},
                               200},
                      DealCase{"player_first_deal_after_a_draw",
                               [](Match& m) {
                                   m.openPlayerFirstDeal();
                                   m.game.run(game::Command::Command1);
                               },
                               {"Text1", "Command1", "Command2"},
                               200},
                      DealCase{"computer_first_deal",
                               [](Match& m) { m.openComputerFirstDeal(); },
                               {"Text1", "Command3", "Command4"},
                               100}),
    [](const ::testing::TestParamInfo<DealCase>& info) { return std::string(info.param.what); });

TEST(ExitCommand, PlaysBothFarewellsToTheirEndThenTerminates) {
    Match match;
    match.openPlayerFirstDeal();
    match.world.takeLog();
    const game::TableState before = match.world.table;
    EXPECT_THROW(match.game.run(game::Command::Exit), game::Termination);
    EXPECT_EQ(match.world.log,
              (std::vector<std::string>{"cue fe.wav sync", "cue bye.wav sync", "terminate"}));
    expectSameTable(before, match.world.table);
}

constexpr std::string_view kAboutTitle = "Игра Зувик. Версия 2.0";

TEST(AboutCommand, ShowsTheNoticeUnderItsTitleAndNamesTheLicenceFile) {
    FakeWorld world;
    ScriptedRandom random;
    game::Game game(world, world, random, world.table);
    game.run(game::Command::About);
    ASSERT_EQ(world.log.size(), 1U);
    const std::string& box = world.log[0];
    EXPECT_TRUE(box.starts_with("box OK \"Зувик, версия 2.0")) << box;
    EXPECT_TRUE(box.ends_with("\" title \"" + std::string(kAboutTitle) + "\"")) << box;
    EXPECT_NE(box.find("MIT"), std::string::npos) << box;
    EXPECT_NE(box.find("LICENSE"), std::string::npos) << box;
}

game::RulesFile readRules(std::string bytes) {
    return game::RulesFile{"help.vrn", std::move(bytes), {}};
}

game::RulesFile failedRules(std::string failure) {
    return game::RulesFile{"help.vrn", std::nullopt, std::move(failure)};
}

struct RulesCase {
    const char* what;
    game::RulesFile file;
    std::string box;
};

void PrintTo(const RulesCase& param, std::ostream* out) {
    *out << param.what;
}

class RulesCommand : public ::testing::TestWithParam<RulesCase> {};

// One box with the application's title: the text, or the file and what is wrong with it.
TEST_P(RulesCommand, ShowsTheTextOrWhyNotInOneBox) {
    FakeWorld world;
    ScriptedRandom random;
    game::Game game(world, world, random, world.table);
    world.rulesFile = GetParam().file;
    game.run(game::Command::Rules);
    EXPECT_EQ(world.log, std::vector<std::string>{"box OK \"" + GetParam().box + "\""});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RulesCommand,
    ::testing::Values(
        RulesCase{"text", readRules("Правила\r\n\r\nигры"), "Правила\n\nигры\n"},
        RulesCase{"empty_file", readRules(""), ""},
        RulesCase{"missing", failedRules("файл не найден"),
                  "Не удалось показать правила игры.\nФайл «help.vrn»: файл не найден."},
        RulesCase{"too_large", failedRules("файл больше 1 МиБ"),
                  "Не удалось показать правила игры.\nФайл «help.vrn»: файл больше 1 МиБ."},
        RulesCase{"already_a_sentence", failedRules("нет прав на чтение."),
                  "Не удалось показать правила игры.\nФайл «help.vrn»: нет прав на чтение."},
        RulesCase{"reason_missing", failedRules(""),
                  "Не удалось показать правила игры.\nФайл «help.vrn»: файл не удалось "
                  "прочитать."}),
    [](const ::testing::TestParamInfo<RulesCase>& info) { return std::string(info.param.what); });

struct BoxCase {
    const char* what;
    game::Command command;
    game::RulesFile rules;
};

void PrintTo(const BoxCase& param, std::ostream* out) {
    *out << param.what;
}

class BoxLeavesTheGameAlone : public ::testing::TestWithParam<BoxCase> {};

// The boxes of the help menu may open in the middle of a deal that is about to test answer:
// neither may touch it, nor anything else of the table or the window.
TEST_P(BoxLeavesTheGameAlone, InTheMiddleOfADeal) {
    for (const std::optional<int> answer : {std::optional<int>{}, std::optional<int>{6},
                                            std::optional<int>{7}, std::optional<int>{1}}) {
        Match match;
        match.openComputerFirstDeal();
        match.world.table.answer = answer;
        const game::TableState before = match.world.table;
        const auto visible = match.world.visible;
        const auto captions = match.world.captions;
        const std::string hand = match.world.hand;
        match.world.takeLog();

        match.world.rulesFile = GetParam().rules;
        match.game.run(GetParam().command);

        ASSERT_EQ(match.world.log.size(), 1U);
        EXPECT_TRUE(match.world.log[0].starts_with("box OK ")) << match.world.log[0];
        expectSameTable(before, match.world.table);
        EXPECT_EQ(match.world.visible, visible);
        EXPECT_EQ(match.world.captions, captions);
        EXPECT_EQ(match.world.hand, hand);
    }
}

TEST_P(BoxLeavesTheGameAlone, TheDealGoesOnAsIfNoBoxHadOpened) {
    Match withBox;
    Match without;
    withBox.openComputerFirstDeal();
    without.openComputerFirstDeal();
    withBox.world.rulesFile = GetParam().rules;
    withBox.game.run(GetParam().command);
    withBox.world.takeLog();
    without.world.takeLog();

    withBox.game.run(game::Command::Command4);
    without.game.run(game::Command::Command4);

    EXPECT_EQ(withBox.world.log, without.world.log);
    ASSERT_FALSE(without.world.log.empty());
    EXPECT_EQ(visibleControls(withBox.world), std::vector<std::string>{"Command5"});
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, BoxLeavesTheGameAlone,
    ::testing::Values(BoxCase{"about", game::Command::About, {}},
                      BoxCase{"rules", game::Command::Rules, readRules("Правила\r\n")},
                      BoxCase{"rules_missing", game::Command::Rules,
                              failedRules("файл не найден")}),
    [](const ::testing::TestParamInfo<BoxCase>& info) { return std::string(info.param.what); });

} // namespace
