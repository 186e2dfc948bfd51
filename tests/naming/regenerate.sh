#!/bin/sh
# Reruns the candidate generator and compares its output with the committed
# file. Exit 77 (skipped) where the Debian name data is missing.
# Usage: regenerate.sh PYTHON SOURCE_DIR WORK_DIR
set -eu
python=$1 src=$2 work=$3
enamdict=/usr/share/edict/enamdict
kanjidic2=/usr/share/edict/kanjidic2.xml.gz
if [ ! -f "$enamdict" ] || [ ! -f "$kanjidic2" ]; then
  echo "name data not installed (enamdict, kanjidic-xml): skipped"
  exit 77
fi
rm -rf "$work" && mkdir -p "$work"
"$python" "$src/tools/gen_candidates.py" --enamdict "$enamdict" --kanjidic2 "$kanjidic2" \
  --strokes "$src/engine/stroke_rows.cpp" --avoided "$src/naming/avoided_kanji.txt" --out "$work"
if ! cmp "$work/candidates_data.cpp" "$src/naming/candidates_data.cpp"; then
  echo "naming/candidates_data.cpp differs from the generator's output; rerun tools/gen_candidates.py"
  exit 1
fi
