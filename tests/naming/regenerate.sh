#!/bin/sh
# The candidate generator's output is the committed one.
enamdict=/usr/share/edict/enamdict kanjidic2=/usr/share/edict/kanjidic2.xml.gz
. "$(dirname "$0")/../regenerate_lib.sh"
need "name data (enamdict, kanjidic-xml)" "$enamdict" "$kanjidic2"
"$python" "$src/tools/gen_candidates.py" --enamdict "$enamdict" --kanjidic2 "$kanjidic2" \
  --strokes "$src/engine/stroke_rows.cpp" --avoided "$src/naming/avoided_kanji.txt" --out "$work"
same naming candidates_data.cpp gen_candidates.py
