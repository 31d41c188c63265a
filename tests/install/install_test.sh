#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the build into a fresh prefix as a packager would, checks the layout with the
# desktop's own validators, then starts the installed game from an unrelated folder and
# follows it through the greeting to its window and its rules, to see that it finds its data
# relative to its own location, and that a file in the current folder still comes first.
#   install_test.sh BUILD_DIR
set -euo pipefail
build=$(realpath "$1")
here=$(dirname "$(realpath "$0")")
source "$here/../support/x_session.sh"

work=$(mktemp -d /tmp/zuvik-install.XXXXXX)
trap 'stop_started; rm -rf "$work"' EXIT
prefix=$work/usr
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

cmake --install "$build" --prefix "$prefix" >"$work/install.log"
echo "installed into $prefix"

# --- layout ---------------------------------------------------------------------------------
app=io.github.zuvik.Zuvik
[ -x "$prefix/bin/zuvik" ] || fail "bin/zuvik missing or not executable"
cues=(door kn deal win sv ooh ye oba 4 yes end 2 fe bye)
for cue in "${cues[@]}"; do
    file -b "$prefix/share/zuvik/$cue.wav" 2>/dev/null | grep -q 'WAVE audio' ||
        fail "share/zuvik/$cue.wav missing or not a WAV file"
done
found_cues=$(find "$prefix/share/zuvik" -maxdepth 1 -name '*.wav' | wc -l)
[ "$found_cues" -eq ${#cues[@]} ] || fail "share/zuvik holds $found_cues cues, expected ${#cues[@]}"
[ -s "$prefix/share/zuvik/help.vrn" ] || fail "share/zuvik/help.vrn missing or empty"
grep -q 'MIT License' "$prefix/share/doc/zuvik/copyright" 2>/dev/null || fail "share/doc/zuvik/copyright missing"
desktop=$prefix/share/applications/$app.desktop
metainfo=$prefix/share/metainfo/$app.metainfo.xml
[ -f "$desktop" ] || fail "desktop entry missing"
[ -f "$metainfo" ] || fail "metainfo missing"
grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/$app.svg" 2>/dev/null || fail "scalable icon missing"
for size in 16 24 32 48 64 128 256; do
    png=$prefix/share/icons/hicolor/${size}x${size}/apps/$app.png
    file -b "$png" 2>/dev/null | grep -q "PNG image data, $size x $size," ||
        fail "icon ${size}x${size} missing or of the wrong size: $(file -b "$png" 2>&1)"
done
man_page=$prefix/share/man/man6/zuvik.6.gz
if [ -f "$man_page" ]; then
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$man_page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "the manual page has troff warnings: $warnings"
    LC_ALL=C.UTF-8 MANWIDTH=80 man -E UTF-8 -l "$man_page" 2>/dev/null | grep -q 'help.vrn' ||
        fail "the manual page does not render"
else
    fail "share/man/man6/zuvik.6.gz missing"
fi

# --- the desktop's own validators, and the names that tie the pieces together ---------------
desktop-file-validate "$desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate --no-net"
appstreamcli validate-tree --no-net "$prefix" || fail "appstreamcli validate-tree --no-net"
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[ -x "$prefix/bin/$exec_name" ] || fail "the desktop entry starts '$exec_name', which is not installed"
icon_name=$(sed -n 's/^Icon=//p' "$desktop")
[ "$icon_name" = "$app" ] || fail "the desktop entry names icon '$icon_name'"
wm_class=$(sed -n 's/^StartupWMClass=//p' "$desktop")
grep -q "<launchable type=\"desktop-id\">$app.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not launch $app.desktop"

# --- the installed game, started from elsewhere ---------------------------------------------
start_x_server
export QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8
# With no session bus, Qt would start one of its own through dbus-launch and leave it behind.
export DBUS_SESSION_BUS_ADDRESS=disabled:

# Starts the installed game in folder $1 under strace, walks it through the greeting to its
# main window, opens the rules with F1 and leaves; sets rules_read_from and door_read_from to
# the paths it read help.vrn and the start-up cue door.wav from.
rules_read_from=
door_read_from=
walk_to_rules() {
    local folder=$1 log=$work/strace.$RANDOM pidfile=$work/game.pid
    rm -f "$pidfile"
    rules_read_from=
    door_read_from=
    (cd "$folder" && exec strace -f -qq -e trace=openat -o "$log" \
        sh -c 'echo $$ >"$1"; exec "$2"' sh "$pidfile" "$prefix/bin/zuvik") &
    local tracer=$! step=
    local prompt welcome main
    if prompt=$(find_window '^Зувик$' 30); then
        type_into "$prompt" xdotool type --delay 20 "Tester"
        type_into "$prompt" xdotool key Return
        if welcome=$(find_window '^Зувик$' 20 "$prompt"); then
            type_into "$welcome" xdotool key Return
            if main=$(find_window '^Игра "Зувик"$' 20); then
                # On X11, and through XWayland, the desktop ties the window to its entry by this name.
                xdotool search --classname "^$wm_class\$" | grep -qx "$main" ||
                    fail "the window's X class instance is not the desktop entry's StartupWMClass '$wm_class'"
                # The icon, installed under the same prefix, is found from the executable's place.
                grep -q 'Icon (' <<<"$(xprop -id "$main" _NET_WM_ICON)" || fail "the window has no icon"
                type_into "$main" xdotool key F1
                find_window '^Зувик$' 20 "$prompt $welcome" >/dev/null || step="F1 showed no rules box"
            else
                step="no main window titled 'Игра \"Зувик\"' after the welcome"
            fi
        else
            step="no welcome box after the name"
        fi
    else
        step="no input box titled Зувик"
    fi
    [ -s "$pidfile" ] && kill "$(cat "$pidfile")" 2>/dev/null || true
    # strace ends with the last process it follows; give it a moment, then stop it anyway.
    for _ in $(seq 50); do
        kill -0 "$tracer" 2>/dev/null || break
        sleep 0.1
    done
    kill "$tracer" 2>/dev/null || true
    wait "$tracer" 2>/dev/null || true
    if [ -n "$step" ]; then
        fail "started from $folder: $step"
        return 0
    fi
    rules_read_from=$(opened_from "$log" help.vrn "$folder")
    door_read_from=$(opened_from "$log" door.wav "$folder")
}

# The last path under which the traced game opened the file named $2, made absolute.
opened_from() {
    local path
    path=$(grep -v ENOENT "$1" | sed -n "s/.*openat([^\"]*\"\([^\"]*\/$2\)\".*/\1/p" | tail -n 1)
    [ -z "$path" ] || (cd "$3" && realpath "$path")
}

elsewhere=$work/elsewhere
mkdir "$elsewhere"
walk_to_rules "$elsewhere"
expected=$(realpath "$prefix/share/zuvik/help.vrn")
if [ "$rules_read_from" = "$expected" ]; then
    echo "started from $elsewhere: the rules were read from $rules_read_from"
else
    fail "started from $elsewhere the game read help.vrn from '$rules_read_from', expected $expected"
fi
expected=$(realpath "$prefix/share/zuvik/door.wav")
if [ "$door_read_from" = "$expected" ]; then
    echo "started from $elsewhere: the first cue was read from $door_read_from"
else
    fail "started from $elsewhere the game read door.wav from '$door_read_from', expected $expected"
fi

printf 'Свои правила\r\n' >"$elsewhere/help.vrn"
cp "$prefix/share/zuvik/door.wav" "$elsewhere/door.wav"
walk_to_rules "$elsewhere"
if [ "$rules_read_from" = "$elsewhere/help.vrn" ] && [ "$door_read_from" = "$elsewhere/door.wav" ]; then
    echo "files in the current folder come first: read $rules_read_from and $door_read_from"
else
    fail "with help.vrn and door.wav in the current folder the game read '$rules_read_from' and '$door_read_from'"
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
fi
echo "install layout, validators and the installed game: all good"
