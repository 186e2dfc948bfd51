#!/usr/bin/env bash
# Builds namori.exe and starts it.
#
# On Linux: installs what is missing (MinGW-w64, Wine, the Japanese locale and
# fonts), cross-builds namori.exe into build-win/, and runs it under Wine in a
# private prefix (build-win/wineprefix) with code page 932 and Japanese fonts:
# on your display when DISPLAY is set, otherwise on a virtual one (xvfb-run).
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
if [ -n "${DISPLAY:-}" ]; then
  namori_setup_prefix "$prefix"
  namori_wine_env "$prefix"
  exec wine "$exe"
else
  echo "DISPLAY is not set: running on a virtual X display (xvfb-run)" >&2
  namori_setup_prefix "$prefix" headless
  namori_wine_env "$prefix"
  exec xvfb-run -a -s "-screen 0 1024x768x24" wine "$exe"
fi
