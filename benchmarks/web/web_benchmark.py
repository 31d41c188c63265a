#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Figures of the web page in headless Chromium, beside a bare static page with the same controls
and no WebAssembly. Prints, asserts nothing.
   benchmarks/web/web_benchmark.py [PAGE-FOLDER]   (default build/web; scripts/play-web.sh
   --build-only builds it)"""
import gzip
import os
import statistics
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "../../tests/web"))
from page_session import By, chromium, element, served, wait_for  # noqa: E402

RUNS = 7
CONTROLS = ([f"Label{n}" for n in range(1, 9)] + ["Text1"] + [f"Command{n}" for n in range(1, 10)])


def compressed(path):
    with open(path, "rb") as file:
        return len(gzip.compress(file.read(), 9))


def bare_page(folder):
    """The yardstick: the entry button and the table's elements, no script at all."""
    items = "\n".join(f'<button id="{name}" hidden>{name}</button>' if name.startswith("Command")
                      else f'<div id="{name}" hidden>{name}</div>' for name in CONTROLS)
    with open(os.path.join(folder, "index.html"), "w", encoding="utf-8") as page:
        page.write('<!DOCTYPE html><html lang="ru"><head><meta charset="utf-8"><title>bare</title>'
                   '</head><body><main><button id="enter">Войти в игру</button></main>'
                   f"{items}</body></html>")


NAVIGATION = """
const paint = performance.getEntriesByName('first-contentful-paint')[0];
const nav = performance.getEntriesByType('navigation')[0];
return paint && nav.loadEventEnd > 0 ? [paint.startTime, nav.domContentLoadedEventEnd] : null;"""

# Arms a watch: from the next press of the control (a real one: the browser lets only the
# player's own press start sound) to the first frame whose callback finds the change made, the
# name box open or a control shown. (No eval: the page forbids it.)
ARM = """
const [id, target] = arguments;
window.pressToFrame = null;
const changed = () => target === 'box'
    ? document.getElementById('box').open && !document.getElementById('boxInput').hidden
    : !document.getElementById(target).hidden;
document.getElementById(id).addEventListener('click', () => {
    const start = performance.now();
    const frame = () => changed() ? (window.pressToFrame = performance.now() - start)
                                  : requestAnimationFrame(frame);
    requestAnimationFrame(frame);
}, { capture: true, once: true });"""


def press_to_frame(driver, control, target):
    driver.execute_script(ARM, control, target)
    element(driver, control).click()
    return wait_for(driver, "return window.pressToFrame", 30)


def navigation(driver, url):
    driver.get(url)
    return wait_for(driver, NAVIGATION)


def one_match_start(driver, url):
    """Press to the name box, the sync cue's return against its end, a click to its frame."""
    driver.get(url)
    wait_for(driver, "return typeof window.zuvikPage === 'object'")
    to_name_box = press_to_frame(driver, "enter", "box")
    door = driver.execute_script("return window.zuvikPage.lastSync()")
    driver.execute_script("document.getElementById('boxInput').value = 'Вася'")
    driver.find_element(By.CSS_SELECTOR, "#boxButtons button").click()
    wait_for(driver, "return document.getElementById('boxPrompt').textContent.includes('Вася')")
    driver.find_element(By.CSS_SELECTOR, "#boxButtons button").click()
    wait_for(driver, "return document.body.dataset.phase === 'BettingClosed' && "
                     "!document.getElementById('Form1').hidden")
    kn = driver.execute_script("return window.zuvikPage.lastSync()")
    click = press_to_frame(driver, "Command5", "Command6")
    return to_name_box, door, kn, click


def main():
    page = sys.argv[1] if len(sys.argv) > 1 else "build/web"
    code = compressed(os.path.join(page, "zuvik.wasm")) + compressed(os.path.join(page, "zuvik.js"))
    shell = sum(compressed(os.path.join(page, f)) for f in ("shell.js", "cues.js", "deck.js"))
    print(f"code: zuvik.wasm + zuvik.js gzip -9 {code / 1024:.1f} KiB "
          f"(aim 400); the shell's own scripts {shell / 1024:.1f} KiB more")
    bare = tempfile.mkdtemp(prefix="zuvik-bare-")
    bare_page(bare)
    with served(page) as url, served(bare) as bare_url, chromium() as driver:
        game_nav, bare_nav = [], []
        for _ in range(RUNS):
            bare_nav.append(navigation(driver, bare_url))
            game_nav.append(navigation(driver, url))
        for label, index in (("first contentful paint", 0), ("DOMContentLoaded", 1)):
            g = statistics.median(n[index] for n in game_nav)
            b = statistics.median(n[index] for n in bare_nav)
            print(f"navigation to the entry button, {label}: page {g:.1f} ms, bare {b:.1f} ms, "
                  f"{g / b:.2f}x (aim 1.5x; medians of {RUNS})")
        runs = [one_match_start(driver, url) for _ in range(5)]
    press = [r[0] for r in runs]
    beyond = [r[0] - r[1]["length"] * 1000 for r in runs if r[1]]
    print(f"press to the name box: median {statistics.median(press):.0f} ms, of which door.wav, "
          f"played to its end first by the rules, all but {statistics.median(beyond):.0f} ms")
    late = [(cue["returned"] - cue["end"]) * 1000 for r in runs for cue in (r[1], r[2]) if cue]
    print(f"sync cue back after its last sample, by Web Audio's clock: median "
          f"{statistics.median(late):.1f} ms, worst {max(late):.1f} ms (aim 25 ms; {len(late)} cues)")
    clicks = [r[3] for r in runs]
    print(f"a click outside any cue to the frame showing it: median {statistics.median(clicks):.1f} ms,"
          f" worst {max(clicks):.1f} ms (aim one frame, 16 ms; {len(clicks)} clicks)")


if __name__ == "__main__":
    main()
