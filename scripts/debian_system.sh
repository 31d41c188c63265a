# SPDX-License-Identifier: MIT
# Sourced by check-release.sh, which sets root (the folder of the system it made) and release.
# enter_system: mounts what the tests need inside the system and lets it resolve names.
# in_system [NAME=VALUE...] COMMAND...: becomes COMMAND, run as root in the system's clone of the
#   game with the environment of a fresh login: nothing of this machine's leaks in. It replaces the
#   calling shell, so run it with & or in a subshell; its PID is then the command's.
# start_x_server: starts a private Xvfb on this machine and sets display. The system reaches it
#   through the X server's abstract socket, so the play command meets the system with nothing
#   installed that the game did not ask for.
# remove_system: ends every process that runs in the system, the step running and the X server,
#   unmounts everything under root and removes it; the status the script exits with is kept.

step_pid=
x_pid=
display=

enter_system() {
    mount -t proc proc "$root/proc"
    mount -t sysfs -o ro sysfs "$root/sys"
    mount -t devpts -o newinstance,ptmxmode=0666,mode=0620 devpts "$root/dev/pts"
    ln -sf pts/ptmx "$root/dev/ptmx"
    mount -t tmpfs -o mode=1777 tmpfs "$root/dev/shm"
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    # A mirror can serve an unstable index past its Valid-Until; apt then refuses every install.
    local until
    until=$(sed -n 's/^Valid-Until: //p' "$root"/var/lib/apt/lists/*Release 2>/dev/null | head -n 1)
    if [ -n "$until" ] && (($(date -d "$until" +%s) < $(date +%s))); then
        echo "note: the mirror's $release index expired on $until; apt is told to accept it"
        echo 'Acquire::Check-Valid-Until "false";' >"$root/etc/apt/apt.conf.d/99check-release"
    fi
}

in_system() {
    exec chroot "$root" /usr/bin/env -i -C /root/zuvik HOME=/root USER=root LOGNAME=root TERM=dumb \
        LANG=C.UTF-8 PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"
}

start_x_server() {
    local fifo
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$fifo" 2>/dev/null &
    x_pid=$!
    read -r -t 20 display <"$fifo" || { rm -f "$fifo"; echo "FAIL: Xvfb did not start" >&2; return 1; }
    rm -f "$fifo"
}

processes_in_system() {
    local process
    for process in /proc/[0-9]*; do
        [ "$(readlink "$process/root" 2>/dev/null)" = "$root" ] && echo "${process#/proc/}"
    done
    return 0
}

remove_system() {
    local status=$? signal pids mounts _
    set +e
    trap - EXIT INT TERM
    [ -n "$step_pid" ] && kill -TERM -- "-$step_pid" 2>/dev/null
    [ -n "$x_pid" ] && kill "$x_pid" 2>/dev/null && wait "$x_pid" 2>/dev/null
    for signal in TERM KILL; do
        pids=$(processes_in_system)
        [ -n "$pids" ] || break
        if [ "$signal" = TERM ] && [ "$status" -eq 0 ]; then
            echo "note: still running in the system after its last step:" $(ps -o pid=,comm= -p $pids)
        fi
        kill "-$signal" $pids 2>/dev/null
        for _ in $(seq 50); do
            [ -z "$(processes_in_system)" ] && break
            sleep 0.2
        done
    done
    pids=$(processes_in_system)
    [ -z "$pids" ] || echo "FAIL: processes $pids of the system would not end" >&2
    # Deepest first: /proc/self/mounts lists a mount after the one it sits on.
    mounts=$(awk -v root="$root/" 'index($2, root) == 1 { print $2 }' /proc/self/mounts | tac)
    for mount in $mounts; do
        umount "$mount" || echo "FAIL: could not unmount $mount" >&2
    done
    if awk -v root="$root/" 'index($2, root) == 1 { found = 1 } END { exit !found }' /proc/self/mounts; then
        echo "FAIL: something is still mounted under $root: it is left for you to remove" >&2
        exit 1
    fi
    rm -rf --one-file-system "$root"
    [ -z "$pids" ] || exit 1
    exit "$status"
}
