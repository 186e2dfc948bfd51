#!/bin/sh
# The variant table generator's output is the committed one.
unihan=/usr/share/unicode/Unihan_Variants.txt.bz2
. "$(dirname "$0")/../regenerate_lib.sh"
need "Unihan variants (unicode-data)" "$unihan"
"$python" "$src/tools/gen_variants.py" --unihan "$unihan" --out "$work"
same readings variants_data.cpp gen_variants.py
