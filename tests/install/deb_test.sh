#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes the Debian package, installs it with apt into this very machine, starts the installed
# game under Xvfb, follows it through the greeting to its window, and removes the package.
# Installing a package needs root: anyone else gets a skip (CTest's SKIP_RETURN_CODE 77).
#   deb_test.sh BUILD_DIR
set -euo pipefail
build=$(realpath "$1")
here=$(dirname "$(realpath "$0")")
source "$here/../support/x_session.sh"

if [ "$(id -u)" -ne 0 ]; then
    echo "SKIP: installing a package needs root; run as root (CI does) to check the .deb"
    exit 77
fi
for tool in cpack dpkg-deb apt-get dpkg-shlibdeps; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool not found" >&2; exit 1; }
done

work=$(mktemp -d /tmp/zuvik-deb.XXXXXX)
installed_here=no
cleanup() {
    stop_started
    if [ "$installed_here" = yes ]; then
        DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=120 remove -y -qq zuvik >/dev/null 2>&1 || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" ||
    { cat "$work/cpack.log" >&2; exit 1; }
deb=$(find "$work" -maxdepth 1 -name 'zuvik_*.deb' | head -n 1)
[ -n "$deb" ] || { echo "FAIL: cpack made no zuvik_*.deb" >&2; cat "$work/cpack.log" >&2; exit 1; }
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
# The dependencies must come from the binary, not from a hand-kept list.
for library in libqt6widgets6 libsndfile1 libpulse0 libc6; do
    grep -q "$library" <<<"$depends" || { echo "FAIL: Depends lacks $library" >&2; exit 1; }
done
[ "$(dpkg-deb -f "$deb" Section)" = games ] || { echo "FAIL: section is not games" >&2; exit 1; }
# Without Qt's Wayland plugin the game would quietly fall back to XWayland on a Wayland desktop.
# Without the deck the hand is text alone.
for recommended in qt6-wayland gnome-cards-data; do
    grep -qw "$recommended" <<<"$(dpkg-deb -f "$deb" Recommends)" ||
        { echo "FAIL: Recommends lacks $recommended" >&2; exit 1; }
done

# The package is installed machine-wide: checks run at once from other build folders take turns.
exec 9>/tmp/zuvik-deb-test.lock
flock -w 600 9 || { echo "FAIL: another package check held the lock for ten minutes" >&2; exit 1; }

# A package of the same version left by an earlier run would make apt skip the new one.
if dpkg-query -W -f='${Status}' zuvik 2>/dev/null | grep -q 'install ok installed'; then
    echo "removing the zuvik package left installed by an earlier run"
    DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=120 remove -y -qq zuvik >/dev/null
fi
cp "$deb" "$work/zuvik.deb"
(cd "$work" && DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=120 install -y -qq --no-install-recommends ./zuvik.deb) \
    >"$work/apt.log" 2>&1 || { cat "$work/apt.log" >&2; exit 1; }
installed_here=yes
game=$(dpkg -L zuvik | grep -E '/bin/zuvik$|/games/zuvik$' | head -n 1)
[ -x "$game" ] || { echo "FAIL: the package installed no executable" >&2; exit 1; }
for file in /usr/share/zuvik/help.vrn /usr/share/zuvik/door.wav /usr/share/applications/io.github.zuvik.Zuvik.desktop \
    /usr/share/metainfo/io.github.zuvik.Zuvik.metainfo.xml /usr/share/man/man6/zuvik.6.gz \
    /usr/share/icons/hicolor/48x48/apps/io.github.zuvik.Zuvik.png /usr/share/doc/zuvik/copyright; do
    [ -f "$file" ] || { echo "FAIL: the package did not install $file" >&2; exit 1; }
done
echo "installed $game"

start_x_server
folder=$work/elsewhere
mkdir "$folder"
# With no session bus, Qt would start one of its own through dbus-launch and leave it behind.
(cd "$folder" && DBUS_SESSION_BUS_ADDRESS=disabled: QT_QPA_PLATFORM=xcb exec "$game") &
game_pid=$!
started_pids+=("$game_pid")
prompt=$(find_window '^Зувик$' 30) || { echo "FAIL: the installed game showed no input box titled Зувик" >&2; exit 1; }
echo "the installed game asks for a name (window $prompt)"
type_into "$prompt" xdotool type --delay 20 "Tester"
type_into "$prompt" xdotool key Return
welcome=$(find_window '^Зувик$' 20 "$prompt") || { echo "FAIL: no welcome box" >&2; exit 1; }
type_into "$welcome" xdotool key Return
main=$(find_window '^Игра "Зувик"$' 20) || { echo "FAIL: no main window after the greeting" >&2; exit 1; }
echo "the installed game shows its window 'Игра \"Зувик\"' (window $main)"
kill "$game_pid"
wait "$game_pid" 2>/dev/null || true

DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=120 remove -y -qq zuvik >"$work/apt.log" 2>&1 ||
    { cat "$work/apt.log" >&2; exit 1; }
installed_here=no
[ ! -e "$game" ] || { echo "FAIL: $game still there after apt-get remove" >&2; exit 1; }
echo "package made, installed, started and removed"
