#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Faults planted by hand in the game and the window, one at a time, to show what the test suite
# catches. Each fault is a sed edit of one line; the script builds a scratch copy of a commit,
# applies each fault alone, rebuilds, runs the tests the fault concerns, and says which of them
# failed, or that the build itself refused the fault. A fault that nothing catches is a hole in
# the suite.
#   tests/planted_faults.sh [COMMIT]     (default HEAD; the checkout itself is never touched)
# Exit status: the number of faults missed, or 100 when a fault no longer applies to the code.
set -euo pipefail
cd "$(dirname "$0")/.."
commit=${1:-HEAD}

names=() files=() edits=() labels=()
# fault LABELS FILE SED-EDIT WHAT: LABELS is the ctest label expression of the tests to run.
fault() {
    labels+=("$1") files+=("$2") edits+=("$3") names+=("$4")
}

fault game game/cards.cpp 's/{"дама", 3, Rank::Queen},/{"дама", 4, Rank::Queen},/' \
    "a queen is worth 4"
fault game game/game.cpp 's/if (winner == Outcome::PlayerWins) {/if (winner != Outcome::PlayerWins) {/' \
    "a decided deal pays the stake to the loser"
fault game game/game.cpp 's/guardedSet(table_.stake, 2 \* static_cast<std::int64_t>(table_.stake), "stake");/guardedSet(table_.stake, static_cast<std::int64_t>(table_.stake), "stake");/' \
    "a tie leaves the stake as it was"
fault game game/player_first_settlement.cpp '0,/view_.showPhase(Phase::ComputerFirstDeal);/s//view_.showPhase(Phase::PlayerFirstDeal);/' \
    "a decided player-first deal is followed by the player-first buttons"
fault game game/controls.h 's/{Phase::ComputerFirstDeal, Phase::ComputerFirstDealNoMoreCards}},/{Phase::PlayerFirstDeal, Phase::ComputerFirstDeal, Phase::ComputerFirstDealNoMoreCards}},/' \
    "the phase table's player-first deal shows «Мне хватит»"
fault 'game|ui' game/computer_first_settlement.cpp 's/    view_.showPhase(Phase::PlayerFirstDeal);/    view_.showPhase(Phase::ComputerFirstDeal);/' \
    "a tied computer-first deal enters the computer-first phase again"
fault game game/bets.cpp 's/return before > 0 && before < bet &&/return before > 0 \&\& before < bet - 25 \&\&/' \
    "a bet 25 more than a side holds is accepted"
fault 'game|ui' game/menu_commands.cpp '/cues_.play(Cue::Fe, CueMode::Sync);/d' \
    "the exit command plays no fe.wav"
fault game game/money.cpp 's/amount < 0 ? "" : " "/amount <= 0 ? "" : " "/' \
    "a money caption of 0 loses its blank"
fault 'game|ui' game/game.cpp 's/if (running_ || ending_) {/if (ending_) {/' \
    "the gate lets a second command in while one runs"
fault game game/game.h 's/kComputerStands = 16;/kComputerStands = 17;/' \
    "the computer draws on 16"
fault game game/draws.cpp 's/kScoldAbove = 40;/kScoldAbove = 41;/' \
    "41 points go unscolded"
fault game game/openings.cpp 's/if (table_.eventRoll == 6 || table_.eventRoll == 3) {/if (table_.eventRoll == 7 || table_.eventRoll == 3) {/' \
    "the expense comes on a roll of 7, not 6"
fault game game/end_of_match.cpp 's/money < 0 : money <= 0;/money <= 0 : money <= 0;/' \
    "a side left with 0 after a bet is out of the match"
fault game game/menu_commands.cpp 's/^    view_.messageBox(kAboutText, Buttons::Ok, kAboutTitle);/    table_.answer = view_.messageBox(kAboutText, Buttons::Ok, kAboutTitle);/' \
    "the about box overwrites the answer a deal is about to test"
fault game game/game.cpp 's|#include "game/money.h"|#include "game/money.h"\n#include "sound/cue_file.h"|' \
    "the rules include a header of the sound layer"
fault game game/random_source.cpp 's/engine_() >> 11/engine_() >> 12/' \
    "the game's own random source draws only from [0, 0.5)"
fault ui ui/qt_view.cpp 's/return title.empty() ? QGuiApplication::applicationDisplayName() : fromUtf8(title);/return QGuiApplication::applicationDisplayName();/' \
    "the about box loses its own title"
fault ui ui/qt_view.cpp '/        form_.control(first->control)->setFocus(Qt::OtherFocusReason);/d' \
    "the keyboard focus stays behind on a hidden button"
fault 'ui|e2e' game/controls.h 's/ControlKind::Button, "Бери себе",/ControlKind::Button, "Бери  себе",/' \
    "«Бери себе» is captioned with two blanks"
fault ui ui/input_blocker.cpp 's/if (!isPlayerInput(\*event)) {/if (true) {/' \
    "a click made while a cue plays is let through"
fault ui ui/qt_view.cpp 's/return form_.isVisible() ? &form_ : nullptr;/return \&form_;/' \
    "the name box belongs to a window nobody can see"
fault ui ui/commands.cpp 's/QCoreApplication::exit(EXIT_SUCCESS);/QCoreApplication::exit(1);/' \
    "leaving the game ends with a failure status"
fault ui ui/application_setup.cpp '/^    installQtTranslation(application);/d' \
    "the boxes' buttons are left in English"
fault ui ui/card_pictures.cpp 's/"jack", "queen", "king", "1"};/"queen", "jack", "king", "1"};/' \
    "a jack is drawn as the queen of its suit"
fault ui ui/hand_cards.cpp 's/    setVisible(hand_.isVisibleTo(parentWidget()) \&\&/    setVisible(/' \
    "the cards stay on the table when the hand box is hidden"
fault a11y game/bets.h 's/{100, "100", "Ставка 100",/{100, "100", "Ставка: 100",/' \
    "a screen reader hears the 100 bet as «Ставка: 100»"
fault web web/shell.js 's/^        element.textContent = text;$/        element.innerHTML = text;/' \
    "the page sets a caption as markup"
fault pulse sound/pulse_cue_player.cpp 's/^    if (waiting_ || !soundOn_) {/    if (!soundOn_ \&\& mode == game::CueMode::Sync) { if (auto muted = loadCue(folders_, name, kLongestCue)) { waiter_.waitUntil([] { return false; }, game::Waiter::Clock::now() + muted->length()); } }\n    if (waiting_ || !soundOn_) {/' \
    "with the sound off a synchronous cue is unheard but still waited for"
fault pipewire sound/pulse_output.cpp 's/^        std::min(total - playing_->writtenBytes, room) \/ frameBytes \* frameBytes;/        std::min(total - playing_->writtenBytes, playing_->writtenBytes == 0 ? frameBytes * static_cast<std::size_t>(playing_->cue.rate) \/ 5 : room) \/ frameBytes * frameBytes; if (bytes > 0 \&\& playing_->writtenBytes > 0) { const timespec stall{0, 300000000L}; nanosleep(\&stall, nullptr); }/' \
    "the player writes a cue's first 200 ms, then stalls 300 ms before the rest, and its stream runs dry"
fault a11y ui/qt_view.cpp 's/^            spokenMoney_.changed();/            static_cast<void>(label);/' \
    "a change of the money is never told to a screen reader"

scratch=$(mktemp -d "${TMPDIR:-/tmp}/zuvik-faults.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/src" "$scratch/pristine"
git archive "$commit" | tar -x -C "$scratch/src"
git archive "$commit" game ui sound | tar -x -C "$scratch/pristine"
echo "== $(git rev-parse --short "$commit"): building a scratch copy"
cmake -S "$scratch/src" -B "$scratch/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$scratch/build" -j "$(nproc)" >/dev/null

missed=0
for i in "${!names[@]}"; do
    file=${files[$i]}
    sed -i -e "${edits[$i]}" "$scratch/src/$file"
    if cmp -s "$scratch/src/$file" "$scratch/pristine/$file"; then
        echo "!! fault $((i + 1)) no longer applies to $file: ${names[$i]}"
        exit 100
    fi
    if ! cmake --build "$scratch/build" -j "$(nproc)" >"$scratch/build.log" 2>&1; then
        error=$(grep -m 1 'error' "$scratch/build.log" || true)
        echo "caught  $((i + 1)). ${names[$i]} ($file): the build, ${error#*/src/}"
        cp "$scratch/pristine/$file" "$scratch/src/$file"
        continue
    fi
    failed=$(ctest --test-dir "$scratch/build" -L "${labels[$i]}" --timeout 300 2>&1 |
        sed -n 's/^[[:space:]]*[0-9]* - \([^ ]*\).* (.*)$/\1/p' || true)
    if [ -n "$failed" ]; then
        count=$(wc -l <<<"$failed")
        shown=$(head -n 3 <<<"$failed" | paste -sd ' ')
        [ "$count" -gt 3 ] && shown="$shown … ($count in all)"
        echo "caught  $((i + 1)). ${names[$i]} ($file): $shown"
    else
        echo "MISSED  $((i + 1)). ${names[$i]} ($file), tests -L '${labels[$i]}'"
        missed=$((missed + 1))
    fi
    cp "$scratch/pristine/$file" "$scratch/src/$file"
done
echo "== ${#names[@]} faults planted, $((${#names[@]} - missed)) caught, $missed missed"
exit "$missed"
