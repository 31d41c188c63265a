// SPDX-License-Identifier: MIT
#pragma once

#include "by_name.h"
#include "log.h"

#include <string_view>

// The player's texts and the rules' recurring steps as the log shows them, kept here apart from
// the code so that a changed letter fails a test.
namespace kit {

inline constexpr std::string_view kTooMany =
    "Ты с головой дружишь? У тебя давно перебор. Мой тебе совет, обратись к врачу";
inline constexpr std::string_view kPlayerBroke =
    "Вы проиграли! У вас нет больше денег. А в долг я не играю.";
inline constexpr std::string_view kNewMatch = "Хотите новую игру?";
inline constexpr std::string_view kComputerBroke =
    "Поздравляю! Вы выграли. У меня нет больше денег";
inline constexpr std::string_view kGoOn =
    "Я снял со счета в банке еще денег. Хотите продолжить игру?";
inline constexpr std::string_view kPlayerShort =
    "Ты что, с дуба рухнул? У тебя ведь нет столько денег.";
inline constexpr std::string_view kComputerShort =
    "Я не могу поставить столько на кон. У меня нет столько денег";
inline constexpr std::string_view kExpense = "Вы решили расслабиться и купили себе косячок за 100";
inline constexpr std::string_view kFine = "Вас застукали за нечестной игрой и оштрафовали на 200";
inline constexpr std::string_view kStash = "Вы нашли за подкладкой пиджака, забытую заначку. в 300";
inline constexpr std::string_view kSale =
    "Вы продали какому то лоху крапленную калоду карт за 400.";

// Both purses shown, nothing on the table, and only "Делайте ставки" offered: how a new match
// and a bank refill leave the window.
inline Log standingLog(long player, long computer) {
    return {money("Label4", player), money("Label6", computer), caption("Label8", ""),
            phase(game::Phase::BettingClosed)};
}

inline Log newMatchLog() {
    return join({{cue("kn.wav")}, standingLog(1000, 1000)});
}

inline Log playerOutLog(int answer) {
    return {cue("end.wav"), okBox(kPlayerBroke), yesNoBox(kNewMatch, answer)};
}
inline Log computerOutLog(int answer) {
    return {cue("2.wav"), okBox(kComputerBroke), yesNoBox(kGoOn, answer)};
}
inline Log goodbyeLog() {
    return {cue("bye.wav"), kTerminate};
}

// An accepted bet, before its opening: the amounts after it, and a player-first deal.
inline Log betAcceptedLog(long player, long computer, long stake) {
    return {cue("win.wav"), money("Label4", player), money("Label6", computer),
            money("Label8", stake), phase(game::Phase::PlayerFirstDeal)};
}

// The three money captions as a bet or a tie writes them.
inline Log amountsLog(long player, long computer, long stake) {
    return {money("Label4", player), money("Label6", computer), money("Label8", stake)};
}

// The player-first opening, for the two cards that come first.
inline Log playerFirstOpeningLog(std::string_view handText) {
    return {kFocus, asyncCue("deal.wav"), asyncCue("deal.wav"), hand(handText)};
}

// The computer-first opening with no chance event, for the player's two cards and the stake.
inline Log computerFirstOpeningLog(std::string_view handText, long stake) {
    return {cue("win.wav"), cue("deal.wav"), cue("deal.wav"), hand(handText),
            okBox("На кону " + std::to_string(stake) + "Мне хватит. Бери себе")};
}

} // namespace kit
