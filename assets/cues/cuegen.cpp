// SPDX-License-Identifier: MIT
// Synthesises the game's fourteen cues into the folder named on the command line.
#include "game/cues.h"
#include "synth.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <string_view>

namespace {

using namespace cuegen;

// Equal-tempered pitch, counted in semitones from A4.
double note(int semitonesFromA4) {
    return 440.0 * std::pow(2.0, semitonesFromA4 / 12.0);
}

constexpr int C5 = 3, E5 = 7, G5 = 10, C6 = 15, E6 = 19, G6 = 22, C7 = 27;
constexpr int G4 = -2, E4 = -5;

// A bell's ring: the minor-third and fifth-above-octave modes decay faster than the hum.
constexpr std::array<Partial, 5> bell{
    {{1.0, 1.0, 0.55}, {2.0, 0.55, 0.35}, {2.4, 0.35, 0.25}, {3.0, 0.25, 0.18}, {4.2, 0.12, 0.10}}};
// A small glockenspiel bar.
constexpr std::array<Partial, 3> chime{{{1.0, 1.0, 0.30}, {2.76, 0.40, 0.10}, {5.40, 0.18, 0.05}}};
// A thin coin: bright inharmonic modes that die quickly.
constexpr std::array<Partial, 4> coin{
    {{1.0, 1.0, 0.10}, {1.47, 0.6, 0.08}, {2.09, 0.45, 0.06}, {2.56, 0.3, 0.05}}};

Curve steady(double hz) {
    return [hz](double) { return hz; };
}

// Brass: a full harmonic series whose upper harmonics open up during the attack.
double brass(int k, double, double t) {
    const double bright = 0.35 + 0.65 * std::min(1.0, t / 0.05);
    return std::pow(bright, k - 1) / std::pow(k, 0.7);
}

// Odd harmonics only, like a clarinet or an organ's reed stop.
double reed(int k, double, double) {
    return k % 2 == 1 ? 1.0 / k : 0.0;
}

// A soft flute-like tone: the fundamental and a hint of the octave.
double soft(int k, double, double) {
    return k == 1 ? 1.0 : k == 2 ? 0.25 : k == 3 ? 0.08 : 0.0;
}

// The vowel "oo": harmonics that fall near its two formants sound loudest.
double oo(int k, double f0, double) {
    const auto formant = [](double f, double centre, double width) {
        const double d = (f - centre) / width;
        return 1.0 / (1.0 + d * d);
    };
    const double f = k * f0;
    return formant(f, 320.0, 90.0) + 0.5 * formant(f, 850.0, 120.0) + 0.004;
}

Signal door() { // ding-dong
    Signal out = silence(1.4);
    mix(out, strike(note(E5), 1.0, bell), 0.0);
    mix(out, strike(note(C5), 0.95, bell), 0.45);
    return out;
}

Signal kn() { // a riffle shuffle, then the cards squared up
    Signal out = silence(1.0);
    double at = 0.0;
    std::uint32_t seed = 11;
    for (int card = 0; card < 34; ++card) {
        Signal flick = bandpass(noise(0.006, seed++), steady(2500.0 + 60.0 * (card % 7)), 2.0);
        shape(flick, [](double t) { return std::exp(-t / 0.0015); });
        mix(out, flick, at, 0.6 + 0.4 * ((card * 5) % 3) / 2.0);
        at += 0.030 - 0.0005 * card;
    }
    Signal square = bandpass(noise(0.12, 97), steady(900.0), 1.2);
    shape(square, [](double t) { return std::min(1.0, t / 0.01) * std::exp(-t / 0.03); });
    mix(out, square, 0.82, 1.5);
    return out;
}

Signal deal() { // one card snapped onto the table
    Signal snap = noise(0.12, 3);
    highpass(snap, 1500.0);
    shape(snap, [](double t) { return std::exp(-t / 0.012); });
    Signal thump = voice(0.12, steady(170.0), soft, [](double t) { return std::exp(-t / 0.02); });
    mix(snap, thump, 0.0, 0.6);
    return snap;
}

Signal win() { // the deal opens: a rising chime
    Signal out = silence(1.0);
    const std::array notes{C6, E6, G6, C7};
    for (std::size_t i = 0; i < notes.size(); ++i) {
        mix(out, strike(note(notes[i]), 0.7, chime), 0.09 * static_cast<double>(i));
    }
    return out;
}

Signal sv() { // a disapproving double buzz
    Signal out = silence(0.65);
    const auto buzz = [](double from, double to) {
        return voice(
            0.24, [=](double t) { return from + (to - from) * t / 0.24; },
            [](int k, double, double) { return 1.0 / k; },
            [](double t) { return std::min(1.0, t / 0.01) * (t < 0.2 ? 1.0 : (0.24 - t) / 0.04); });
    };
    mix(out, buzz(118.0, 112.0), 0.0);
    mix(out, buzz(110.0, 92.0), 0.34);
    return out;
}

Signal ooh() { // the computer's disappointed "ooh", falling away
    return voice(
        1.1,
        [](double t) {
            const double glide = 420.0 * std::pow(180.0 / 420.0, std::min(1.0, t / 0.9));
            return glide * (1.0 + 0.02 * std::sin(2.0 * std::numbers::pi * 5.0 * t));
        },
        oo, [](double t) { return swell(t, 0.06, 0.75, 0.12); });
}

Signal ye() { // the computer gloats: a bright rising fanfare
    Signal out = silence(1.2);
    const std::array<int, 4> notes{G4, C5, E5, G5};
    for (std::size_t i = 0; i < notes.size(); ++i) {
        const bool last = i + 1 == notes.size();
        const double length = last ? 0.84 : 0.13;
        mix(out,
            voice(length, steady(note(notes[i])), brass,
                  [=](double t) { return swell(t, 0.015, length - 0.06, 0.03); }),
            0.12 * static_cast<double>(i));
    }
    return out;
}

Signal oba() { // a tie: two equal notes
    Signal out = silence(0.7);
    for (int i = 0; i < 2; ++i) {
        mix(out,
            voice(0.3, steady(note(0)), soft, [](double t) { return swell(t, 0.01, 0.05, 0.07); }),
            0.32 * i);
    }
    return out;
}

Signal coins(const std::array<double, 6>& pitches, double spacing) {
    Signal out = silence(1.0);
    for (std::size_t i = 0; i < pitches.size(); ++i) {
        mix(out, strike(pitches[i], 0.4, coin), spacing * static_cast<double>(i),
            1.0 - 0.06 * static_cast<double>(i % 3));
    }
    return out;
}

Signal lost() { // money taken: coins dropping away, lower and lower
    return coins({2600.0, 2300.0, 2050.0, 1800.0, 1580.0, 1400.0}, 0.11);
}

Signal found() { // money found: coins piling up, higher and higher, with a sparkle
    Signal out = coins({1400.0, 1580.0, 1800.0, 2050.0, 2300.0, 2600.0}, 0.09);
    mix(out, strike(note(C7), 0.45, chime), 0.55, 0.8);
    return out;
}

Signal broke() { // the player is broke: a sad, sinking "wah wah wah waaah"
    Signal out = silence(1.5);
    const std::array<int, 4> notes{G4, G4 - 1, G4 - 2, E4};
    for (std::size_t i = 0; i < notes.size(); ++i) {
        const bool last = i + 1 == notes.size();
        const double length = last ? 0.6 : 0.3;
        const double base = note(notes[i]);
        const auto wah = [=](int k, double, double t) {
            const double open = std::sin(std::numbers::pi * std::min(1.0, t / length));
            return std::pow(0.25 + 0.5 * open, k - 1) / k;
        };
        const auto pitch = [=](double t) {
            return last ? base * (1.0 + 0.012 * std::sin(2.0 * std::numbers::pi * 6.0 * t)) : base;
        };
        mix(out,
            voice(length, pitch, wah,
                  [=](double t) { return swell(t, 0.02, length - 0.08, 0.04); }),
            0.29 * static_cast<double>(i));
    }
    return out;
}

Signal computerBroke() { // the computer is broke: a triumphant chord
    Signal out = silence(1.3);
    mix(out,
        voice(0.1, steady(note(E5)), reed, [](double t) { return swell(t, 0.01, 0.07, 0.02); }),
        0.0);
    mix(out,
        voice(0.1, steady(note(G5)), reed, [](double t) { return swell(t, 0.01, 0.07, 0.02); }),
        0.11);
    const auto chord = [](double t) {
        return std::min(1.0, t / 0.02) * (t < 0.8 ? 1.0 : std::exp(-(t - 0.8) / 0.08));
    };
    for (int pitch : {C5, E5, G5, C6}) {
        const auto tremolo = [pitch](double t) {
            return note(pitch) * (1.0 + 0.006 * std::sin(2.0 * std::numbers::pi * 5.5 * t));
        };
        mix(out, voice(1.06, tremolo, reed, chord), 0.22);
    }
    return out;
}

Signal fe() { // "phew": a breath of air, falling
    const auto falling = [](double t) { return 2600.0 * std::pow(0.2, t / 0.55); };
    Signal out = bandpass(noise(0.55, 41), falling, 1.5);
    shape(out, [](double t) { return swell(t, 0.08, 0.15, 0.1); });
    return out;
}

Signal bye() { // farewell: "bye-bye", a falling pair of notes
    Signal out = silence(0.95);
    const auto vibrato = [](double hz) {
        return [hz](double t) {
            return hz * (1.0 + 0.01 * std::sin(2.0 * std::numbers::pi * 5.0 * t));
        };
    };
    mix(out,
        voice(0.32, vibrato(note(G5)), soft, [](double t) { return swell(t, 0.02, 0.2, 0.05); }),
        0.0);
    mix(out,
        voice(0.55, vibrato(note(E5)), soft, [](double t) { return swell(t, 0.02, 0.3, 0.08); }),
        0.36);
    return out;
}

struct Recipe {
    game::Cue cue;
    Signal (*make)();
};

// One recipe for each of the game's cues, in the order of its table.
constexpr std::array<Recipe, game::kCueCount> recipes{{{game::Cue::Door, door},
                                                       {game::Cue::Kn, kn},
                                                       {game::Cue::Deal, deal},
                                                       {game::Cue::Win, win},
                                                       {game::Cue::Sv, sv},
                                                       {game::Cue::Ooh, ooh},
                                                       {game::Cue::Ye, ye},
                                                       {game::Cue::Oba, oba},
                                                       {game::Cue::Lose, lost},
                                                       {game::Cue::Gain, found},
                                                       {game::Cue::End, broke},
                                                       {game::Cue::Two, computerBroke},
                                                       {game::Cue::Fe, fe},
                                                       {game::Cue::Bye, bye}}};

constexpr bool oneRecipeForEachCue() {
    for (std::size_t index = 0; index < recipes.size(); ++index) {
        if (recipes[index].cue != game::kCues[index].cue) {
            return false;
        }
    }
    return true;
}
static_assert(oneRecipeForEachCue(), "every cue of the game needs its recipe, in table order");

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT-FOLDER\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder(argv[1]);
    for (const auto& recipe : recipes) {
        const std::filesystem::path file = folder / game::cueFile(recipe.cue);
        if (!writeCue(file, recipe.make())) {
            std::fprintf(stderr, "%s: cannot write %s\n", argv[0], file.c_str());
            return 1;
        }
    }
    return 0;
}
