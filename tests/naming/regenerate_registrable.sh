#!/bin/sh
# The registrable-character generator's output is the committed one.
kanjidic2=/usr/share/edict/kanjidic2.xml.gz
. "$(dirname "$0")/../regenerate_lib.sh"
need "KANJIDIC2 (kanjidic-xml)" "$kanjidic2"
"$python" "$src/tools/gen_registrable.py" --kanjidic2 "$kanjidic2" --out "$work"
same naming registrable_data.cpp gen_registrable.py
