#!/bin/sh
# Reruns the code page 932 table generator and compares its output with the
# committed file. Usage: regenerate.sh PYTHON SOURCE_DIR WORK_DIR
set -eu
python=$1 src=$2 work=$3
rm -rf "$work" && mkdir -p "$work"
"$python" "$src/tools/gen_cp932.py" --out "$work/cp932_table.cpp"
if ! cmp "$work/cp932_table.cpp" "$src/readings/cp932_table.cpp"; then
  echo "readings/cp932_table.cpp differs from the generator's output; rerun tools/gen_cp932.py"
  exit 1
fi
