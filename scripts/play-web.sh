#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds the web page into build/web/ and serves it on 127.0.0.1.
#   scripts/play-web.sh [--build-only] [PORT]
set -euo pipefail
cd "$(dirname "$0")/.."
build_only=0
if [ "${1:-}" = "--build-only" ]; then
    build_only=1
    shift
fi
port=${1:-8026}
scripts/install-deps.sh web
# Debian's emcc runs its last step under whatever node is first on the PATH; a node that is not
# Debian's does not look where Debian keeps node-acorn.
if [ -d /usr/share/nodejs ]; then
    export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
fi
emcmake cmake -S . -B build/web-build -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DZUVIK_WEB_OUTPUT="$PWD/build/web" >/dev/null
cmake --build build/web-build
[ "$build_only" -eq 1 ] && exit 0
echo "Open http://127.0.0.1:$port/ in a browser (Ctrl+C stops the server)."
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build/web
