#!/usr/bin/env python3
"""Generates naming/candidates_data.cpp, the given names that naming support ranks.

Source: the given names of ENAMDICT (entries tagged f, m or g), kept only where
a child could be registered with the writing: every character is a jouyou or
jinmeiyou kanji (KANJIDIC field G1 to G10), hiragana, katakana or one of
ー 々 ゝ ゞ ヽ ヾ, and every character has a code page 932 form and a stroke
count in our stroke dictionary (engine/stroke_rows.cpp); the whole writing fits
the name dialog's 34 bytes. Each writing keeps all its readings (hiragana) and
the union of its entries' sex tags. Stroke counts are not stored: the program
works them out from the engine when it loads the data.

Layout of the data (Shift-JIS once compiled):
- kWritings: the writings in Shift-JIS code order, each ended by a NUL.
- kReadings: one record per writing, in the same order: a digit, the sum of the
  writing's tags f 1, m 2, g 4; its readings packed one byte per kana (byte
  0x23 + i is character i of kReadingKana, skipping '?' and the backslash), a
  space between two readings; '!' after the last.

Usage: gen_candidates.py [--enamdict PATH] [--kanjidic PATH] [--strokes PATH] [--out DIR]
"""
import argparse
import os
import re
import sys

SEX_BITS = {"f": 1, "m": 2, "g": 4}
MARKS = "ー々ゝゞヽヾ"
MAX_BYTES = 34
FIRST_CODE = 0x23
SKIPPED_CODES = (ord("?"), ord("\\"))
LINE_WIDTH = 96


def read_name_kanji(path):
    """Jouyou and jinmeiyou kanji: KANJIDIC entries with a grade G1 to G10."""
    kanji = set()
    with open(path, "rb") as f:
        for raw in f:
            if raw.startswith(b"#"):
                continue
            fields = raw.decode("euc_jp").split()
            if any(re.fullmatch(r"G([1-9]|10)", x) for x in fields[2:]):
                kanji.add(fields[0])
    return kanji


def read_stroke_characters(path):
    """Every character that stands in a row of the stroke dictionary source."""
    with open(path, encoding="utf-8") as f:
        text = f.read()
    start = text.index("strokeRows[kStrokeRows] = {")
    rows = text[start:text.index("};", start)]
    return set("".join(re.findall(r'"([^"]*)"', rows)))


def is_kana(ch):
    o = ord(ch)
    return 0x3041 <= o <= 0x309F or (0x30A0 <= o <= 0x30FF and ch != "・")


def sjis(text):
    try:
        return text.encode("cp932")
    except UnicodeEncodeError:
        return None


def to_hiragana(reading):
    """Katakana as hiragana; a katakana whose hiragana has no code page 932
    form (ヴ, ヵ, ヶ) stays as it is."""
    out = []
    for ch in reading:
        o = ord(ch)
        if 0x30A1 <= o <= 0x30F6 or o in (0x30FD, 0x30FE):
            h = chr(o - 0x60)
            if sjis(h) is not None:
                ch = h
        elif ch == "ゔ":
            ch = "ヴ"
        out.append(ch)
    return "".join(out)


def read_given_names(path, allowed):
    """(number of given-name entries, {writing: [sex bits, set of readings]})."""
    entries = 0
    names = {}
    with open(path, "rb") as f:
        for raw in f:
            m = re.match(r"^(\S+) (?:\[(\S+)\] )?/(.*)/$", raw.decode("euc_jp").rstrip("\n"))
            if not m:
                continue
            tags = set()
            for group in re.findall(r"(?:^|/)\(([^)]*)\)", m.group(3)):
                tags.update(group.split(","))
            sex = sum(bit for tag, bit in SEX_BITS.items() if tag in tags)
            if not sex:
                continue
            entries += 1
            writing = m.group(1)
            encoded = sjis(writing)
            if encoded is None or len(encoded) > MAX_BYTES or not all(c in allowed for c in writing):
                continue
            name = names.setdefault(writing, [0, set()])
            name[0] |= sex
            name[1].add(to_hiragana(m.group(2) or writing))
    return entries, names


def kana_codes(kana):
    codes = [c for c in range(FIRST_CODE, 0x7F) if c not in SKIPPED_CODES]
    if len(kana) > len(codes):
        sys.exit("%d reading characters do not fit the packed alphabet" % len(kana))
    return dict(zip(kana, (chr(c) for c in codes)))


def literal_lines(pieces, width):
    """Pieces joined into string literals of about `width` characters each."""
    lines, line = [], ""
    for piece in pieces:
        if line and len(line) + len(piece) > width:
            lines.append(line)
            line = ""
        line += piece
    if line:
        lines.append(line)
    return ['    "%s"' % line for line in lines]


def render(entries, names):
    order = sorted(names, key=sjis)
    readings = {w: sorted(names[w][1], key=sjis) for w in order}
    for w in order:
        for r in readings[w]:
            if sjis(r) is None or not all(is_kana(c) or c == "ー" for c in r):
                sys.exit("reading %s of %s is not kana of code page 932" % (r, w))
    kana = sorted({c for rs in readings.values() for r in rs for c in r}, key=sjis)
    code = kana_codes(kana)
    writings = [w + "\\0" for w in order]
    packed = ["%d%s!" % (names[w][0], " ".join("".join(code[c] for c in r) for r in readings[w]))
              for w in order]
    out = [
        "// Generated by tools/gen_candidates.py; do not edit by hand.",
        "// Given names of ENAMDICT (EDRDG, CC BY-SA 4.0) whose every character is a",
        "// jouyou or jinmeiyou kanji (KANJIDIC), kana or a repeat mark, and counts in",
        "// the stroke dictionary; see NOTICE. Layout: tools/gen_candidates.py.",
        '#include "candidates_data.h"',
        "",
        "namespace namori::candidates {",
        "",
        "// %d writings from %d given-name entries." % (len(order), entries),
        "const std::uint32_t kCount = %d;" % len(order),
        "",
        "const char kReadingKana[] = \"%s\";" % "".join(kana),
        "",
        "const char kWritings[] =",
    ]
    out += literal_lines(writings, 64)
    out[-1] += ";"
    out += ["const std::size_t kWritingsSize = sizeof kWritings - 1;", "", "const char kReadings[] ="]
    out += literal_lines(packed, LINE_WIDTH)
    out[-1] += ";"
    out += ["const std::size_t kReadingsSize = sizeof kReadings - 1;", "",
            "}  // namespace namori::candidates", ""]
    return "\n".join(out), len(order)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("--enamdict", default="/usr/share/edict/enamdict")
    p.add_argument("--kanjidic", default="/usr/share/edict/kanjidic")
    p.add_argument("--strokes", default=os.path.join(here, "..", "engine", "stroke_rows.cpp"))
    p.add_argument("--out", default=os.path.join(here, "..", "naming"))
    a = p.parse_args()
    counted = read_stroke_characters(a.strokes)
    name_kanji = read_name_kanji(a.kanjidic)
    allowed = {c for c in counted
               if (c in name_kanji or is_kana(c) or c in MARKS) and sjis(c) is not None}
    entries, names = read_given_names(a.enamdict, allowed)
    text, kept = render(entries, names)
    with open(os.path.join(a.out, "candidates_data.cpp"), "w", encoding="utf-8") as f:
        f.write(text)
    print("%d given-name entries, %d writings kept" % (entries, kept))


if __name__ == "__main__":
    main()
