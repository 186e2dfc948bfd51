#!/bin/sh
# The code page 932 table generator's output is the committed one.
. "$(dirname "$0")/../regenerate_lib.sh"
"$python" "$src/tools/gen_cp932.py" --out "$work/cp932_table.cpp"
same text cp932_table.cpp gen_cp932.py
