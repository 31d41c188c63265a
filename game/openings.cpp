// SPDX-License-Identifier: MIT
#include "game/game.h"
#include "game/guarded.h"
#include "game/money.h"
#include "game/shuffle.h"

#include <string>

namespace game {
namespace {

constexpr std::string_view kExpense = "Вы решили расслабиться и купили себе косячок за 100";
constexpr std::string_view kFine = "Вас застукали за нечестной игрой и оштрафовали на 200";
constexpr std::string_view kStash = "Вы нашли за подкладкой пиджака, забытую заначку. в 300";
constexpr std::string_view kSale = "Вы продали какому то лоху крапленную калоду карт за 400.";

// The computer-first opening lets the computer hold up to this many cards.
constexpr int kComputerFirstHandLimit = 7;

} // namespace

void Game::inicial() {
    view_.focusHand();
    // The second start cuts the first off: one short shuffling sound, never waited for.
    cues_.play(Cue::Deal, CueMode::Async);
    cues_.play(Cue::Deal, CueMode::Async);
    table_.drawnMarks.fill(false);
    random_.reseed();
    shuffleInto(table_.deckOrder, table_.drawnMarks, table_.deck, random_);
    view_.setHandText(std::string(nameAt(1)) + std::string(nameAt(2)));
    if (const auto total = pairValueAt(1)) {
        guardedSet(table_.playerPoints, *total, "playerPoints");
    }
    guardedSet(table_.dealtCount, 2, "dealtCount");
}

void Game::inicial1() {
    random_.reseed();
    chanceEvents();
    cues_.play(Cue::Win, CueMode::Sync);
    cues_.play(Cue::Deal, CueMode::Sync);
    cues_.play(Cue::Deal, CueMode::Sync);

    table_.drawnMarks2.fill(false);
    for (std::string& slot : table_.deck) {
        slot.clear();
    }
    random_.reseed();
    shuffleInto(table_.deckOrder, table_.drawnMarks2, table_.deck, random_);

    // The computer takes its whole hand now, by its own total alone.
    if (const auto total = pairValueAt(1)) {
        guardedSet(table_.computerPoints, *total, "computerPoints");
    }
    guardedSet(table_.dealtCount, 2, "dealtCount");
    for (int position = 3; position <= kComputerFirstHandLimit; ++position) {
        if (table_.computerPoints < kComputerStands) {
            cues_.play(Cue::Deal, CueMode::Sync);
            if (const auto value = valueAt(position)) {
                guardedAdd(table_.computerPoints, *value, "computerPoints");
            }
            guardedSet(table_.dealtCount, position, "dealtCount");
        }
    }

    const int first = table_.dealtCount + 1;
    guardedSet(table_.playerPoints, 0, "playerPoints");
    if (const auto total = pairValueAt(first)) {
        guardedSet(table_.playerPoints, *total, "playerPoints");
    }
    view_.setHandText(std::string(nameAt(first)) + std::string(nameAt(first + 1)));
    // The prompt's pieces run together; its result is not kept.
    (void)view_.messageBox("На кону" + moneyCaption(table_.stake) + "Мне хватит. Бери себе",
                           Buttons::Ok, {});
    guardedAdd(table_.dealtCount, 2, "dealtCount");
}

// At most one loss (only above 400, so it never empties the purse) and one gain (only while
// the player has something), each from its own roll.
void Game::chanceEvents() {
    if (table_.playerMoney > 400) {
        guardedSet(table_.eventRoll, drawEventRoll(random_), "eventRoll");
        if (table_.eventRoll == 6 || table_.eventRoll == 3) {
            chanceEvent(Cue::Lose, kExpense, -100);
        }
        if (table_.eventRoll == 18 || table_.eventRoll == 12) {
            chanceEvent(Cue::Lose, kFine, -200);
        }
    }
    if (table_.playerMoney > 0) {
        guardedSet(table_.eventRoll, drawEventRoll(random_), "eventRoll");
        if (table_.eventRoll == 10 || table_.eventRoll == 5) {
            chanceEvent(Cue::Gain, kStash, 300);
        }
        if (table_.eventRoll == 20 || table_.eventRoll == 15) {
            chanceEvent(Cue::Gain, kSale, 400);
        }
    }
}

void Game::chanceEvent(Cue cue, std::string_view prompt, int change) {
    announce(cue, prompt);
    if (table_.answer == kResultOk) {
        guardedAdd(table_.playerMoney, change, "playerMoney");
        showMoney(Control::Label4, table_.playerMoney);
    }
}

} // namespace game
