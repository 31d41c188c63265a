// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace game {

// The game's sounds. The rules name a cue by this; each home's cue player turns it into the
// file it plays through kCues.
enum class Cue {
    Door, // start-up, before the name is asked
    Kn,   // a new match
    Deal, // a card dealt
    Win,  // a deal opened
    Sv,   // a refusal: too many points, or a bet a side cannot cover
    Ooh,  // the player wins a deal
    Ye,   // the computer wins a deal
    Oba,  // a tie
    Lose, // a chance event takes money
    Gain, // a chance event brings money
    End,  // the player is broke
    Two,  // the computer is broke
    Fe,   // the exit command, before the farewell
    Bye,  // the farewell
};
inline constexpr std::size_t kCueCount = 14;

struct CueRow {
    Cue cue;
    // Looked up by bare name where the home keeps its sounds; a player's own file of the same
    // name replaces the game's. The build reads these names from this file too.
    std::string_view file;
};

// clang-format off
inline constexpr std::array<CueRow, kCueCount> kCues{{
    {Cue::Door, "door.wav"},
    {Cue::Kn, "kn.wav"},
    {Cue::Deal, "deal.wav"},
    {Cue::Win, "win.wav"},
    {Cue::Sv, "sv.wav"},
    {Cue::Ooh, "ooh.wav"},
    {Cue::Ye, "ye.wav"},
    {Cue::Oba, "oba.wav"},
    {Cue::Lose, "4.wav"},
    {Cue::Gain, "yes.wav"},
    {Cue::End, "end.wav"},
    {Cue::Two, "2.wav"},
    {Cue::Fe, "fe.wav"},
    {Cue::Bye, "bye.wav"},
}};
// clang-format on

[[nodiscard]] constexpr std::string_view cueFile(Cue cue) {
    return kCues[static_cast<std::size_t>(cue)].file;
}

} // namespace game
