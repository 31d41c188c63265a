#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Plays a deal of the built game natively on Wayland and checks what the compositor was told.

    wayland_test.py GAME_EXECUTABLE SCALE SCREENSHOT_PREFIX

Keeps SCREENSHOT_PREFIX.png (the window during the deal), SCREENSHOT_PREFIX-maximized.png (the
same deal with the window maximized) and SCREENSHOT_PREFIX-box.png (the box that settles it, over
the maximized window).

Run under weston (WAYLAND_DISPLAY) shown as a window of an X server (DISPLAY), on a private D-Bus
session: see run_wayland_test.sh. On Wayland nothing outside the compositor can give a window the
keyboard, so the game is played through AT-SPI: the name is written into the input box's entry and
every button, a box's OK included, is pressed through its action (Qt clicks it a moment later, so
each press is followed by waiting for what it brings). F1 and weston's key for maximizing and
restoring a window go in through weston's own X window.
What the compositor knows of the game's windows is read from the game's Wayland requests
(WAYLAND_DEBUG), as weston received them.
"""
import os
import re
import subprocess
import sys
import tempfile
import time

import pyatspi

sys.path.insert(0, os.path.join(os.path.dirname(os.path.realpath(__file__)), "..", "support"))
from atspi_game import MAIN_TITLE, Failure, Game, check, dialog_text, find_all, find_one, press, wait_for

APP_ID = "io.github.zuvik.Zuvik"
CLIENT_WIDTH, CLIENT_HEIGHT = 312, 210  # the client area as the window opens, 15 twips a pixel
BUTTON_TWIPS = (1474, 495)  # «Бери себе» and «Мне хватит» as designed
# Debian 12's libwayland (1.21) writes an object as interface@id, Debian 13's (1.23) and later ones
# as interface#id; a later one may colour the line.
REQUEST = re.compile(r" -> (\w+)[@#](\d+)\.(\w+)\((.*)\)$")
OBJECT_ID = re.compile(r"[@#](\d+)")
COLOUR = re.compile(r"\x1b\[[0-9;]*m")


def toplevels(log):
    """The game's xdg toplevels in the order it made them, each with what it asked for it: title,
    app id, parent (another of them or None), minimum and maximum size as first asked, and buffer
    scale."""
    made, live, shell_surfaces, surface_scale = [], {}, {}, {}
    for line in log:
        request = REQUEST.search(COLOUR.sub("", line))
        if not request:
            continue
        interface, number, name, arguments = request.groups()
        ids = OBJECT_ID.findall(arguments)
        if interface == "wl_compositor" and name == "create_surface":
            surface_scale[ids[0]] = 1
        elif interface == "wl_surface" and name == "set_buffer_scale":
            surface_scale[number] = int(arguments)
            for toplevel in live.values():
                if toplevel["surface"] == number:
                    toplevel["scale"] = int(arguments)
        elif interface == "xdg_wm_base" and name == "get_xdg_surface":
            shell_surfaces[ids[0]] = ids[1]
        elif interface == "xdg_surface" and name == "get_toplevel":
            surface = shell_surfaces[number]
            live[ids[0]] = {"surface": surface, "scale": surface_scale.get(surface, 1), "title": None,
                            "app_id": None, "parent": None, "min": None, "max": None}
            made.append(live[ids[0]])
        elif interface == "xdg_toplevel" and number in live:
            toplevel = live[number]
            if name == "destroy":
                del live[number]
            elif name == "set_parent":
                toplevel["parent"] = live.get(ids[0]) if ids else None
            elif name in ("set_title", "set_app_id"):
                toplevel[name[4:]] = arguments[1:-1]
            elif name in ("set_min_size", "set_max_size") and toplevel[name[4:7]] is None:
                # The first size asked for is the contents'; Qt 6.8 asks again with its frame added.
                toplevel[name[4:7]] = tuple(int(n) for n in arguments.split(","))
    return made


def weston_window():
    """Weston's output is a window of the X server, found by its class (xdotool misses its title)."""
    found = subprocess.run(["xdotool", "search", "--class", "^Weston Compositor$"], capture_output=True,
                           text=True, timeout=10).stdout.split()
    if not found:
        raise Failure("weston has no window on the X server")
    return found[0]


def press_key_in_weston(key):
    """Types a key into weston's X window, which passes it to the surface it has focused."""
    subprocess.run(["xdotool", "windowfocus", "--sync", weston_window(), "key", key], check=True, timeout=10)


def screenshot(path):
    time.sleep(0.3)  # what AT-SPI already shows may be a frame away from the screen
    subprocess.run(["import", "-window", weston_window(), path], check=True, timeout=30)


def size(accessible):
    extents = accessible.queryComponent().getExtents(pyatspi.WINDOW_COORDS)
    return extents.width, extents.height


def toggle_maximized(window):
    """Weston's key for maximizing the focused window, and for restoring it: the compositor tells
    the game the size to take, as it does when the player uses the maximize button of the title bar
    that Qt draws on every window."""
    wait_for("the window to have the keyboard", lambda: window.getState().contains(pyatspi.STATE_ACTIVE))
    press_key_in_weston("super+shift+m")


def check_scaled(window, button, what):
    """The button's extents, as a screen reader gets them, are its designed size times the factor at
    which the whole table fits the client area (the window less its menu bar)."""
    width, height = size(window)
    menu_bar = size(find_all(window, pyatspi.ROLE_MENU_BAR)[0])[1]
    factor = min(width / CLIENT_WIDTH, (height - menu_bar) / CLIENT_HEIGHT)
    expected = tuple(twips * factor / 15 for twips in BUTTON_TWIPS)
    shown = size(button)
    check(all(abs(s - e) <= 1 for s, e in zip(shown, expected)),
          f"{what}: «{button.name}» is {shown[0]}x{shown[1]}, its design times {factor:.2f}")


def answer_ok(game, box):
    """Presses the box's OK and returns its text once it has closed."""
    text = wait_for("the box's text", lambda: dialog_text(box))
    press(wait_for("the box's OK", lambda: find_one(box, pyatspi.ROLE_PUSH_BUTTON, "OK")))
    wait_for("the box to close", lambda: (b := game.dialog()) is None or dialog_text(b) != text)
    return text


def play(game, screenshots):
    box = wait_for("the name box", game.dialog)
    entry = wait_for("its entry", lambda: find_all(box, pyatspi.ROLE_TEXT))[0]
    entry.queryEditableText().setTextContents("Тестер")
    press(wait_for("its OK", lambda: find_one(box, pyatspi.ROLE_PUSH_BUTTON, "OK")))
    welcome = wait_for("the welcome box", lambda: (b := game.dialog()) and "Тестер" in dialog_text(b) and b)
    press(find_one(welcome, pyatspi.ROLE_PUSH_BUTTON, "OK"))
    window = wait_for("the main window", game.main_window)

    bet = wait_for("«Делайте ставки»", lambda: find_one(window, pyatspi.ROLE_PUSH_BUTTON, "Делайте ставки"))
    # Weston hands the keyboard to a new window a moment after it appears.
    wait_for("the window to have the keyboard", lambda: window.getState().contains(pyatspi.STATE_ACTIVE))
    press_key_in_weston("F1")
    rules = wait_for("the rules", lambda: (b := game.dialog()) and find_all(b, pyatspi.ROLE_TEXT) and b)
    press(wait_for("the rules' OK", lambda: find_one(rules, pyatspi.ROLE_PUSH_BUTTON, "OK")))
    wait_for("the rules to close", lambda: game.dialog() is None)
    print("ok: F1 shows the rules and their OK closes them")

    press(bet)
    press(wait_for("«Ставка 25»", lambda: find_one(window, pyatspi.ROLE_PUSH_BUTTON, "Ставка 25")))
    stand = wait_for("«Бери себе»", lambda: find_one(window, pyatspi.ROLE_PUSH_BUTTON, "Бери себе"))
    screenshot(screenshots + ".png")
    opened = size(window), size(stand)
    check_scaled(window, stand, "as the window opens")

    toggle_maximized(window)
    wait_for("the table to grow", lambda: size(stand)[0] > 1.5 * opened[1][0])
    check_scaled(window, stand, "maximized")
    screenshot(screenshots + "-maximized.png")
    press(stand)
    outcome = wait_for("the outcome box", game.dialog)
    text = wait_for("its text", lambda: dialog_text(outcome))
    check(re.match(r"[уУ] вас \d+у компа \d+", text), f"«Бери себе» settles the deal in a box: '{text}'")
    wait_for("the box on the screen", lambda: find_one(outcome, pyatspi.ROLE_PUSH_BUTTON, "OK"))
    screenshot(screenshots + "-box.png")
    # Qt's title bar offers maximize on a box as well.
    opened_box = size(outcome)
    toggle_maximized(outcome)
    wait_for("the box to grow", lambda: size(outcome)[0] > 1.5 * opened_box[0])
    answer_ok(game, outcome)
    print("ok: the outcome box, maximized, is answered with its OK and the match goes on")

    # The computer's deal shows its buttons first and then opens with boxes of its own, the last
    # of them announcing the stake; after that it is the player's turn, with no box up.
    answered = []
    def at_the_players_turn():
        box = game.dialog()
        if box is not None:
            answered.append(answer_ok(game, box))
            return None
        return any(text.startswith("На кону") for text in answered) and \
            find_one(window, pyatspi.ROLE_PUSH_BUTTON, "Мне хватит")
    hold = wait_for("the computer-first deal", at_the_players_turn)
    check_scaled(window, hold, "still maximized, the next deal")
    toggle_maximized(window)
    wait_for("the window to be restored", lambda: size(window) == opened[0])
    check(size(hold) == opened[1], f"restored, the table is back at the size it opened at: {size(hold)}")


def check_compositor_view(log, scale):
    made = toplevels(log)
    described = [(t["title"], t["parent"] and t["parent"]["title"]) for t in made]
    check(made and all(t["app_id"] == APP_ID for t in made),
          f"every window names the game {APP_ID} to the compositor: {sorted({t['app_id'] for t in made})}")
    main = [t for t in made if t["title"] == MAIN_TITLE]
    check(len(main) == 1, f"the game made one main window: {described}")
    main = main[0]
    check(main["min"] and main["min"][0] == CLIENT_WIDTH and main["max"] == (0, 0),
          f"the main window can grow, and not shrink below {CLIENT_WIDTH} wide: min {main['min']}, max {main['max']}")
    greeting, over_window = made[:made.index(main)], made[made.index(main) + 1:]
    check(len(over_window) >= 2 and all(t["parent"] is main for t in over_window),
          f"the rules and every box over the window are its transient children: {described}")
    check(greeting and all(t["parent"] is None for t in greeting),
          "the greeting's boxes, shown before the window exists, stand on their own")
    check(all(t["scale"] == scale for t in made),
          f"every window draws at buffer scale {scale}: {[t['scale'] for t in made]}")


def main():
    executable, scale, screenshots = sys.argv[1], int(sys.argv[2]), sys.argv[3]
    with tempfile.TemporaryFile("w+", encoding="utf-8", errors="replace") as log:
        game = Game(executable, platform="wayland", stderr=log, environment={"WAYLAND_DEBUG": "client"})
        try:
            play(game, screenshots)
            failure = None
        except Failure as error:
            failure = error
        finally:
            game.close()
        log.seek(0)
        lines = log.read().splitlines()
    try:
        if failure is not None:
            raise failure
        check_compositor_view(lines, scale)
    except Failure as error:
        print("FAIL:", error, file=sys.stderr)
        # What Qt said, and what the game asked of its windows.
        print("\n".join(line for line in lines if not line.startswith("[") or re.search("xdg_toplevel[@#]", line)),
              file=sys.stderr)
        return 1
    print(f"the game plays natively on Wayland at scale {scale}: every check passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
