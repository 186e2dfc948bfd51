#!/usr/bin/env bash
# Makes the release files in dist/:
# - namori-1.0-win64.zip, for Windows users:
#     namori.exe             the program (release build, static, stripped)
#     namori-guide-ja.txt    the Japanese guide, docs/guide-ja.md as text
#     LICENSE.txt NOTICE.txt the licences
# - namori.html, the web page: one file that works offline (web/build.sh).
# Both are reproducible: two runs from one commit give the same bytes (no
# link time in the executable; the files' times, order and modes are fixed).
#
#   scripts/package.sh [OUTPUT_DIR]   (default: dist/)
# NAMORI_WIN_BUILD: the cross-build directory (default build-win/, as for
# scripts/run.sh); NAMORI_WEB_BUILD: the page's (default build-web/).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${NAMORI_WIN_BUILD:-$root/build-win}
out=$(mkdir -p "${1:-$root/dist}" && cd "${1:-$root/dist}" && pwd)

. "$root/scripts/packages.sh"
namori_ensure_packages g++-mingw-w64-x86-64 cmake make zip "${NAMORI_WEB_PACKAGES[@]}"

guide="$root/docs/guide-ja.md"
[ -f "$guide" ] || { echo "package: $guide is missing" >&2; exit 1; }
version=$(sed -n 's/^project(namori .*VERSION \([0-9.]*\)).*/\1/p' "$root/CMakeLists.txt")
zip="$out/namori-$version-win64.zip"

cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target namori -j"$(nproc)" >/dev/null

# Every file dated by the commit (or SOURCE_DATE_EPOCH), in UTC.
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 1767225600)}
stage=$(mktemp -d "${TMPDIR:-/tmp}/namori-package.XXXXXX")
trap 'rm -rf "$stage"' EXIT

# Text for Notepad: UTF-8 with a byte-order mark, CR LF line ends.
windows_text() { printf '\xef\xbb\xbf'; sed 's/\r$//; s/$/\r/' "$1"; }

cp "$build/ui/namori.exe" "$stage/namori.exe"
windows_text "$guide" >"$stage/namori-guide-ja.txt"
windows_text "$root/LICENSE" >"$stage/LICENSE.txt"
windows_text "$root/NOTICE" >"$stage/NOTICE.txt"
files=(namori.exe namori-guide-ja.txt LICENSE.txt NOTICE.txt)

cd "$stage"
chmod 0644 "${files[@]}"
chmod 0755 namori.exe
touch -d "@$epoch" "${files[@]}"
rm -f "$zip"
TZ=UTC zip -X -q "$zip" "${files[@]}"
echo "wrote $zip"

page=$("$root/web/build.sh" "${NAMORI_WEB_BUILD:-$root/build-web}")
cp "$page" "$out/namori.html"
touch -d "@$epoch" "$out/namori.html"
echo "wrote $out/namori.html ($(stat -c %s "$out/namori.html") bytes, $(gzip -9n <"$out/namori.html" | wc -c) gzipped)"
