#!/usr/bin/env bash
# Takes the README's screenshots of namori.exe under Wine on a virtual X
# display: the main window, the name dialog, a reading and the naming window
# with a list, resized, sorted by a column and with its row menu open. The
# program is
# worked by namori_driver.exe (tests/e2e/driver), as in the end-to-end tests.
#
#   scripts/screenshots.sh [--locale LANG] [OUTPUT_DIR]
#
# The locale defaults to ja_JP.UTF-8 and the directory to docs/. Under another
# locale the names carry it: --locale C.UTF-8 gives namori-window-c-utf8.png
# and so on.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
lang=ja_JP.UTF-8 suffix=
if [ "${1:-}" = --locale ]; then
  [ $# -ge 2 ] || { echo "usage: $0 [--locale LANG] [OUTPUT_DIR]" >&2; exit 2; }
  lang=$2
  [ "$lang" = ja_JP.UTF-8 ] || suffix=-$(echo "$lang" | tr 'A-Z.' 'a-z-' | sed 's/utf-8/utf8/')
  shift 2
fi
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
namori_wine_env "$prefix" "$lang"

work=$(mktemp -d "${TMPDIR:-/tmp}/namori-shots.XXXXXX")
NAMORI_XVFB_PID=
cleanup() {
  wineserver -k 2>/dev/null || true
  if [ -n "$NAMORI_XVFB_PID" ]; then kill "$NAMORI_XVFB_PID" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
namori_start_xvfb "$work" 1024x768x24

namori=$(namori_winpath "$build/ui/namori.exe")
driver=$(namori_winpath "$build/driver/namori_driver.exe")

cd "$work"
wine "$namori" &
namori_pid=$!
# shot POSE FILE SIZE: the pose, then the screen's top left corner.
shot() {
  wine "$driver" pose "$1"
  import -window root -crop "$3+0+0" +repage "$out/$2"
  echo "wrote $out/$2"
}
for step in window dialog reading; do shot "$step" "namori-$step$suffix.png" 700x500; done
for step in naming naming-sorted; do shot "$step" "namori-$step$suffix.png" 1010x700; done
# The row menu stays open only while the driver waits.
wine "$driver" pose naming-menu &
sleep 2
import -window root -crop 1010x700+0+0 +repage "$out/namori-naming-menu$suffix.png"
echo "wrote $out/namori-naming-menu$suffix.png"
wait $!
wine "$driver" pose close
wait "$namori_pid"
