#!/bin/sh
# Reruns the registrable-character generator and compares its output with the
# committed file. Exit 77 (skipped) where KANJIDIC2 is missing.
# Usage: regenerate_registrable.sh PYTHON SOURCE_DIR WORK_DIR
set -eu
python=$1 src=$2 work=$3
kanjidic2=/usr/share/edict/kanjidic2.xml.gz
if [ ! -f "$kanjidic2" ]; then
  echo "KANJIDIC2 not installed (kanjidic-xml): skipped"
  exit 77
fi
rm -rf "$work" && mkdir -p "$work"
"$python" "$src/tools/gen_registrable.py" --kanjidic2 "$kanjidic2" --out "$work"
if ! cmp "$work/registrable_data.cpp" "$src/naming/registrable_data.cpp"; then
  echo "naming/registrable_data.cpp differs from the generator's output; rerun tools/gen_registrable.py"
  exit 1
fi
