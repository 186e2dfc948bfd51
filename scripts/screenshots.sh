#!/usr/bin/env bash
# Takes the README's screenshots of namori.exe under Wine on a virtual X
# display: the main window, the name dialog and a reading. The program is
# worked by namori_driver.exe (tests/e2e/driver), as in the end-to-end tests.
#
#   scripts/screenshots.sh [OUTPUT_DIR]      (default: docs/)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(mkdir -p "${1:-$root/docs}" && cd "${1:-$root/docs}" && pwd)
build=${NAMORI_WIN_BUILD:-$root/build-win}

. "$root/scripts/wine-env.sh"
namori_install
toolchain=-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake"
cmake -S "$root" -B "$build" "$toolchain" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)" --target namori >/dev/null
cmake -S "$root/tests/e2e/driver" -B "$build/driver" "$toolchain" -DCMAKE_BUILD_TYPE=Release \
  >/dev/null
cmake --build "$build/driver" -j"$(nproc)" >/dev/null

prefix="$build/wineprefix-xvfb"
namori_setup_prefix "$prefix" headless
namori_wine_env "$prefix"

work=$(mktemp -d "${TMPDIR:-/tmp}/namori-shots.XXXXXX")
NAMORI_XVFB_PID=
cleanup() {
  wineserver -k 2>/dev/null || true
  if [ -n "$NAMORI_XVFB_PID" ]; then kill "$NAMORI_XVFB_PID" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
namori_start_xvfb "$work" 700x500x24

namori=$(namori_winpath "$build/ui/namori.exe")
driver=$(namori_winpath "$build/driver/namori_driver.exe")

cd "$work"
wine "$namori" &
namori_pid=$!
shot() {
  wine "$driver" pose "$1"
  import -window root "$out/$2"
  echo "wrote $out/$2"
}
shot window namori-window.png
shot dialog namori-dialog.png
shot reading namori-reading.png
wine "$driver" pose close
wait "$namori_pid"
