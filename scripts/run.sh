#!/usr/bin/env bash
# Builds namori.exe and starts it.
#
# On Linux: installs what is missing (MinGW-w64, Wine, the Japanese locale and
# fonts), cross-builds namori.exe into build-win/, and runs it under Wine in a
# private prefix (build-win/wineprefix) with code page 932 and Japanese fonts:
# on your display when DISPLAY is set, otherwise on a hidden virtual one
# (Xvfb). Ctrl-C stops it; when it ends, every Wine process of the prefix ends
# with it.
# On Windows (MSYS2 MinGW shell): builds with the native MinGW compiler and
# starts it.
#
# Report files are written to the directory you run this from.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${NAMORI_WIN_BUILD:-$root/build-win}

case "$(uname -s)" in
  MINGW* | MSYS* | CYGWIN*)
    cmake -S "$root" -B "$build" -G "MinGW Makefiles" -DCMAKE_BUILD_TYPE=Release
    cmake --build "$build" -j
    exec "$build/ui/namori.exe"
    ;;
esac

. "$root/scripts/wine-env.sh"
namori_install
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)" --target namori
exe="$build/ui/namori.exe"
echo "built $exe (runs on Windows as it is; no DLL needed)"

prefix="$build/wineprefix"
namori_wine_env "$prefix"
NAMORI_XVFB_PID=
# Ctrl-C, or the program's end: stop every Wine process of the private prefix
# (the help viewer may outlive the program) and the virtual display.
stop() {
  trap - EXIT INT TERM
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  if [ -n "$NAMORI_XVFB_PID" ]; then
    kill "$NAMORI_XVFB_PID" 2>/dev/null || true
    wait "$NAMORI_XVFB_PID" 2>/dev/null || true
  fi
}
trap stop EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

if [ -n "${DISPLAY:-}" ]; then
  namori_setup_prefix "$prefix"
else
  namori_setup_prefix "$prefix" headless
  scratch=$(mktemp -d "${TMPDIR:-/tmp}/namori-run.XXXXXX")
  namori_start_xvfb "$scratch" 1024x768x24
  rm -rf "$scratch"
  echo "DISPLAY is not set: namori.exe is running on a hidden virtual display" \
    "($DISPLAY, Xvfb), so you cannot see its window. Press Ctrl-C to stop it." >&2
fi
# In the background, so that Ctrl-C reaches this script at once.
wine "$exe" &
wait $!
