#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The web page played in headless Chromium through its elements, as a player would: a bet, a
player-first deal, a computer-first deal and a tie in the order the page shows them; names a
page could turn into markup; a missing cue, rules file and deck; the one gate.
   web_page_test.py PAGE-FOLDER"""
import os
import shutil
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from page_session import By, chromium, element, served, wait_for  # noqa: E402

WELCOME = "Проходите пожалуйста господин{}Желаем вам хорошо провести время."
FAILURES = []


def check(condition, what):
    if not condition:
        FAILURES.append(what)
        print(f"FAIL: {what}", flush=True)


def events(driver):
    return driver.execute_script("return window.zuvikPage.events.slice()")


def box_open(driver, with_input=False):
    wait_for(driver, "return document.getElementById('box').open && "
                     "document.getElementById('boxInput').hidden === !arguments[0]", 20, with_input)
    return element(driver, "boxPrompt").get_attribute("textContent")


def press_box(driver, caption="OK"):
    before = element(driver, "boxPrompt").get_attribute("textContent")
    for button in driver.find_elements(By.CSS_SELECTOR, "#boxButtons button"):
        if button.text == caption:
            button.click()
            wait_for(driver, "return !document.getElementById('box').open || "
                             "document.getElementById('boxPrompt').textContent !== arguments[0]",
                     20, before)
            return
    raise AssertionError(f"no button {caption} in the box")


def phase_is(driver, phase):
    wait_for(driver, "return document.body.dataset.phase === arguments[0] && "
                     "!document.getElementById('box').open && "
                     "!document.getElementById('Form1').hidden", 30, phase)
    shown = driver.execute_script(
        "return [...document.querySelectorAll('#clientArea > button, #Text1')]"
        ".filter(e => !e.hidden).map(e => e.id).sort()")
    return shown


def caption(driver, control):
    return element(driver, control).get_attribute("textContent")


def come_in(driver, url, name):
    """The entry button, the name typed into the name box, the welcome; the welcome's text."""
    driver.get(url)
    element(driver, "enter").click()
    box_open(driver, with_input=True)
    # Set as a value: ChromeDriver cannot type characters outside the BMP.
    driver.execute_script("document.getElementById('boxInput').value = arguments[0]", name)
    press_box(driver)
    return box_open(driver)


def fit_viewport(driver, width, height):
    """The page's own viewport at this size, once the table has been laid out for it."""
    driver.set_window_size(width, height)
    inner = driver.execute_script("return [innerWidth, innerHeight]")
    driver.set_window_size(2 * width - inner[0], 2 * height - inner[1])
    # Laid out: the table fills the width or the height below the menus.
    wait_for(driver, "const a = document.getElementById('clientArea');"
                     "const below = innerHeight - document.getElementById('menuBar').offsetHeight;"
                     "return innerWidth === arguments[0] && innerHeight === arguments[1] && "
                     "(Math.abs(a.offsetWidth - innerWidth) < 2 || "
                     "Math.abs(a.offsetHeight - below) < 2)", 20, width, height)


def since(log, start):
    return log[start:]


def settle(driver, button, cue):
    """Presses the button that settles a deal; the box's text, and whether the outcome's cue
    came just before it."""
    start = len(events(driver))
    element(driver, button).click()
    verdict = box_open(driver)
    return verdict, since(events(driver), start)[-2:] == [f"cue {cue} sync", f'box OK "{verdict}"']


def play_a_match(driver, url):
    welcome = come_in(driver, url, "Вася")
    check(welcome == WELCOME.format("Вася"), f"the welcome reads {welcome!r}")
    check(element(driver, "Form1").get_attribute("hidden") is not None,
          "the table is hidden until the greeting is over")
    press_box(driver)
    check(phase_is(driver, "BettingClosed") == ["Command5"], "a new match offers only the bets")
    log = events(driver)
    check(log[:4] == ["cue door.wav sync", 'input "Вы хотите сыграть? Тогда представьтесь"',
                      f'box OK "{WELCOME.format("Вася")}"', 'caption Label3 "Вася"'],
          f"the start-up runs door, name box, welcome, name in order: {log[:4]}")
    check("cue kn.wav sync" in log and log.index("cue kn.wav sync") < log.index("shown"),
          "kn.wav plays before the table shows")
    check(caption(driver, "Label4") == " 1000" and caption(driver, "Label6") == " 1000",
          "both sides start with 1000")
    heard = driver.execute_script("return window.zuvikPage.lastSync()")
    check(heard and heard["file"] == "kn.wav" and heard["returned"] >= heard["end"] - 0.003,
          f"kn.wav was played through Web Audio and returned after its last sample: {heard}")
    check(element(driver, "Label4").get_attribute("aria-label") == "Ваши деньги: 1000",
          "the money caption carries its spoken name")

    # The rules box: the shipped Windows-1251 file, decoded by the rules' own code.
    element(driver, "помощь").click()
    element(driver, "правила").click()
    rules = box_open(driver)
    with open(os.path.join(os.path.dirname(__file__), "../../assets/rules/help.ru.txt"),
              encoding="utf-8") as source:
        first_line = source.readline().rstrip("\n")
    check(rules.startswith(first_line), f"the rules box begins with {first_line!r}: {rules[:60]!r}")
    press_box(driver)

    # A bet and a player-first deal the player wins: 20 against the computer's 19.
    element(driver, "Command5").click()
    check(phase_is(driver, "ChoosingBet") == ["Command6", "Command7", "Command8", "Command9"],
          "«Делайте ставки» opens the four bets")
    driver.execute_script("window.zuvikPage.stackShuffle(arguments[0])",
                          [" десять червы", " десять пики", " десять бубны", " девять бубны"])
    start = len(events(driver))
    element(driver, "Command6").click()
    check(phase_is(driver, "PlayerFirstDeal") == ["Command1", "Command2", "Text1"],
          "an accepted bet opens the player-first deal")
    check(element(driver, "Text1").get_attribute("value") == " десять червы десять пики",
          "the hand shows the two stacked cards")
    check(caption(driver, "Label8") == " 50" and caption(driver, "Label4") == " 975",
          "the bet goes from both sides to the stake")
    check(len(driver.find_elements(By.CSS_SELECTOR, "#handCards .card")) == 2,
          "the two cards are drawn from the deck")
    check(driver.execute_script("return document.activeElement.id") == "Text1",
          "the hand takes the focus as the deal opens")
    log = since(events(driver), start)
    check(log.index("cue win.wav sync") < log.index("phase PlayerFirstDeal")
          < log.index('hand " десять червы десять пики"'),
          f"win.wav, the deal's buttons, then the hand: {log}")

    # The computer bets 25 and no chance event comes; its deal: 17 against the player's 19.
    for fraction in (0.0, 0.0, 0.0):
        driver.execute_script("window.zuvikPage.fraction(arguments[0])", fraction)
    driver.execute_script("window.zuvikPage.stackShuffle(arguments[0])",
                          [" десять бубны", " семь бубны", " десять червы", " девять червы"])
    verdict, heard_first = settle(driver, "Command2", "ooh.wav")
    check(heard_first, "the player's win is heard, then announced")
    press_box(driver)
    stake_box = box_open(driver)
    check(stake_box == "На кону 50Мне хватит. Бери себе", f"the computer's deal opens: {stake_box!r}")
    check(caption(driver, "Label4") == " 1000", f"the win and the computer's bet: {caption(driver, 'Label4')}")
    # The gate: a press behind the open box is dropped whole.
    driver.execute_script("document.getElementById('Command4').click()")
    press_box(driver)
    check(phase_is(driver, "ComputerFirstDeal") == ["Command3", "Command4", "Text1"],
          "a press behind the box settled nothing")
    check(element(driver, "Text1").get_attribute("value") == " десять червы девять червы",
          "the player's two cards of the computer's deal")
    verdict, heard_first = settle(driver, "Command4", "ooh.wav")
    check(heard_first, "19 against 17 is the player's")
    press_box(driver)
    check(phase_is(driver, "BettingClosed") == ["Command5"], "a decided computer's deal ends the betting")
    check(caption(driver, "Label4") == " 1050", f"the player holds 1050: {caption(driver, 'Label4')}")

    # A tie at 19, then the doubled stake played for at once in a computer-first deal. The gate:
    # a second bet pressed while the first one's cue plays is dropped.
    element(driver, "Command5").click()
    phase_is(driver, "ChoosingBet")
    driver.execute_script("window.zuvikPage.stackShuffle(arguments[0])",
                          [" десять червы", " девять червы", " десять бубны", " девять бубны"])
    driver.execute_script("document.getElementById('Command6').click();"
                          "document.getElementById('Command9').click()")
    phase_is(driver, "PlayerFirstDeal")
    check(caption(driver, "Label8") == " 50", f"a bet pressed inside a cue is dropped: {caption(driver, 'Label8')}")
    check(events(driver).count("run 8") == 1 and events(driver).count("cue win.wav sync") == 3,
          "the dropped bet ran no rule")
    for fraction in (0.0, 0.0):
        driver.execute_script("window.zuvikPage.fraction(arguments[0])", fraction)
    driver.execute_script("window.zuvikPage.stackShuffle(arguments[0])",
                          [" десять бубны", " семь бубны", " десять пики", " восемь пики"])
    verdict, heard_first = settle(driver, "Command2", "oba.wav")
    check(heard_first, "a tie is heard, then announced")
    press_box(driver)
    check(box_open(driver) == "На кону 100Мне хватит. Бери себе", "the doubled stake is played for")
    check(caption(driver, "Label8") == " 100", "a tie doubles the stake")
    press_box(driver)
    phase_is(driver, "ComputerFirstDeal")

    # A phone's screen in both orientations: every shown control inside it, nothing sideways.
    for width, height in ((360, 640), (640, 360)):
        fit_viewport(driver, width, height)
        outside = driver.execute_script(
            "return [...document.querySelectorAll('#clientArea > *, #menuBar')]"
            ".filter(e => !e.hidden && e.id !== 'handCards').filter(e => {"
            " const r = e.getBoundingClientRect();"
            " return r.left < 0 || r.top < 0 || r.right > innerWidth + 0.5 ||"
            " r.bottom > innerHeight + 0.5; }).map(e => e.id)"
            ".concat(document.documentElement.scrollWidth > innerWidth ? ['sideways'] : [])")
        check(outside == [], f"at {width}x{height} all is on the screen: {outside}")
    fit_viewport(driver, 1280, 800)

    severe = [entry for entry in driver.get_log("browser") if entry["level"] == "SEVERE"]
    check(not severe, f"no error in the console of a normal match: {severe}")


BAD_NAMES = [
    '<img src=x onerror="window.planted=1">',
    "</dialog><b>жирный</b>",
    "&amp; &lt;",
    "я" * 10000,
    "\u05e9\u05dc\u05d5\u05dd \u202eобратно",
    "🃏 Вася 👨‍👩‍👧",
]


def bad_names(driver, url):
    for name in BAD_NAMES:
        shown = come_in(driver, url, name)
        check(shown == WELCOME.format(name), f"the welcome shows {name[:40]!r} as typed")
        press_box(driver)
        phase_is(driver, "BettingClosed")
        check(caption(driver, "Label3") == name, f"Label3 shows {name[:40]!r} as typed")
        made = driver.execute_script(
            "return [document.querySelectorAll('img, b').length, "
            "document.querySelectorAll('dialog').length, window.planted === undefined]")
        check(made == [0, 1, True], f"{name[:40]!r} made no element and ran no script: {made}")
        check(driver.execute_script("return document.documentElement.scrollWidth <= innerWidth"),
              f"{name[:40]!r} scrolls nothing sideways")


def missing_files(driver, page):
    folder = tempfile.mkdtemp(prefix="zuvik-page-")
    try:
        shutil.copytree(page, folder, dirs_exist_ok=True)
        for lost in ("door.wav", "help.vrn", "deck.svg"):
            os.remove(os.path.join(folder, lost))
        with served(folder) as url:
            welcome = come_in(driver, url, "Вася")
            check(welcome == WELCOME.format("Вася"), "a missing door.wav costs only its sound")
            press_box(driver)
            phase_is(driver, "BettingClosed")
            driver.find_element(By.TAG_NAME, "body").send_keys("\ue031")  # F1
            text = box_open(driver)
            check(text == "Не удалось показать правила игры.\nФайл «help.vrn»: файл не найден.",
                  f"a missing rules file is explained: {text!r}")
            press_box(driver)
            element(driver, "Command5").click()
            phase_is(driver, "ChoosingBet")
            element(driver, "Command6").click()
            phase_is(driver, "PlayerFirstDeal")
            check(element(driver, "Text1").get_attribute("value").strip() != "" and
                  not driver.find_elements(By.CSS_SELECTOR, "#handCards .card"),
                  "without the deck the hand is text alone, and the game plays on")
            # The sound switch: Ctrl+M turns it off; a new match's kn.wav then is not played.
            heard = driver.execute_script("return window.zuvikPage.lastSync()")
            driver.find_element(By.TAG_NAME, "body").send_keys("\ue009m")  # Ctrl+M
            check(element(driver, "звук").get_attribute("aria-checked") == "false",
                  "Ctrl+M unchecks «Звук»")
            driver.find_element(By.TAG_NAME, "body").send_keys("\ue009\ue000\ue032")  # F2
            phase_is(driver, "BettingClosed")
            check("cue kn.wav sync" in events(driver)[-6:] and
                  driver.execute_script("return window.zuvikPage.lastSync()") == heard,
                  f"with the sound off no cue plays: {events(driver)[-6:]}")
    finally:
        shutil.rmtree(folder, ignore_errors=True)


def main():
    page = sys.argv[1]
    with served(page) as url, chromium() as driver:
        play_a_match(driver, url)
        bad_names(driver, url)
        missing_files(driver, page)
    if FAILURES:
        print(f"{len(FAILURES)} check(s) failed")
        return 1
    print("all checks passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
