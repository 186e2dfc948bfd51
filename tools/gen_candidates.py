#!/usr/bin/env python3
"""Generates naming/candidates_data.cpp, the given names that naming support ranks.

Source: the given names of ENAMDICT (entries tagged f, m or g, never h, which
is one person's full name), kept only where a child could be registered with
the writing: every character is registrable as tools/gen_registrable.py says
(the jouyou and jinmeiyou kanji of KANJIDIC2, kana, ー 々 ゝ ゞ ヽ ヾ) and counts
in our stroke dictionary (engine/stroke_rows.cpp); the whole writing fits the
name dialog's 34 bytes.
Each writing keeps all its readings (hiragana), each with its own sex: f
and/or m where an entry says so, else unstated (g). An entry tagged u
(unclassified) adds its reading, unstated, to a writing that already is a
given name. Stroke counts are not stored: the program works them out from
the engine when it loads the data.

Two measures order the writings, both from ENAMDICT:
- people: how many distinct full names of people (entries tagged h) are a
  surname (an entry tagged s) followed by the writing, split at the first
  place where the part before is a surname and the rest a candidate;
- familiarity: for each character, how many writings contain it; a writing's
  familiarity is the smallest of these over its characters.
The data order is people high to low, then familiarity high to low, then
Shift-JIS code order, so a stable sort by score keeps both as tie-breaks.

Writings with a kanji of naming/avoided_kanji.txt (kanji parents avoid for
their meaning) are kept, flagged.

Layout of the data (Shift-JIS once compiled):
- kMeasureRuns: {people, familiarity, number of writings}, in data order.
- kWritings: the writings in data order, each ended by a NUL.
- kHeads: one byte per writing, in the same order: 0x40 + the sexes its
  readings have (f 1, m 2, unstated 4) + 8 when it has an avoided kanji.
- kRecordStarts: the offset in kReadings of every kRecordStride-th record.
- kReadings: one record per writing, in the same order: its readings, a
  space between two, each a digit for its sex (f 1, m 2, both 3, unstated 4)
  and its kana
  packed one byte per kana (byte 0x23 + i is character i of kReadingKana,
  skipping '?' and the backslash); '!' after the last.

Usage: gen_candidates.py [--enamdict PATH] [--kanjidic2 PATH] [--strokes PATH]
                         [--avoided PATH] [--out DIR]
"""
import argparse
import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from gen_registrable import KANJIDIC2, registrable_characters  # noqa: E402

F, M, U = 1, 2, 4  # NameSexTag: f, m, unstated
AVOIDED = 8
HEAD = 0x40  # a writing's head: HEAD + its sexes + AVOIDED
RECORD_STRIDE = 16  # kRecordStarts holds every 16th record's offset
SEX_BITS = {"f": F, "m": M, "g": U}
MAX_BYTES = 34
FIRST_CODE = 0x23
SKIPPED_CODES = (ord("?"), ord("\\"))
LINE_WIDTH = 96


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
    """A reading in the form the program stores and compares (normalizeKana):
    katakana as hiragana, ヽ ヾ as ゝ ゞ, ヵ ヶ as か け; ヴ, whose hiragana has
    no code page 932 form, stays."""
    out = []
    for ch in reading:
        o = ord(ch)
        if ch in "ヵヶ":
            ch = "かけ"["ヵヶ".index(ch)]
        elif 0x30A1 <= o <= 0x30F6 or o in (0x30FD, 0x30FE):
            h = chr(o - 0x60)
            if sjis(h) is not None:
                ch = h
        elif ch == "ゔ":
            ch = "ヴ"
        out.append(ch)
    return "".join(out)


def parse_entry(raw):
    """(writing, reading or None, set of tags) of one ENAMDICT line, or None."""
    m = re.match(r"^(\S+) (?:\[(\S+)\] )?/(.*)/$", raw.decode("euc_jp").rstrip("\n"))
    if not m:
        return None
    tags = set()
    for group in re.findall(r"(?:^|/)\(([^)]*)\)", m.group(3)):
        tags.update(group.split(","))
    return m.group(1), m.group(2), tags


def read_enamdict(path):
    """Every entry of ENAMDICT as (writing, reading or None, tags)."""
    with open(path, "rb") as f:
        return [e for e in map(parse_entry, f) if e]


def reading_sex(bits):
    """A reading's sex: f and/or m where an entry states it, else unstated."""
    return bits & (F | M) or U


def read_given_names(entries, allowed):
    """(number of given-name entries, {writing: {reading: sex bits}}).

    Given names are the entries tagged f, m or g and not h (h is one person's
    full name). An entry tagged u (unclassified) adds its reading, of unstated
    sex, to a writing that is already a given name; it never adds a writing.
    """
    count = 0
    names = {}
    unclassified = []
    for writing, reading, tags in entries:
        if "h" in tags:
            continue
        if "u" in tags and not tags & set(SEX_BITS):
            unclassified.append((writing, reading))
            continue
        sex = sum(bit for tag, bit in SEX_BITS.items() if tag in tags)
        if not sex:
            continue
        count += 1
        encoded = sjis(writing)
        if encoded is None or len(encoded) > MAX_BYTES or not all(c in allowed for c in writing):
            continue
        readings = names.setdefault(writing, {})
        kana = to_hiragana(reading or writing)
        readings[kana] = readings.get(kana, 0) | (sex & (F | M))
    for writing, reading in unclassified:
        if writing in names:
            names[writing].setdefault(to_hiragana(reading or writing), 0)
    return count, {w: {r: reading_sex(b) for r, b in rs.items()} for w, rs in names.items()}


def count_people(entries, candidates):
    """{writing: people}: how many distinct full names of real people (entries
    tagged h) are an ENAMDICT surname (tagged s) followed by the writing. A
    name is split at the first place where the part before is a surname and
    the rest a candidate."""
    surnames = {w for w, _, tags in entries if "s" in tags}
    people = {}
    for full in sorted({w for w, _, tags in entries if "h" in tags}):
        for i in range(1, len(full)):
            if full[:i] in surnames and full[i:] in candidates:
                people[full[i:]] = people.get(full[i:], 0) + 1
                break
    return people


def count_familiarity(writings):
    """{writing: familiarity}: the smallest, over the writing's characters, of
    the number of writings that contain the character."""
    per_char = {}
    for w in writings:
        for c in set(w):
            per_char[c] = per_char.get(c, 0) + 1
    return {w: min(per_char[c] for c in w) for w in writings}


def read_avoided(path):
    """The kanji of the avoided list: the first character of each line that is
    not blank or a # comment."""
    avoided = set()
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.strip()
            if line and not line.startswith("#"):
                avoided.add(line[0])
    return avoided


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


def union(bits):
    out = 0
    for b in bits:
        out |= b
    return out


def render(entries, names, people, avoided):
    familiarity = count_familiarity(names)
    order = sorted(names, key=lambda w: (-people.get(w, 0), -familiarity[w], sjis(w)))
    readings = {w: sorted(names[w], key=sjis) for w in order}
    for w in order:
        for r in readings[w]:
            if sjis(r) is None or not all(is_kana(c) or c == "ー" for c in r):
                sys.exit("reading %s of %s is not kana of code page 932" % (r, w))
    kana = sorted({c for rs in readings.values() for r in rs for c in r}, key=sjis)
    code = kana_codes(kana)
    writings = [w + "\\0" for w in order]
    heads = "".join(chr(HEAD + (AVOIDED if any(c in avoided for c in w) else 0)
                            + union(names[w].values())) for w in order)
    packed = [" ".join("%d%s" % (names[w][r], "".join(code[c] for c in r))
                       for r in readings[w]) + "!" for w in order]
    # Every byte of a record is ASCII, one byte of the compiled string.
    starts, at = [], 0
    for i, record in enumerate(packed):
        if i % RECORD_STRIDE == 0:
            starts.append(at)
        at += len(record)
    runs = []
    for w in order:
        measures = (people.get(w, 0), familiarity[w])
        if runs and runs[-1][0] == measures:
            runs[-1][1] += 1
        else:
            runs.append([measures, 1])
    out = [
        "// Generated by tools/gen_candidates.py; do not edit by hand.",
        "// Given names of ENAMDICT (EDRDG, CC BY-SA 4.0) whose every character is a",
        "// jouyou or jinmeiyou kanji (KANJIDIC), kana or a repeat mark, and counts in",
        "// the stroke dictionary; see NOTICE. Layout: tools/gen_candidates.py.",
        '#include "candidates_data.h"',
        "",
        "namespace namori::candidates {",
        "",
        "// %d writings from %d given-name entries; %d of them borne by people."
        % (len(order), entries, sum(1 for w in order if people.get(w))),
        "const std::uint32_t kCount = %d;" % len(order),
        "",
        "const char kReadingKana[] = \"%s\";" % "".join(kana),
        "",
        "const std::uint32_t kMeasureRuns[][3] = {",
    ]
    out += ["    " + line for line in
            wrap_items(["{%d, %d, %d}," % (n, f, c) for (n, f), c in runs], LINE_WIDTH)]
    out += ["};",
            "const std::size_t kMeasureRunCount = sizeof kMeasureRuns / sizeof kMeasureRuns[0];",
            "", "const char kWritings[] ="]
    out += literal_lines(writings, 64)
    out[-1] += ";"
    out += ["const std::size_t kWritingsSize = sizeof kWritings - 1;", "", "const char kHeads[] ="]
    out += ['    "%s"' % heads[i:i + LINE_WIDTH] for i in range(0, len(heads), LINE_WIDTH)]
    out[-1] += ";"
    out += ["", "const std::uint32_t kRecordStride = %d;" % RECORD_STRIDE,
            "const std::uint32_t kRecordStarts[] = {"]
    out += ["    " + line for line in wrap_items(["%d," % n for n in starts], LINE_WIDTH)]
    out += ["};",
            "const std::size_t kRecordStartCount = sizeof kRecordStarts / sizeof kRecordStarts[0];",
            "", "const char kReadings[] ="]
    out += literal_lines(packed, LINE_WIDTH)
    out[-1] += ";"
    out += ["const std::size_t kReadingsSize = sizeof kReadings - 1;", "",
            "}  // namespace namori::candidates", ""]
    return "\n".join(out), len(order)


def wrap_items(items, width):
    lines, line = [], ""
    for item in items:
        if line and len(line) + 1 + len(item) > width:
            lines.append(line)
            line = ""
        line += (" " if line else "") + item
    if line:
        lines.append(line)
    return lines


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("--enamdict", default="/usr/share/edict/enamdict")
    p.add_argument("--kanjidic2", default=KANJIDIC2)
    p.add_argument("--strokes", default=os.path.join(here, "..", "engine", "stroke_rows.cpp"))
    p.add_argument("--avoided", default=os.path.join(here, "..", "naming", "avoided_kanji.txt"))
    p.add_argument("--out", default=os.path.join(here, "..", "naming"))
    a = p.parse_args()
    allowed = registrable_characters(a.kanjidic2) & read_stroke_characters(a.strokes)
    entries = read_enamdict(a.enamdict)
    count, names = read_given_names(entries, allowed)
    people = count_people(entries, names)
    text, kept = render(count, names, people, read_avoided(a.avoided))
    with open(os.path.join(a.out, "candidates_data.cpp"), "w", encoding="utf-8") as f:
        f.write(text)
    print("%d given-name entries, %d writings kept, %d borne by people"
          % (count, kept, sum(1 for n in people.values() if n)))


if __name__ == "__main__":
    main()
