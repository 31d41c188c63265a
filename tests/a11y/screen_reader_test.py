#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Plays the start of a match as a blind player would: reading the window through AT-SPI, as a
screen reader does, and acting through the accessibility action interface and the keyboard only.

    screen_reader_test.py GAME_EXECUTABLE

Run under an X server and a private D-Bus session (see run_screen_reader_test.sh). Buttons whose
handler opens no box are pressed with the action interface. A match played by keys alone, and what
a screen reader says of it, is orca_test.py's.
"""
import os
import re
import subprocess
import sys
import time

import pyatspi

sys.path.insert(0, os.path.join(os.path.dirname(os.path.realpath(__file__)), "..", "support"))
from atspi_game import (Failure, Game, check, dialog_text, find_all, find_one, press, showing,
                        wait_for, walk)

MONEY = r"-?\d+"


def focus_x_window(title_pattern):
    """With no window manager nobody gives a new window the keyboard: give it, as a click would."""
    window = wait_for(
        f"an X window titled {title_pattern}",
        lambda: subprocess.run(
            ["xdotool", "search", "--onlyvisible", "--name", title_pattern],
            capture_output=True, text=True).stdout.split())[-1]  # the newest, on top
    subprocess.run(["xdotool", "windowfocus", "--sync", window], check=False, timeout=10)
    time.sleep(0.3)


def caption(window, pattern):
    """The one showing label whose name matches pattern."""
    found = [l.name for l in find_all(window, pyatspi.ROLE_LABEL) if re.fullmatch(pattern, l.name)]
    return found[0] if len(found) == 1 else None


def money(window, spoken_as):
    name = caption(window, re.escape(spoken_as) + ": " + MONEY)
    return int(name.rsplit(" ", 1)[1]) if name else None


def play(game):
    # The greeting: the input box and its prompt are read, the name goes into its entry.
    box = wait_for("the input box", game.dialog)
    check(box.name == "Зувик", f"the input box is titled 'Зувик' (it is '{box.name}')")
    entry = wait_for("the name entry", lambda: find_all(box, pyatspi.ROLE_TEXT))[0]
    check(entry.name == "Вы хотите сыграть? Тогда представьтесь",
          f"the name entry is announced with its prompt ('{entry.name}')")
    entry.queryEditableText().setTextContents("Тестер")
    press(wait_for("the OK button", lambda: find_one(box, pyatspi.ROLE_PUSH_BUTTON, "OK")))

    welcome = wait_for("the welcome box", lambda: (b := game.dialog()) and b != box and dialog_text(b) and b)
    text = dialog_text(welcome)
    check(text == "Проходите пожалуйста господинТестерЖелаем вам хорошо провести время.",
          f"the welcome box reads the player's name run into its text: '{text}'")
    press(wait_for("the welcome's OK", lambda: find_one(welcome, pyatspi.ROLE_PUSH_BUTTON, "OK")))

    window = wait_for("the main window", game.main_window)
    focus_x_window('^Игра "Зувик"$')
    wait_for("the opening captions", lambda: money(window, "Ваши деньги") == 1000)
    check(money(window, "Деньги компьютера") == 1000, "the captions read 'Ваши деньги: 1000' and 'Деньги компьютера: 1000'")
    check(caption(window, "На кону: ничего") is not None, "the empty stake is read as 'На кону: ничего'")
    check(caption(window, "Тестер") is not None, "the player's name is read")
    bare = [l.name for l in find_all(window, pyatspi.ROLE_LABEL) if re.fullmatch(r"\s*-?\d+\s*", l.name)]
    check(not bare, f"no caption is read as a bare number {bare}")

    bet_open = find_one(window, pyatspi.ROLE_PUSH_BUTTON, "Делайте ставки")
    check(bet_open is not None, "the button 'Делайте ставки' is found by role and name")
    check(find_one(window, pyatspi.ROLE_PUSH_BUTTON, "Ставка 100") is None, "no bet is offered before the betting opens")
    press(bet_open)
    bet = wait_for("the bet buttons", lambda: find_one(window, pyatspi.ROLE_PUSH_BUTTON, "Ставка 100"))
    offered = sorted(b.name for b in find_all(window, pyatspi.ROLE_PUSH_BUTTON))
    check(offered == ["Ставка 100", "Ставка 200", "Ставка 25", "Ставка 50"],
          f"pressing it through the action interface offers the four bets {offered}")
    press(bet)

    wait_for("the bet to reach the captions", lambda: money(window, "Ваши деньги") == 900)
    check(money(window, "Деньги компьютера") == 900 and money(window, "На кону") == 200,
          "after 'Ставка 100' the captions read 'Ваши деньги: 900', 'Деньги компьютера: 900', 'На кону: 200'")
    hand = wait_for("the hand", lambda: find_one(window, pyatspi.ROLE_TEXT, "Ваши карты"))
    cards = hand.queryText().getText(0, -1)
    check(re.fullmatch(r"( \S+ \S+){2}", cards) is not None, f"the hand is read as two cards: '{cards}'")



def main():
    game = Game(sys.argv[1])
    try:
        play(game)
    except Failure as failure:
        print("FAIL:", failure, file=sys.stderr)
        window = game.main_window()
        if window is not None:
            read = [f"{a.getRoleName()} '{a.name}'" for a in walk(window)
                    if a.getRole() in (pyatspi.ROLE_LABEL, pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TEXT)
                    and showing(a)]
            print("The window reads: " + ", ".join(read), file=sys.stderr)
        return 1
    finally:
        game.close()
    print("a screen reader can play: every check passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
