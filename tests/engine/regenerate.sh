#!/bin/sh
# Reruns the stroke table generator and compares its output with the
# committed files. Exit 77 (skipped) where the Debian stroke data is missing.
# Usage: regenerate.sh PYTHON SOURCE_DIR WORK_DIR
set -eu
python=$1 src=$2 work=$3
kanjidic=/usr/share/edict/kanjidic
unihan=/usr/share/unicode/Unihan_IRGSources.txt.bz2
if [ ! -f "$kanjidic" ] || [ ! -f "$unihan" ]; then
  echo "stroke data not installed (kanjidic, unicode-data): skipped"
  exit 77
fi
rm -rf "$work" && mkdir -p "$work"
"$python" "$src/tools/gen_stroke_rows.py" --kanjidic "$kanjidic" --unihan "$unihan" --out "$work"
for name in stroke_rows.cpp stroke_departures.txt; do
  if ! cmp "$work/$name" "$src/engine/$name"; then
    echo "engine/$name differs from the generator's output; rerun tools/gen_stroke_rows.py"
    exit 1
  fi
done
