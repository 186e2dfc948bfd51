#!/usr/bin/env bash
# Runs one driver scenario against namori.exe on a private Xvfb server, in a
# fresh directory (where namori.exe writes its report files).
#
#   run_scenario.sh PREFIX DRIVER_EXE NAMORI_EXE SCENARIO
set -u
[ $# -eq 4 ] || { echo "usage: $0 PREFIX DRIVER_EXE NAMORI_EXE SCENARIO" >&2; exit 2; }
prefix=$1 driver=$2 namori=$3 scenario=$4
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/scripts/wine-env.sh"

for f in "$driver" "$namori"; do
  [ -f "$f" ] || { echo "missing $f" >&2; exit 1; }
done
# Wine sees the whole file system as drive Z:.
winpath() { echo "Z:$(realpath "$1" | tr / '\\')"; }
driver=$(winpath "$driver")
namori=$(winpath "$namori")
namori_wine_env "$prefix"

work=$(mktemp -d "${TMPDIR:-/tmp}/namori-e2e.XXXXXX")
xvfb_pid=
cleanup() {
  wineserver -k 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  [ "${keep:-0}" = 1 ] || rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display and writes its number to fd 3.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/.display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$work/.display" ] && break
  sleep 0.1
done
[ -s "$work/.display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/.display")"
rm -f "$work/.display"

cd "$work"
timeout 240 wine "$driver" "$scenario" "$namori"
rc=$?
if [ $rc -ne 0 ]; then
  keep=1
  echo "scenario $scenario failed (exit $rc); files left in $work" >&2
fi
exit $rc
