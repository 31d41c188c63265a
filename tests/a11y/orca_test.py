#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Plays a match by ear: keys only, and every check on what Orca said, read from its debug file.

    orca_test.py GAME_EXECUTABLE ORCA_DEBUG_FILE [TRANSCRIPT]

Run by run_orca_test.sh, which starts Orca and its session. TRANSCRIPT, if given, receives every
key pressed and every utterance, in order.
"""
import os
import re
import subprocess
import sys
import tempfile
import time

TIMEOUT = 60
CARD = r"(?:шесть|семь|восемь|девять|десять|валет|дама|король|туз) [а-я]+"
MONEY_SPOKEN = re.compile(r"Ваши деньги (-?\d+), деньги компьютера (-?\d+), на кону (\d+|ничего)")


class Failure(Exception):
    pass


class Orca:
    """What Orca has said so far, one utterance at a time, from its debug file."""

    # The utterance in quotes, then the voice it is spoken in.
    SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*?)'(?= voice=| ?\{|\s*$)")

    def __init__(self, debug_file, transcript):
        self.debug_file = debug_file
        self.transcript = transcript
        self.said = []
        self._offset = 0
        self._partial = ""

    def _read(self):
        try:
            with open(self.debug_file, encoding="utf-8", errors="replace") as log:
                log.seek(self._offset)
                chunk = log.read()
                self._offset = log.tell()
        except FileNotFoundError:
            return
        lines = (self._partial + chunk).split("\n")
        self._partial = lines.pop()
        for line in lines:
            found = self.SPOKEN.search(line)
            if found and found.group(1).strip():
                self.said.append(found.group(1))
                self.note(f"    Orca: {found.group(1)}")

    def note(self, line):
        if self.transcript:
            self.transcript.write(line + "\n")
            self.transcript.flush()

    def mark(self):
        self._read()
        return len(self.said)

    def wait(self, what, pattern, since, timeout=TIMEOUT):
        """Waits until an utterance after mark `since` matches pattern; returns its match."""
        deadline = time.monotonic() + timeout
        while True:
            self._read()
            # What one focus says comes in pieces: name and role, then the line, then the description.
            found = re.search(pattern, "\n".join(self.said[since:]))
            if found:
                return found
            if time.monotonic() > deadline:
                heard = " | ".join(self.said[since:]) or "nothing"
                raise Failure(f"Orca never said {what}; it said: {heard}")
            time.sleep(0.1)

    def quiet(self, seconds=0.8, timeout=TIMEOUT):
        """Waits until Orca has said nothing new for a while: what a key started is over."""
        deadline = time.monotonic() + timeout
        count, still_since = self.mark(), time.monotonic()
        while time.monotonic() < deadline:
            time.sleep(0.1)
            if self.mark() != count:
                count, still_since = self.mark(), time.monotonic()
            elif time.monotonic() - still_since >= seconds:
                return
        raise Failure("Orca never fell quiet")


class Player:
    def __init__(self, orca):
        self.orca = orca

    def key(self, name, note=None):
        self.orca.note(f"key {note or name}")
        subprocess.run(["xdotool", "key", "--clearmodifiers", name], check=True, timeout=10)

    def type(self, text):
        self.orca.note(f"type {text}")
        subprocess.run(["xdotool", "type", "--delay", "40", text], check=True, timeout=20)

    def press(self, name, wait_for, what, note=None):
        """Presses a key and waits until Orca says what matches wait_for; returns the match."""
        since = self.orca.mark()
        self.key(name, note)
        return self.orca.wait(what, wait_for, since)


def check(condition, message):
    if not condition:
        raise Failure(message)
    print("ok:", message, flush=True)


def empty_hand_heard(said):
    """The hand's focus heard without a card: its name and role, then no line of cards."""
    return [f"{u} {following}" for u, following in zip(said, said[1:] + [""])
            if u.startswith("Ваши карты") and not re.search(CARD, u + following)]


def tab_to(player, name):
    """Tabs until Orca announces the button named name."""
    for _ in range(8):
        found = player.press("Tab", r"^(.*?)(?: push button|$)", "the next control")
        player.orca.quiet(0.4)
        if player.orca.said and player.orca.said[-1].startswith(name):
            return
        if any(u.startswith(name + " ") or u == name for u in player.orca.said[-2:]):
            return
        del found
    raise Failure(f"Tab never reached «{name}»")


BOX = re.compile(r"^alert |dialog\.?$")


def answer_boxes(player, until, timeout=90):
    """Answers with Return every box Orca reads, until Orca falls quiet on an utterance that
    matches until with no box open. Returns everything said on the way."""
    orca = player.orca
    deadline = time.monotonic() + timeout
    start = since = orca.mark()
    while time.monotonic() < deadline:
        orca.quiet(0.8)
        fresh = orca.said[since:]
        since = orca.mark()
        if any(BOX.search(u) for u in fresh):
            player.key("Return")
        elif any(re.search(until, u) for u in orca.said[start:]):
            return orca.said[start:]
    raise Failure(f"the boxes never led to {until}")


def play(executable, orca):
    player = Player(orca)
    orca.wait("that it is running", r"Screen reader on", 0, 60)
    folder = tempfile.TemporaryDirectory(prefix="zuvik-orca.")
    since = orca.mark()
    game = subprocess.Popen([executable], cwd=folder.name,
                            env=dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1"))
    try:
        orca.wait("the name prompt", r"Вы хотите сыграть\? Тогда представьтесь", since, 60)
        orca.quiet()
        player.type("Vasya")
        player.press("Return", r"Проходите пожалуйста", "the welcome box")
        orca.quiet()
        player.press("Return", r"Делайте ставки", "the first button")
        orca.quiet()
        player.press("space", r"Ставка 25", "the first bet", "Space on «Делайте ставки»")
        orca.quiet()

        since = orca.mark()
        player.key("space", "Space on «Ставка 25»")
        hand = orca.wait("both cards of the opening", rf"Ваши карты[^\n]*\n((?: {CARD}){{2}})\.", since)
        print(f"ok: the deal's start is heard with both cards: «{hand.group(1)}»")
        money = orca.wait("the money after the bet", MONEY_SPOKEN, since)
        check(money.groups() == ("975", "975", "50"), f"the bet's money is heard: «{money.group(0)}»")
        orca.quiet()
        check(len([u for u in orca.said[since:] if MONEY_SPOKEN.search(u)]) == 1,
              "the money is said once")

        tab_to(player, "Еще")
        since = orca.mark()
        player.key("space", "Space on «Еще»")
        card = orca.wait("the new card whole", rf"Ваши карты[^\n]*\n((?: {CARD}){{3}})\.", since)
        check(card.group(1).startswith(hand.group(1)),
              f"after «Еще» the whole hand is heard, the new card included: «{card.group(1)}»")
        orca.quiet()

        # F1 in the middle of a deal: the rules, read line by line, then back to the deal.
        since = orca.mark()
        player.press("F1", r"dialog\.?(?:\n|$)", "the rules box")
        orca.quiet()
        heading = open_rules_heading()
        text = player.press("Tab", "(?m)^" + re.escape(heading) + ".*text", "the rules' text by its name")
        orca.quiet()
        player.press("Down", r"\S", "the blank line under the heading")
        orca.quiet()
        after_name = orca.mark()
        line = player.press("Down", r"\S", "a line of the rules")
        orca.quiet()
        rules = open_rules_lines()
        check(any(u.strip() in rules for u in orca.said[after_name:]),
              f"Down in the rules reads a line of them: «{line.string}»")
        player.press("ctrl+End", r"\S", "the rules' last line")
        orca.quiet()
        check(orca.said[-1].strip() in rules or orca.said[-1].strip() == "blank", f"Ctrl+End reads the last line: «{orca.said[-1]}»")
        player.press("Escape", r"Ваши карты|Еще|Бери себе", "the deal again")
        orca.quiet()

        # Stand: the outcome, its money, the computer's deal and its stake, by keys alone.
        tab_to(player, "Бери себе")
        since = orca.mark()
        player.key("space", "Space on «Бери себе»")
        after = answer_boxes(player, r"^(?:Ваши карты read only text|Делайте ставки push button)")
        outcome = [u for u in after if re.search(r"[уУ] вас \d+у компа \d+", u)]
        check(outcome, "the outcome box is read")
        spoken_money = [u for u in after if MONEY_SPOKEN.search(u)]
        check(spoken_money, f"the money after the outcome is heard: «{spoken_money[0] if spoken_money else ''}»")
        check(not empty_hand_heard(after), f"no empty hand is heard between the boxes: {empty_hand_heard(after)}")
        orca.quiet()

        # F2: a new match; both sides back to 1000, spoken once.
        since = orca.mark()
        player.key("F2")
        money = orca.wait("the money of the new match", MONEY_SPOKEN, since)
        check(money.group(1) == "1000" and money.group(2) == "1000",
              f"the new match's money is heard: «{money.group(0)}»")
        orca.quiet()
        check(not empty_hand_heard(orca.said), "the empty hand is never heard")
    finally:
        game.kill()
        game.wait()
        folder.cleanup()


def open_rules_heading():
    return open_rules_lines().heading


def open_rules_lines():
    source = os.path.join(os.path.dirname(os.path.realpath(__file__)), "..", "..", "assets", "rules", "help.ru.txt")
    with open(source, encoding="utf-8") as rules:
        text = rules.read()
    # Orca reads a wrapped line of the box: any run of words of the text, at most one paragraph.
    return RulesText(text)


class RulesText:
    def __init__(self, text):
        self.flat = " ".join(text.split())
        self.heading = text.split("\n", 1)[0].strip()

    def __contains__(self, spoken):
        spoken = " ".join(spoken.split())
        return len(spoken) > 3 and spoken in self.flat


def main():
    transcript = open(sys.argv[3], "w", encoding="utf-8") if len(sys.argv) > 3 and sys.argv[3] else None
    orca = Orca(sys.argv[2], transcript)
    try:
        play(os.path.realpath(sys.argv[1]), orca)
    except Failure as failure:
        print("FAIL:", failure, file=sys.stderr)
        print("Orca said, last first: " + " | ".join(reversed(orca.said[-25:])), file=sys.stderr)
        return 1
    print("a match is playable by ear with Orca: every check passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
