#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Gives the screen-reader test what a desktop session gives a screen reader: an X server and a
# D-Bus session of its own, from which the accessibility bus and its registry are started on demand.
#   run_screen_reader_test.sh GAME_EXECUTABLE
set -euo pipefail
here=$(dirname "$(realpath "$0")")
source "$here/../support/x_session.sh"
trap stop_started EXIT

for need in /usr/bin/python3 dbus-run-session xdotool Xvfb /usr/libexec/at-spi-bus-launcher; do
    command -v "$need" >/dev/null || { echo "FAIL: $need not found" >&2; exit 1; }
done
/usr/bin/python3 -c 'import pyatspi' || { echo "FAIL: python3-pyatspi is not installed" >&2; exit 1; }

start_x_server
# Debian's pyatspi belongs to the system's python3, whatever python3 comes first in PATH.
dbus-run-session -- /usr/bin/python3 "$here/screen_reader_test.py" "$1" 2> >(grep -v -e 'Failed to set fd limit' -e 'Activating service' -e 'Successfully activated' -e 'SpiRegistry daemon' >&2)
