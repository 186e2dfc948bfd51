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
# Quiet unless something fails.
log=$(emcmake cmake -S "$root/web" -B "$build" -DCMAKE_BUILD_TYPE=Release 2>&1) || { echo "$log" >&2; exit 1; }
log=$(cmake --build "$build" -j"$(nproc)" 2>&1) || { echo "$log" >&2; exit 1; }
echo "$build/namori.html"
