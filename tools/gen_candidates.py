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
  space between two, each a digit for its sex (f 1, m 2, both 3, unstated 4,
  plus 8 times the sex an unstated reading's ending or its writing's last
  kanji tells, see reading_inferred) and its kana
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
INFERRED_SHIFT = 3  # a reading's digit: its tag + the inferred sex << 3
RULE_EXAMPLES = 40  # an ending rule needs this many tagged readings...
RULE_SHARE = 0.95  # ...this share of them one sex
KANJI_RULE_EXAMPLES = 100  # a last-kanji rule needs this many tagged names...
KANJI_RULE_SHARE = 0.98  # ...this share of them boys'
SHARED_ENDS = "うんいゃゅょ"  # end the Chinese readings both sexes' names share
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
    """({writing: people}, {writing: [set of given readings, one per person]}).

    people: how many distinct full names of real people (entries tagged h)
    are an ENAMDICT surname (tagged s) followed by the writing. A name is
    split at the first place where the part before is a surname and the rest
    a candidate. Each entry of the person's name splits its reading too: a
    reading of the surname that begins it, the rest being a reading of the
    candidate (the longest such surname reading). A person whose readings
    never split so has an empty set."""
    surnames = {}
    for w, r, tags in entries:
        if "s" in tags:
            surnames.setdefault(w, set()).add(to_hiragana(r or w))
    full_readings = {}
    for w, r, tags in entries:
        if "h" in tags:
            full_readings.setdefault(w, set()).add(to_hiragana(r or w))
    people, persons = {}, {}
    for full in sorted(full_readings):
        for i in range(1, len(full)):
            given = full[i:]
            if full[:i] in surnames and given in candidates:
                people[given] = people.get(given, 0) + 1
                split = set()
                for reading in full_readings[full]:
                    for s in sorted(surnames[full[:i]], key=len, reverse=True):
                        if reading.startswith(s) and reading[len(s):] in candidates[given]:
                            split.add(reading[len(s):])
                            break
                persons.setdefault(given, []).append(split)
                break
    return people, persons


def tagged_readings(entries):
    """{reading: [writings tagging it f, writings tagging it m]}, over every
    given name of ENAMDICT."""
    writings = {}
    for writing, reading, tags in entries:
        if "h" not in tags and tags & {"f", "m"}:
            kana = to_hiragana(reading or "")
            for i, tag in enumerate("fm"):
                if tag in tags:
                    writings.setdefault(kana, (set(), set()))[i].add(writing)
    return {kana: [len(f), len(m)] for kana, (f, m) in writings.items()}


def elsewhere_sex(tally):
    """The sexes a reading's tags over all writings (tagged_readings) give it
    for the people count. ENAMDICT tags most given names f, boys' names too
    (あきら of 86 writings f, of 4 m), while an m tag is rare: one m tag makes
    a reading a boy's; f tags make it a girl's from a tenth of its tags on
    (たかし, f in 1 writing of 87, stays a boy's)."""
    f, m = tally
    return (M if m else 0) | (F if f and f * 10 >= f + m else 0)


def ending_tallies(tallies):
    """{ending: [readings tagged f only, m only]}: over the distinct readings
    of ENAMDICT's given names tagged f only or m only (all entries, whatever
    their writing), each ending of the last two or three kana, shorter than
    the reading. `tallies` is tagged_readings()."""
    counts = {}
    for kana, (f, m) in tallies.items():
        sex = (F if f else 0) | (M if m else 0)
        if sex in (F, M):
            for n in (2, 3):
                if len(kana) > n:
                    tally = counts.setdefault(kana[-n:], [0, 0])
                    tally[sex - 1] += 1
    return counts


def ending_rules(tallies):
    """{ending: F or M}: the endings of given-name readings that tell the sex.

    Each ending of ending_tallies() that at least RULE_EXAMPLES readings have,
    RULE_SHARE of them one sex: すけ and たろう (m), りこ and なこ (f). An ending
    in う, ん, い or a small ゃ ゅ ょ, which end the Chinese readings girls' and
    boys' names share (ゆう, しょう, れい, れん, じゅ), needs three kana.
    `tallies` is tagged_readings()."""
    rules = {}
    for ending, (f, m) in ending_tallies(tallies).items():
        if len(ending) == 2 and ending[-1] in SHARED_ENDS:
            continue
        if f + m >= RULE_EXAMPLES and max(f, m) >= RULE_SHARE * (f + m):
            rules[ending] = F if f > m else M
    return rules


def inferred_sex(kana, rules):
    """F or M for a reading whose ending the rules know (the longest first), else 0."""
    for n in (3, 2):
        if len(kana) > n and kana[-n:] in rules:
            return rules[kana[-n:]]
    return 0


def last_kanji_rules(entries):
    """{kanji: M}: the kanji that end boys' given names only.

    Over the distinct (writing, reading) pairs of ENAMDICT's given names of
    two or more characters tagged f only or m only, each last character that
    is no kana and ends at least KANJI_RULE_EXAMPLES of them, KANJI_RULE_SHARE
    of them m: 郎 彦 朗 助 輔. Girls' names go without such a rule, since
    ENAMDICT tags f on most given names, boys' too: 樹 翔 和 end 96% f-tagged
    names, while 大樹 and 翔 are mostly boys'."""
    pairs = {}
    for writing, reading, tags in entries:
        if "h" not in tags and len(writing) > 1 and tags & {"f", "m"}:
            key = (writing, to_hiragana(reading or writing))
            pairs[key] = pairs.get(key, 0) | (F if "f" in tags else 0) | (M if "m" in tags else 0)
    counts = {}
    for (writing, _), sex in pairs.items():
        if sex in (F, M) and not is_kana(writing[-1]):
            counts.setdefault(writing[-1], [0, 0])[sex - 1] += 1
    return {k: M for k, (f, m) in counts.items()
            if f + m >= KANJI_RULE_EXAMPLES and m >= KANJI_RULE_SHARE * (f + m)}


def reading_inferred(writing, kana, rules, kanji_rules, tallies, endings):
    """The inferred sex of an unstated reading of a writing: its ending's
    (inferred_sex), else M where the writing of two or more characters ends
    in a kanji of last_kanji_rules, unless ENAMDICT gives the reading, or a
    tenth of the tagged readings with its last two or three kana, to girls
    (あきら of ただあきら, りょう of けんりょう); else 0. `tallies` is
    tagged_readings(), `endings` ending_tallies()."""
    sex = inferred_sex(kana, rules)
    if sex or len(writing) < 2 or writing[-1] not in kanji_rules:
        return sex
    girls = [tallies.get(kana, (0, 0))] + [endings.get(kana[-n:], (0, 0)) for n in (2, 3)]
    if any(elsewhere_sex(tally) & F for tally in girls):
        return 0
    return kanji_rules[writing[-1]]


def counted_sex(tag, inferred):
    """The sex the filter counts: the tag, or the inferred sex of an unstated reading."""
    return inferred if tag == U and inferred else tag


def kept(counted, all_counted, sex):
    """Does the filter for `sex` keep a reading (as filterSexKeeps in naming.cpp)?"""
    other = M if sex == F else F
    return bool(counted & sex) or (counted == U and not all_counted & other)


def people_by_sex(readings, split_persons, rules, tallies, writing="", kanji_rules=(),
                  endings=None):
    """(people under --sex f, under --sex m): the persons whose given reading
    is a reading the filter shows and is of the other sex neither in this
    writing nor over all writings (elsewhere_sex of tagged_readings()).
    ENAMDICT tags まこと of 誠 and ゆたか of 豊 f only, while the men named so
    are many."""
    counted = {r: counted_sex(t, reading_inferred(writing, r, rules, kanji_rules, tallies,
                                                  endings or {}))
               for r, t in readings.items()}
    all_counted = union(counted.values())
    out = []
    for sex in (F, M):
        other = M if sex == F else F
        shown = {r for r in readings
                 if kept(counted[r], all_counted, sex)
                 and not (readings[r] | elsewhere_sex(tallies.get(r, (0, 0)))) & other}
        out.append(sum(1 for split in split_persons if split & shown))
    return tuple(out)


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


def render(entries, names, people, persons, sexes, kanji_rules, avoided):
    rules = ending_rules(sexes)
    endings = ending_tallies(sexes)
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
    inferred = {w: {r: reading_inferred(w, r, rules, kanji_rules, sexes, endings) if t == U else 0
                    for r, t in names[w].items()}
                for w in order}
    heads = "".join(chr(HEAD + (AVOIDED if any(c in avoided for c in w) else 0)
                        + union(counted_sex(names[w][r], inferred[w][r]) for r in names[w]))
                    for w in order)
    packed = [" ".join("%s%s" % (chr(ord("0") + names[w][r] + (inferred[w][r] << INFERRED_SHIFT)),
                                 "".join(code[c] for c in r))
                       for r in readings[w]) + "!" for w in order]
    by_sex = [people_by_sex(names[w], persons.get(w, []), rules, sexes, w, kanji_rules, endings)
              for w in order if people.get(w, 0)]
    if any(n > 255 for pair in by_sex for n in pair):
        sys.exit("a people count by sex does not fit a byte")
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
        "// Sex of unstated readings inferred from %d endings: %s."
        % (len(rules), " ".join("%s%s" % (e, "fm"[rules[e] - 1]) for e in sorted(rules, key=sjis))),
        "// and from the last kanji of writings of two or more characters: %s."
        % " ".join("%s%s" % (k, "fm"[kanji_rules[k] - 1]) for k in sorted(kanji_rules, key=sjis)),
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
            "",
            "const std::uint8_t kSexPeople[][2] = {"]
    out += ["    " + line for line in wrap_items(["{%d,%d}," % pair for pair in by_sex], LINE_WIDTH)]
    out += ["};",
            "const std::size_t kSexPeopleCount = sizeof kSexPeople / sizeof kSexPeople[0];",
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
    people, persons = count_people(entries, names)
    sexes = tagged_readings(entries)
    kanji_rules = last_kanji_rules(entries)
    text, kept = render(count, names, people, persons, sexes, kanji_rules, read_avoided(a.avoided))
    with open(os.path.join(a.out, "candidates_data.cpp"), "w", encoding="utf-8") as f:
        f.write(text)
    print("%d given-name entries, %d writings kept, %d borne by people, %d ending rules, "
          "%d last-kanji rules" % (count, kept, sum(1 for n in people.values() if n),
                                   len(ending_rules(sexes)), len(kanji_rules)))


if __name__ == "__main__":
    main()
