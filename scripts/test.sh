#!/usr/bin/env bash
# Builds everything and runs every test: the engine and readings under
# AddressSanitizer and UndefinedBehaviorSanitizer, the command-line tool, the
# Windows program end to end under Wine, and the web page in Chromium.
# Installs what it needs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${NAMORI_TEST_BUILD:-$root/build-test}

. "$root/scripts/packages.sh"
namori_ensure_packages "${NAMORI_NATIVE_PACKAGES[@]}" "${NAMORI_WEB_PACKAGES[@]}"
namori_ensure_npm
"$root/scripts/wine-env.sh" install

cmake -S "$root" -B "$build" -DNAMORI_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j"$(nproc)"
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
