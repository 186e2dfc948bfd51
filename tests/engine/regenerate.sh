#!/bin/sh
# The stroke table generator's output is the committed one.
kanjidic=/usr/share/edict/kanjidic unihan=/usr/share/unicode/Unihan_IRGSources.txt.bz2
. "$(dirname "$0")/../regenerate_lib.sh"
need "stroke data (kanjidic, unicode-data)" "$kanjidic" "$unihan"
"$python" "$src/tools/gen_stroke_rows.py" --kanjidic "$kanjidic" --unihan "$unihan" --out "$work"
same engine stroke_rows.cpp gen_stroke_rows.py
same engine stroke_departures.txt gen_stroke_rows.py
