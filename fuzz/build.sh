#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the rules-text fuzzer with clang (libFuzzer, ASan, UBSan) and runs it.
#   fuzz/build.sh [seconds] [work folder]      defaults: 60, build-fuzz
# seconds 0 only builds. The corpus grows in <work>/corpus; crashes land in <work>/crashes.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
seconds=${1:-60}
work=$(mkdir -p "${2:-$root/build-fuzz}" && cd "${2:-$root/build-fuzz}" && pwd)
cxx=${ZUVIK_FUZZ_CXX:-clang++}

"$cxx" -std=c++20 -O1 -g -fno-omit-frame-pointer \
    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
    -Wall -Wextra -Wpedantic -Werror -I"$root" \
    "$root/game/rules_text.cpp" "$here/rules_text_fuzzer.cpp" -o "$work/rules_text_fuzzer"

seeds=$work/seeds
mkdir -p "$seeds" "$work/corpus" "$work/crashes"
printf 'a\rb\rc' >"$seeds/cr"
printf 'a\r\nb\r\n\r\nc\r\n' >"$seeds/crlf"
printf 'a\nb\n\nc' >"$seeds/lf"
printf '\r\n\n\r\r' >"$seeds/breaks"
printf '\xef\xbb\xbfBOM\r\n' >"$seeds/bom"
printf 'a\000b\033[1m\x7f\xc2\x85\t\x1a' >"$seeds/controls"
printf '\xc0\xaf \xed\xa0\x80 \xf4\x90\x80\x80 \xf0\x9f\x83' >"$seeds/bad_utf8"
head -n 40 "$root/assets/rules/help.ru.txt" >"$seeds/utf8"
head -n 40 "$root/assets/rules/help.ru.txt" | iconv -f UTF-8 -t CP1251 >"$seeds/cp1251"
perl -e 'print map { chr } 0 .. 255' >"$seeds/binary"
head -c 60000 /dev/zero | tr '\0' 'x' >"$seeds/long_line"

[ "$seconds" -gt 0 ] || exit 0

# Files of the size the game reads whole (up to 1 MiB, and past it), run once each.
big=$work/big
mkdir -p "$big"
head -c 1048576 /dev/zero | tr '\0' 'x' >"$big/one_mib_line"
head -c 1048576 /dev/zero | tr '\0' '\r' >"$big/one_mib_of_cr"
head -c 4194304 /dev/urandom >"$big/four_mib_random"
"$work/rules_text_fuzzer" -rss_limit_mb=4096 "$big"/*

cd "$work"
"$work/rules_text_fuzzer" -max_len=65536 -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$work/crashes/" "$work/corpus" "$seeds"
