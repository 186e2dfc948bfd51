#!/usr/bin/env bash
# Builds the page alone: BUILD_DIR/namori.html (default build-web/), one file
# with the WebAssembly module, the script and the styles inlined.
#
#   web/build.sh [BUILD_DIR]
# Needs Debian's emscripten, cmake and python3 (scripts/package.sh and
# scripts/test.sh install them).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-web}
# emscripten's optimiser needs Debian's node modules (acorn).
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
emcmake cmake -S "$root/web" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)" >/dev/null
echo "$build/namori.html"
