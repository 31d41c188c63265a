# SPDX-License-Identifier: MIT
"""The built game seen through AT-SPI, as a screen reader sees it: shared by the tests that start
it on a private display and D-Bus session and act on it through the accessibility interfaces."""
import os
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import Atspi, GLib

TIMEOUT = 30
MAIN_TITLE = 'Игра "Зувик"'
DIALOG_ROLES = (pyatspi.ROLE_DIALOG, pyatspi.ROLE_ALERT)


class Failure(Exception):
    pass


def pump():
    """Lets the AT-SPI library take in what the bus has announced (a new application, say):
    it learns of it only from signals, and signals wait for the main loop."""
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def wait_for(what, probe, timeout=TIMEOUT):
    """Polls probe() until it returns something true, and returns that."""
    deadline = time.monotonic() + timeout
    last_error = None
    while time.monotonic() < deadline:
        pump()
        try:
            found = probe()
            if found:
                return found
        except Exception as error:  # an object can vanish between two reads
            last_error = error
        time.sleep(0.1)
    raise Failure(f"gave up waiting for {what}" + (f" ({last_error})" if last_error else ""))


def showing(accessible):
    return accessible.getState().contains(pyatspi.STATE_SHOWING)


def walk(root):
    yield root
    for index in range(root.childCount):
        child = root.getChildAtIndex(index)
        if child is not None:
            yield from walk(child)


def find_all(root, role, name=None, only_showing=True):
    return [
        accessible
        for accessible in walk(root)
        if accessible.getRole() == role
        and (name is None or accessible.name == name)
        and (not only_showing or showing(accessible))
    ]


def find_one(root, role, name):
    found = find_all(root, role, name)
    return found[0] if found else None


class Game:
    """The game started in an empty folder of its own on the display the environment names, with
    Qt's platform plugin for that display; its standard error goes to stderr (a file) if given."""

    def __init__(self, executable, platform="xcb", stderr=None, environment=None):
        self.folder = tempfile.TemporaryDirectory(prefix="zuvik-a11y.")
        environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM=platform,
                           **(environment or {}))
        self.process = subprocess.Popen([executable], cwd=self.folder.name, env=environment, stderr=stderr)
        try:
            self.app = wait_for("the game on the accessibility bus", self._application)
        except Failure:
            desktop = pyatspi.Registry.getDesktop(0)
            seen = [desktop.getChildAtIndex(i) for i in range(desktop.childCount)]
            print(f"the bus knows {[(a.name, a.get_process_id(), a.childCount) for a in seen if a]};"
                  f" the game (pid {self.process.pid}) has "
                  + ("not ended" if self.process.poll() is None else f"ended with {self.process.returncode}"),
                  file=sys.stderr)
            self.close()
            raise
        # Every read goes to the game itself: a cached caption would hide the change under test.
        self.app.set_cache_mask(Atspi.Cache.NONE)

    def _application(self):
        desktop = pyatspi.Registry.getDesktop(0)
        for index in range(desktop.childCount):
            app = desktop.getChildAtIndex(index)
            if app is not None and app.get_process_id() == self.process.pid and app.childCount:
                return app
        return None

    def close(self):
        self.process.kill()
        self.process.wait()
        self.folder.cleanup()

    def windows(self):
        return [self.app.getChildAtIndex(i) for i in range(self.app.childCount)]

    def dialog(self):
        for window in self.windows():
            if window is not None and window.getRole() in DIALOG_ROLES and showing(window):
                return window
        return None

    def main_window(self):
        for window in self.windows():
            if window is not None and window.name == MAIN_TITLE and showing(window):
                return window
        return None

    def focused_name(self):
        for accessible in walk(self.main_window()):
            if accessible.getState().contains(pyatspi.STATE_FOCUSED):
                return accessible.name
        return None


def dialog_text(dialog):
    """What a screen reader reads out of a box: its labels' texts."""
    return "\n".join(label.name for label in find_all(dialog, pyatspi.ROLE_LABEL) if label.name)


def press(accessible):
    """Presses a control through the accessibility action interface."""
    action = accessible.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    for wanted in ("Press", "press", "click", "Click"):
        if wanted in names:
            action.doAction(names.index(wanted))
            return
    raise Failure(f"'{accessible.name}' offers no press action, only {names}")


def check(condition, message):
    if not condition:
        raise Failure(message)
    print("ok:", message)
