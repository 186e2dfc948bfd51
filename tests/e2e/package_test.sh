#!/usr/bin/env bash
# The release zip is reproducible and ships the program the end-to-end tests
# ran: scripts/package.sh once from their build and once from a build of its
# own must give the same bytes. So must the web page (the first run takes the
# page from NAMORI_WEB_BUILD, the second builds its own), and it stays within
# 3 MB.
#
#   package_test.sh E2E_BUILD SCRATCH_DIR
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 E2E_BUILD SCRATCH_DIR" >&2; exit 2; }
e2e=$1 scratch=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
if [ ! -f "$root/docs/guide-ja.md" ]; then
  echo "docs/guide-ja.md is not in this tree yet: nothing to package"
  exit 77
fi
zip=namori-1.0-win64.zip

rm -rf "$scratch/from-e2e" "$scratch/own"
NAMORI_WIN_BUILD=$e2e "$root/scripts/package.sh" "$scratch/from-e2e"
NAMORI_WIN_BUILD=$scratch/build NAMORI_WEB_BUILD=$scratch/web "$root/scripts/package.sh" "$scratch/own"
cmp "$scratch/from-e2e/$zip" "$scratch/own/$zip"
cmp "$scratch/from-e2e/namori.html" "$scratch/own/namori.html"
[ "$(stat -c %s "$scratch/own/namori.html")" -le 3145728 ] || { echo "namori.html is over 3 MB" >&2; exit 1; }
unzip -p "$scratch/own/$zip" namori.exe | cmp - "$e2e/ui/namori.exe"
[ "$(unzip -Z1 "$scratch/own/$zip" | tr '\n' ' ')" = \
  "namori.exe namori-guide-ja.txt LICENSE.txt NOTICE.txt " ]
echo "same zip and page from both builds"
