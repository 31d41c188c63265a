// SPDX-License-Identifier: MIT
#pragma once

#include "game/bets.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string_view>

namespace game {

// The controls of the window, in the order of kControls below.
enum class Control {
    Label1,
    Label2,
    Label3,
    Label4,
    Label5,
    Label6,
    Label7,
    Label8,
    Text1,
    Command1,
    Command2,
    Command3,
    Command4,
    Command5,
    Command6,
    Command7,
    Command8,
    Command9,
};
inline constexpr std::size_t kControlCount = 18;

// The phases of a match: which of the hand and the nine buttons the window offers. The rules
// enter a phase; the window shows its controls and hides the others.
enum class Phase {
    BettingClosed,     // a new match, after a decided computer-first deal or a bank refill
    ChoosingBet,       // the four bets
    PlayerFirstDeal,   // the hand, "Еще" and "Бери себе"
    ComputerFirstDeal, // the hand, "Еще" and "Мне хватит"
    // A deal whose "Еще" the scolding past 40 has taken away: the hand and the deal's other
    // button stay. One for each kind of deal, since each keeps its own button.
    PlayerFirstDealNoMoreCards,
    ComputerFirstDealNoMoreCards,
};
inline constexpr std::size_t kPhaseCount = 6;
inline constexpr std::array<Phase, kPhaseCount> kPhases{
    Phase::BettingClosed,
    Phase::ChoosingBet,
    Phase::PlayerFirstDeal,
    Phase::ComputerFirstDeal,
    Phase::PlayerFirstDealNoMoreCards,
    Phase::ComputerFirstDealNoMoreCards,
};

[[nodiscard]] std::string_view phaseName(Phase phase);

class PhaseSet {
public:
    constexpr PhaseSet(std::initializer_list<Phase> phases) {
        for (const Phase phase : phases) {
            bits_ |= bit(phase);
        }
    }
    [[nodiscard]] static constexpr PhaseSet all() {
        PhaseSet set{};
        set.bits_ = (1U << kPhaseCount) - 1;
        return set;
    }
    [[nodiscard]] constexpr bool contains(Phase phase) const { return (bits_ & bit(phase)) != 0; }

private:
    static constexpr std::uint32_t bit(Phase phase) { return 1U << static_cast<unsigned>(phase); }
    std::uint32_t bits_ = 0;
};

enum class ControlKind { Label, Text, Button };

// Where a control stands on the table as designed, in twips from the client area's top-left
// corner; the window opens at 15 twips to the device-independent pixel.
struct Twips {
    int left;
    int top;
    int width;
    int height;
};

// Everything about one control: the window builds it from here, screen readers are told its
// name from here, and the phases that show it are here.
struct ControlRow {
    Control control;
    std::string_view name; // the window's object name
    ControlKind kind;
    std::string_view caption; // at creation
    Twips twips;
    int tabIndex;
    // What a screen reader calls it; empty: its caption. For a money caption, what the amount
    // counts: the label is read as «Ваши деньги: 900».
    std::string_view spokenName;
    std::string_view description; // what using it does, or what its caption shows
    bool showsMoney;
    PhaseSet shownIn; // the labels show in every phase
};

// clang-format off
inline constexpr std::array<ControlRow, kControlCount> kControls{{
    {Control::Label1, "Label1", ControlKind::Label, "Ваши карты", {567, 1417, 3515, 283}, 5,
     "", "", false, PhaseSet::all()},
    {Control::Label2, "Label2", ControlKind::Label, "Счет", {567, 0, 283, 227}, 6,
     "", "", false, PhaseSet::all()},
    {Control::Label3, "Label3", ControlKind::Label, "", {850, 0, 850, 227}, 7,
     "", "Имя игрока", false, PhaseSet::all()},
    {Control::Label4, "Label4", ControlKind::Label, "", {1701, 0, 567, 227}, 8,
     "Ваши деньги", "Сколько денег у вас", true, PhaseSet::all()},
    {Control::Label5, "Label5", ControlKind::Label, "Счет компа", {567, 283, 1134, 227}, 9,
     "", "", false, PhaseSet::all()},
    {Control::Label6, "Label6", ControlKind::Label, "", {1701, 283, 567, 227}, 10,
     "Деньги компьютера", "Сколько денег у компьютера", true, PhaseSet::all()},
    {Control::Label7, "Label7", ControlKind::Label, "На кону", {567, 567, 1134, 283}, 11,
     "", "", false, PhaseSet::all()},
    {Control::Label8, "Label8", ControlKind::Label, "", {1701, 567, 567, 283}, 12,
     "На кону", "Сколько денег на кону в этой раздаче", true, PhaseSet::all()},
    {Control::Text1, "Text1", ControlKind::Text, "", {567, 1701, 3515, 495}, 0,
     "Ваши карты", "Карты, которые вы взяли в этой раздаче", false,
     {Phase::PlayerFirstDeal, Phase::ComputerFirstDeal, Phase::PlayerFirstDealNoMoreCards,
      Phase::ComputerFirstDealNoMoreCards}},
    {Control::Command1, "Command1", ControlKind::Button, "Еще", {567, 2500, 1474, 495}, 1,
     "Еще", "Взять ещё одну карту", false, {Phase::PlayerFirstDeal}},
    {Control::Command2, "Command2", ControlKind::Button, "Бери себе", {2608, 2500, 1474, 495}, 2,
     "Бери себе", "Хватит карт: компьютер берёт карты себе, и раздача решается", false,
     {Phase::PlayerFirstDeal, Phase::PlayerFirstDealNoMoreCards}},
    {Control::Command3, "Command3", ControlKind::Button, "Еще", {567, 2551, 1474, 495}, 3,
     "Еще", "Взять ещё одну карту", false, {Phase::ComputerFirstDeal}},
    {Control::Command4, "Command4", ControlKind::Button, "Мне хватит", {2608, 2551, 1474, 495}, 4,
     "Мне хватит", "Больше не брать карт: раздача решается", false,
     {Phase::ComputerFirstDeal, Phase::ComputerFirstDealNoMoreCards}},
    {Control::Command5, "Command5", ControlKind::Button, "Делайте ставки",
     {1616, 2551, 1417, 567}, 13,
     "Делайте ставки", "Выбрать ставку на следующую раздачу", false, {Phase::BettingClosed}},
    {Control::Command6, "Command6", ControlKind::Button, kBets[0].caption, {240, 2551, 595, 567}, 14,
     kBets[0].spokenName, kBets[0].description, false, {Phase::ChoosingBet}},
    {Control::Command7, "Command7", ControlKind::Button, kBets[1].caption, {1200, 2551, 595, 567}, 15,
     kBets[1].spokenName, kBets[1].description, false, {Phase::ChoosingBet}},
    {Control::Command8, "Command8", ControlKind::Button, kBets[2].caption, {2160, 2551, 595, 567}, 16,
     kBets[2].spokenName, kBets[2].description, false, {Phase::ChoosingBet}},
    {Control::Command9, "Command9", ControlKind::Button, kBets[3].caption, {3137, 2551, 595, 567}, 17,
     kBets[3].spokenName, kBets[3].description, false, {Phase::ChoosingBet}},
}};
// clang-format on

// The window as it is created shows the controls of a new match.
inline constexpr Phase kPhaseAtCreation = Phase::BettingClosed;

[[nodiscard]] constexpr const ControlRow& rowOf(Control control) {
    return kControls[static_cast<std::size_t>(control)];
}

[[nodiscard]] constexpr bool isShownIn(Control control, Phase phase) {
    return rowOf(control).shownIn.contains(phase);
}

} // namespace game
