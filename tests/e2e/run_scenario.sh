#!/usr/bin/env bash
# Runs one driver scenario against namori.exe on a private Xvfb server, in a
# fresh directory (where namori.exe writes its report files), under the
# locale LANG (default ja_JP.UTF-8). For the naming scenario, NAMORI_CLI
# names the native namori-cli, whose --suggest --csv --sjis writes the CSVs
# the program's lists must match.
#
#   run_scenario.sh PREFIX DRIVER_EXE NAMORI_EXE SCENARIO [LANG]
set -u
usage="usage: $0 PREFIX DRIVER_EXE NAMORI_EXE SCENARIO [LANG]"
[ $# -eq 4 ] || [ $# -eq 5 ] || { echo "$usage" >&2; exit 2; }
prefix=$1 driver=$2 namori=$3 scenario=$4 lang=${5:-ja_JP.UTF-8}
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/scripts/wine-env.sh"
driver=$(namori_winpath "$driver") namori=$(namori_winpath "$namori")
namori_wine_env "$prefix" "$lang"

work=$(mktemp -d "${TMPDIR:-/tmp}/namori-e2e.XXXXXX")
NAMORI_XVFB_PID=
cleanup() {
  wineserver -k 2>/dev/null
  [ -n "$NAMORI_XVFB_PID" ] && kill "$NAMORI_XVFB_PID" 2>/dev/null && wait "$NAMORI_XVFB_PID" 2>/dev/null
  [ "${keep:-0}" = 1 ] || rm -rf "$work"
}
trap cleanup EXIT
namori_start_xvfb "$work" 1024x768x24 || exit 1

cd "$work"
if [ "$scenario" = naming ]; then
  cli=${NAMORI_CLI:?the naming scenario needs NAMORI_CLI}
  csv() { "$cli" --suggest 山田 --top 0 --csv --sjis "$@"; }
  csv >expected-all.csv &&
    csv --sex f --chars 2 >expected-f2.csv &&
    csv --reading ゆ\* >expected-yu.csv &&
    csv --with 翔 >expected-with.csv &&
    csv --with 翔 --names all --all-readings --sort popular >expected-with-all.csv || exit 1
fi
timeout 240 wine "$driver" "$scenario" "$namori"
rc=$?
if [ $rc -ne 0 ]; then
  keep=1
  echo "scenario $scenario failed (exit $rc); files left in $work" >&2
fi
exit $rc
