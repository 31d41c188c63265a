#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, then builds and runs every check of the project:
# formatting, the whole test suite, and the unit tests again under ASan + UBSan. Here, unlike in a
# plain build, every warning is an error.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test

jobs=$(nproc)

# Clang-format 14 (Debian 12) to 22 (unstable) leave the tree as it is: a change that one of them
# formats differently fails here on one release or another, so CI, which runs this on two, sees it.
echo "== formatting, clang-format $(clang-format --version | grep -o '[0-9][0-9.]*' | head -n 1)"
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror

echo "== build and test"
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
cmake --build build/test -j "$jobs"
ctest --test-dir build/test --output-on-failure --timeout 300

echo "== build and test under AddressSanitizer + UndefinedBehaviorSanitizer"
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZUVIK_SANITIZE=ON \
    -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
cmake --build build/asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build/asan --output-on-failure --timeout 600 -L 'game|sound|ui'
