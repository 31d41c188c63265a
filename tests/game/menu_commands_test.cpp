// SPDX-License-Identifier: MIT
#include "rules_log.h"
#include "table.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace {

using namespace kit;
using game::Control;

// Every field of the table, to compare two tables whole.
auto fields(const game::TableState& t) {
    return std::tie(t.deckOrder, t.deck, t.drawnMarks, t.cardGrid, t.drawnMarks2, t.playerPoints,
                    t.computerPoints, t.dealtCount, t.answer, t.playerMoney, t.computerMoney,
                    t.playerMoneyBefore50, t.computerMoneyBefore50, t.playerMoneyBefore100,
                    t.computerMoneyBefore100, t.playerMoneyBefore200, t.computerMoneyBefore200,
                    t.stake, t.betValues, t.betIndex, t.eventRoll, t.playerName, t.noName);
}

// A match under way from its start-up on, driven by the player's commands.
struct Match : Table {
    Match() {
        world.typed = {"Вася"};
        game.load();
    }

    // Bet 100 and take the ten of spades and the eight of hearts (18); the computer's next
    // two cards would be the ten of diamonds and the nine of clubs (19).
    void openPlayerFirstDeal() {
        world.stackShuffle({" десять пики", " восемь червы", " десять бубны", " девять треф"});
        game.run(game::Command::Command5);
        game.run(game::Command::Command8);
    }

    // The computer wins the player-first deal 19 to 18, bets 50, no chance event comes, and
    // it stands on the ten of hearts and the eight of diamonds; the player holds a queen and
    // a king.
    void openComputerFirstDeal() {
        openPlayerFirstDeal();
        world.scriptBetIndex(2);
        world.scriptEventRoll(0);
        world.scriptEventRoll(0);
        world.stackShuffle({" десять червы", " восемь бубны", " дама пики", " король треф"});
        game.run(game::Command::Command2);
    }
};

struct DealCase {
    const char* name;
    std::function<void(Match&)> setUp;
    Phase phaseBefore;
    std::int32_t stakeBefore;
};

class NewMatchCommand : public ::testing::TestWithParam<DealCase> {};

TEST_P(NewMatchCommand, DropsWhatWasGoingOnAndStartsANewMatchAtOnce) {
    Match match;
    GetParam().setUp(match);
    ASSERT_EQ(match.world.phase, GetParam().phaseBefore) << "not the phase wanted";
    ASSERT_EQ(match.state.stake, GetParam().stakeBefore);
    ASSERT_TRUE(match.world.fractions.empty());
    const game::TableState before = match.state;
    const std::string hand = match.world.hand;
    match.world.takeLog();

    match.game.run(game::Command::NewMatch);

    // No question, no message: exactly the new match.
    EXPECT_EQ(match.world.log, newMatchLog());
    EXPECT_EQ(match.world.captions[Control::Label4], " 1000");
    EXPECT_EQ(match.world.captions[Control::Label6], " 1000");
    EXPECT_EQ(match.state.playerMoney, 1000);
    EXPECT_EQ(match.state.computerMoney, 1000);
    // The name stays, and so does the rest of the deal: the next bet sets the stake anew.
    EXPECT_EQ(match.state.playerName, "Вася");
    EXPECT_EQ(match.state.stake, GetParam().stakeBefore);
    EXPECT_EQ(match.state.dealtCount, before.dealtCount);
    EXPECT_EQ(match.state.playerPoints, before.playerPoints);
    EXPECT_EQ(match.state.computerPoints, before.computerPoints);
    EXPECT_EQ(match.world.hand, hand);
}

INSTANTIATE_TEST_SUITE_P(
    Phases, NewMatchCommand,
    ::testing::Values(DealCase{"betting_closed", [](Match&) {}, Phase::BettingClosed, 0},
                      DealCase{"choosing_a_bet",
                               [](Match& m) { m.game.run(game::Command::Command5); },
                               Phase::ChoosingBet, 0},
                      DealCase{"player_first_deal", [](Match& m) { m.openPlayerFirstDeal(); },
                               Phase::PlayerFirstDeal, 200},
                      DealCase{"player_first_deal_after_a_draw",
                               [](Match& m) {
                                   m.openPlayerFirstDeal();
                                   m.game.run(game::Command::Command1);
                               },
                               Phase::PlayerFirstDeal, 200},
                      DealCase{"computer_first_deal", [](Match& m) { m.openComputerFirstDeal(); },
                               Phase::ComputerFirstDeal, 100}),
    byName);

TEST(ExitCommand, PlaysBothFarewellsToTheirEndThenTerminates) {
    Match match;
    match.openPlayerFirstDeal();
    match.world.takeLog();
    const game::TableState before = match.state;
    EXPECT_THROW(match.game.run(game::Command::Exit), game::Termination);
    EXPECT_EQ(match.world.log, (Log{cue("fe.wav"), cue("bye.wav"), kTerminate}));
    EXPECT_EQ(fields(before), fields(match.state));
}

TEST(AboutCommand, ShowsTheNoticeUnderItsTitle) {
    Table t;
    t.game.run(game::Command::About);
    EXPECT_EQ(t.world.log,
              Log{okBox("Зувик, версия 2.0 — карточная игра в двадцать одно против компьютера.\n"
                        "Авторы: разработчики проекта «Зувик».\n"
                        "Распространяется свободно на условиях лицензии MIT; полный текст — в "
                        "файле LICENSE.\n"
                        "Рисунки карт: колода «Атласные» из пакета Debian gnome-cards-data, "
                        "авторы — разработчики GNOME; распространяется на условиях GNU GPL версии "
                        "3 или более поздней.",
                        "Игра Зувик. Версия 2.0")});
}

game::RulesFile readRules(std::string bytes) {
    return game::RulesFile{"help.vrn", std::move(bytes), {}};
}

game::RulesFile failedRules(std::string failure) {
    return game::RulesFile{"help.vrn", std::nullopt, std::move(failure)};
}

struct RulesCase {
    const char* name;
    game::RulesFile file;
    std::string box;
};

class RulesCommand : public ::testing::TestWithParam<RulesCase> {};

// One box with the application's title: the text, or the file and what is wrong with it.
TEST_P(RulesCommand, ShowsTheTextOrWhyNotInOneBox) {
    Table t;
    t.world.rulesFile = GetParam().file;
    t.game.run(game::Command::Rules);
    EXPECT_EQ(t.world.log, Log{okBox(GetParam().box)});
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
    byName);

struct BoxCase {
    const char* name;
    game::Command command;
    game::RulesFile rules;
};

class BoxLeavesTheGameAlone : public ::testing::TestWithParam<BoxCase> {};

// The boxes of the help menu may open in the middle of a deal that is about to test answer:
// neither may touch it, nor anything else of the table or the window, and the deal goes on.
TEST_P(BoxLeavesTheGameAlone, InTheMiddleOfADeal) {
    for (const std::optional<int> answer : {std::optional<int>{}, std::optional<int>{6},
                                            std::optional<int>{7}, std::optional<int>{1}}) {
        Match match;
        match.openComputerFirstDeal();
        match.state.answer = answer;
        const game::TableState before = match.state;
        const game::Phase phase = match.world.phase;
        const auto captions = match.world.captions;
        const std::string hand = match.world.hand;
        match.world.takeLog();

        match.world.rulesFile = GetParam().rules;
        match.game.run(GetParam().command);

        ASSERT_EQ(match.world.log.size(), 1U);
        EXPECT_TRUE(match.world.log[0].starts_with("box OK ")) << match.world.log[0];
        EXPECT_EQ(fields(before), fields(match.state));
        EXPECT_EQ(match.world.phase, phase);
        EXPECT_EQ(match.world.captions, captions);
        EXPECT_EQ(match.world.hand, hand);
        EXPECT_TRUE(match.game.run(game::Command::Command4));
    }
}

INSTANTIATE_TEST_SUITE_P(Boxes, BoxLeavesTheGameAlone,
                         ::testing::Values(BoxCase{"about", game::Command::About, {}},
                                           BoxCase{"rules", game::Command::Rules,
                                                   readRules("Правила\r\n")},
                                           BoxCase{"rules_missing", game::Command::Rules,
                                                   failedRules("файл не найден")}),
                         byName);

} // namespace
