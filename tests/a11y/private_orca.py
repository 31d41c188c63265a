#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Runs Debian's Orca, unchanged, as one test's private screen reader:

    private_orca.py ORCA-ARGUMENTS...    (with --debug-file FILE)

Two things of its launcher would not suit a test on a shared machine: it refuses to start while
any other Orca of the same user runs anywhere (another test, a player's own), and it writes its
debug file in blocks, so the last utterances wait unseen until more come. Here the launcher is
loaded as a module, told it is alone, and its debug file is opened line-buffered."""
import builtins
import importlib.machinery
import importlib.util
import sys

LAUNCHER = "/usr/bin/orca"

debug_file = sys.argv[sys.argv.index("--debug-file") + 1]
plain_open = builtins.open


def open_line_buffered(file, mode="r", buffering=-1, *args, **kwargs):
    if file == debug_file and "w" in mode:
        buffering = 1
    return plain_open(file, mode, buffering, *args, **kwargs)


builtins.open = open_line_buffered
loader = importlib.machinery.SourceFileLoader("orca_launcher", LAUNCHER)
launcher_spec = importlib.util.spec_from_loader("orca_launcher", loader)
launcher = importlib.util.module_from_spec(launcher_spec)
loader.exec_module(launcher)
for alone in ("otherOrcas", "other_orcas"):
    if hasattr(launcher, alone):
        setattr(launcher, alone, lambda: [])
sys.argv = [LAUNCHER] + sys.argv[1:]
sys.exit(launcher.main())
