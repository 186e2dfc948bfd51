#!/usr/bin/env python3
"""Generates engine/stroke_rows.cpp and engine/stroke_departures.txt.

The dictionary's own placements (fixed kanji, kana, marks, Latin letters and
rows 24 to 30) and the size of every body are written down below. The row of
every other kanji comes from Debian's kanjidic (field S) and Unihan
(kTotalStrokes): each kanji takes one of the counts those sources list,
preferably KANJIDIC's first S value, and among all assignments under which
every body has exactly its size, level-1/level-2 split and first and last
character, the cheapest is chosen (a min-cost flow, solved per JIS level by
successive shortest paths). A departure from KANJIDIC's first count costs
more when only Unihan lists the chosen count, whose Chinese glyph conventions
split families that share a component, than when it is a second KANJIDIC
count. It costs far more for a jōyō or jinmeiyō kanji (KANJIDIC grade G1 to
G10) than for any other, so that the fewest common kanji leave their count,
and a little more again for one taught in primary school (G1 to G6).

Usage: gen_stroke_rows.py [--kanjidic PATH] [--unihan PATH] [--out DIR]
"""
import argparse
import bz2
import os
import re
import sys

ROWS = 30

FIXED_COUNT = 141  # kanji the rows count by their traditional form

# Fixed kanji, in stored order, for rows 1..30 (浩 and 源 sit inside the body).
FIXED = {
    4: "四", 5: "五", 6: "六礼臣汀", 7: "仏七江池壮", 8: "両八来歩", 9: "九沼法治河泰",
    10: "芥乗気洋十津", 11: "麦昼帖処参敏海茂英", 12: "涼労発弐為茶恵壱淳雅淀浅清黒",
    13: "経奥円当会伝塚乱郁敬", 14: "郎与実図対団斉寿軽菊栄猿菅", 15: "楽満万広練滞葛剣売徳稲",
    16: "予弁銭渋諸亀学道蒲", 17: "桧独点総聡操検応遠沢弥黛隆", 18: "浜雑豊", 19: "拡関穏勧絵",
    20: "党滝宝蔵献覚瀬", 21: "藪薬誉鉄随続桜藤", 22: "読辺灌権", 23: "恋体験駅顕", 25: "観",
}
# Fixed kanji stored inside a body, right before the named body kanji, which
# itself follows the other named one.
INSIDE_BODY = {11: ("浩", "渚", "庶"), 13: ("源", "鈷", "鼓")}

KANA = {
    1: "くしつのへノフヘレっ",
    2: "いうこてとひめりろんアイカクコスセソトナニヌハヒマムメヤユラリルワンぺプペぃぅァィャュ",
    3: "あえかけさすせちにぬみむもやゆよらるれわウエオキケサシタチツテミモヨロヲぐじづべぴブベパピぁぇゥェォッゃゅょョ",
    4: "おきそたねはふまをネホごでどびガグゴズゼゾドバビぉ",
    5: "なほがげざずぜぢぱぷギゲザジダヂヅデポヴ",
    6: "ぎぞだばぶぽボ",
    7: "ぼ",
}
MARK = {1: "ー", 2: "〃", 3: "々"}
LATIN = {
    1: "ＣＩＯＳｃｌｏｓ",
    2: "ＤＪＬＰＱＴＶＸａｂｄｅｆｈｉｊｎｐｑｒｔｕｖｘｙ",
    3: "ＡＢＦＧＨＫＮＲＹＺｇｋｍｚ",
    4: "ＥＭＷｗ",
}
# Body: (level-1 count, level-2 count, first, last) for rows 1..23.
BODY = {
    1: (2, 3, "一", "亅"), 2: (10, 15, "人", "厶"), 3: (34, 22, "下", "彳"),
    4: (74, 30, "井", "爿"), 5: (109, 32, "圧", "辷"), 6: (140, 49, "旭", "阡"),
    7: (185, 116, "亜", "阯"), 8: (244, 177, "阿", "鼡"), 9: (241, 210, "娃", "鳬"),
    10: (283, 257, "唖", "鬲"), 11: (285, 278, "悪", "麸"), 12: (288, 278, "葵", "堯"),
    13: (226, 297, "愛", "黽"), 14: (171, 251, "斡", "瑤"), 15: (175, 251, "鞍", "齒"),
    16: (124, 240, "穐", "龜"), 17: (89, 212, "闇", "龠"), 18: (50, 149, "鵜", "鼬"),
    19: (43, 128, "鯵", "黼"), 20: (21, 106, "馨", "齡"), 21: (13, 100, "鰯", "齧"),
    22: (8, 58, "芦", "龕"), 23: (7, 45, "鰹", "黴"),
}
# Rows 24 to 30 whole, as stored (観 is row 25's fixed kanji).
WHOLE = {
    24: "艶鷺鷹囑囓癲矗纛羈艷蠶蠹衢觀讒讓讖讙軈釀鑪靄靆靈靂韆顰驟鬢魘鱠鱧鷽鼇齷齲齶",
    25: "観欝廳攬灣籬糶臠蠻覊躡釁鑰鑵靉顱鬣鹽黌鼈",
    26: "欖矚讚躪鑷驢鬮鱶黶",
    27: "鑽鑼鑾顴顳驥驤鱸黷",
    28: "纜钁鑿驩鸚",
    29: "鬱欟爨驪鸛",
    30: "驫鸞",
}
ABSENT = "凜熙"

LEVEL1_LAST = 0x9872


def code(ch):
    b = ch.encode("cp932")
    assert len(b) == 2, ch
    return b[0] << 8 | b[1]


def level(c):
    return 1 if c <= LEVEL1_LAST else 2


def read_kanjidic(path):
    """Returns each kanji's S counts, and the grade (G) of those that have one."""
    strokes, grades = {}, {}
    with open(path, "rb") as f:
        for raw in f:
            if raw.startswith(b"#"):
                continue
            fields = raw.decode("euc_jp").split()
            strokes[fields[0]] = [int(x[1:]) for x in fields[2:] if re.fullmatch(r"S\d+", x)]
            grades.update((fields[0], x) for x in fields[2:] if re.fullmatch(r"G\d+", x))
    return strokes, grades


def read_unihan(path):
    strokes = {}
    opener = bz2.open if path.endswith(".bz2") else open
    with opener(path, "rt", encoding="utf-8") as f:
        for line in f:
            if "\tkTotalStrokes\t" not in line:
                continue
            cp, _, values = line.rstrip("\n").split("\t")
            strokes[chr(int(cp[2:], 16))] = [int(v) for v in values.split()]
    return strokes


# What a kanji's departure from KANJIDIC's first count costs: by the source
# of the count it takes, plus COMMON_COST for a jōyō or jinmeiyō kanji, which
# outweighs every saving the other kanji could offer for it, and KYOIKU_COST
# more for one taught in primary school (G1 to G6), so that among equally
# few common kanji off their count the most familiar keep it.
KANJIDIC_COST, UNIHAN_COST, COMMON_COST, KYOIKU_COST = 1, 2, 10000, 100


def solve_level(kanji, candidates, cost, capacity):
    """Assigns each kanji a row from its candidates so that row r gets exactly
    capacity[r] kanji, at the least total cost(kanji, row)."""
    at = {k: min(candidates[k], key=lambda r: (cost(k, r), r)) for k in kanji}
    members = {r: set() for r in range(1, ROWS + 1)}
    for k in kanji:
        members[at[k]].add(k)

    def excess(r):
        return len(members[r]) - capacity.get(r, 0)

    while True:
        sources = [r for r in members if excess(r) > 0]
        if not sources:
            break
        # Bellman-Ford over rows; an edge a->b moves the cheapest kanji of a to b.
        edge = {}
        for k in kanji:
            a = at[k]
            for b in candidates[k]:
                if b == a:
                    continue
                c = cost(k, b) - cost(k, a)
                key = (a, b)
                if key not in edge or (c, k) < edge[key]:
                    edge[key] = (c, k)
        dist = {r: (0 if r in sources else None) for r in members}
        via = {}
        for _ in range(ROWS + 1):
            changed = False
            for (a, b), (c, k) in sorted(edge.items()):
                if dist[a] is not None and (dist[b] is None or dist[a] + c < dist[b]):
                    dist[b] = dist[a] + c
                    via[b] = (a, k)
                    changed = True
            if not changed:
                break
        else:
            sys.exit("negative cycle: the assignment is not optimal")
        sinks = [r for r in members if excess(r) < 0 and dist[r] is not None]
        if not sinks:
            sys.exit("no assignment fits the row table: rows %s hold too many" % sources)
        target = min(sinks, key=lambda r: (dist[r], r))
        path = []
        r = target
        while r in via:  # back to the source the path started from
            a, k = via[r]
            path.append((k, a, r))
            r = a
        for k, a, b in path:
            members[a].remove(k)
            members[b].add(k)
            at[k] = b
    bad = [r for r in members if excess(r) != 0]
    if bad:
        sys.exit("rows %s cannot be filled exactly" % bad)
    return at


def build(kanjidic, grades, unihan):
    """Returns the bodies of rows 1..30 and every departure from KANJIDIC's
    first count as (code, kanji, that count, row, reason, detail)."""
    fixed_row = {ch: r for r, text in FIXED.items() for ch in text}
    fixed_row.update((ch, r) for r, (ch, _, _) in INSIDE_BODY.items())
    assert len(fixed_row) == FIXED_COUNT
    whole = {ch: r for r, text in WHOLE.items() for ch in text if ch not in fixed_row}

    kanji = sorted((ch for ch in kanjidic if ch not in ABSENT), key=code)
    body_kanji = [ch for ch in kanji if ch not in fixed_row]

    # Which rows may hold each body kanji; the row table names some outright.
    low = {r: code(b[2]) for r, b in BODY.items()}
    high = {r: code(b[3]) for r, b in BODY.items()}
    named = {ch: (r, "row %d is given whole" % r) for ch, r in whole.items()}
    for r, b in BODY.items():
        named[b[2]] = (r, "first of row %d's body" % r)
        named[b[3]] = (r, "last of row %d's body" % r)
    for r, (inside, before, after) in INSIDE_BODY.items():
        named[before] = (r, "just before %s in row %d" % (inside, r))
        named[after] = (r, "just after %s in row %d" % (inside, r))
    gaps = {r: (code(b), code(a)) for r, (_, b, a) in INSIDE_BODY.items()}

    def fits(ch, r):
        c = code(ch)
        return (r in BODY and low[r] <= c <= high[r]
                and not (r in gaps and gaps[r][0] < c < gaps[r][1]))

    preferred, candidates, listed = {}, {}, {}
    for ch in body_kanji:
        preferred[ch] = kanjidic[ch][0]
        listed[ch] = sorted(set(kanjidic[ch]) | set(unihan.get(ch, [])))
        if ch in named:
            candidates[ch] = [named[ch][0]]
            continue
        candidates[ch] = [r for r in listed[ch] if fits(ch, r)]
        if not candidates[ch]:
            sys.exit("no row fits %s (listed %s)" % (ch, listed[ch]))

    def cost(ch, r):
        if r == preferred[ch]:
            return 0
        grade = int(grades.get(ch, "G99")[1:])
        return ((KANJIDIC_COST if r in kanjidic[ch] else UNIHAN_COST)
                + (COMMON_COST if grade <= 10 else 0) + (KYOIKU_COST if grade <= 6 else 0))

    row_of = dict(fixed_row)
    for lv in (1, 2):
        group = [ch for ch in body_kanji if level(code(ch)) == lv]
        capacity = {r: b[lv - 1] for r, b in BODY.items()}
        for r, text in WHOLE.items():
            capacity[r] = sum(1 for ch in text if ch not in fixed_row and level(code(ch)) == lv)
        row_of.update(solve_level(group, candidates, cost, capacity))

    bodies = {r: sorted((ch for ch in body_kanji if row_of[ch] == r), key=code)
              for r in range(1, ROWS + 1)}
    for r, (inside, _, after) in INSIDE_BODY.items():
        bodies[r].insert(bodies[r].index(after), inside)

    departures = []
    for ch in kanji:
        first, r = kanjidic[ch][0], row_of[ch]
        if r == first:
            continue
        if ch in fixed_row:
            reason, detail = "fixed", ""
        elif ch in named:
            reason, detail = "named", named[ch][1]
        elif not fits(ch, first):
            reason = "bounds"
            detail = ("row %d is given whole" % first if first in WHOLE else
                      "row %d's body runs from %s to %s" % (first, BODY[first][2], BODY[first][3]))
        else:
            reason, detail = "sizes", ""
        departures.append((code(ch), ch, first, r, reason, detail))
    return bodies, departures


def row_blocks(r, bodies):
    """The row's blocks in stored order: fixed kanji, kana, mark, body, Latin."""
    blocks = [FIXED.get(r, ""), KANA.get(r, ""), MARK.get(r, ""), "".join(bodies[r]),
              LATIN.get(r, "")]
    return [b for b in blocks if b]


def literal_lines(blocks, width=20):
    """Each block starts a new literal; long blocks wrap every `width` characters."""
    return ['"%s"' % b[i:i + width] for b in blocks for i in range(0, len(b), width)]


def render_rows(bodies):
    out = [
        "// Generated by tools/gen_stroke_rows.py; do not edit by hand.",
        "// Row n holds every character that counts n strokes: fixed kanji, kana,",
        "// mark, body kanji in code order, Latin letters.",
        "// Stroke data: KANJIDIC (EDRDG, CC BY-SA 4.0) and Unihan (Unicode); see NOTICE.",
        '#include "engine.h"',
        "",
        "namespace namori {",
        "",
        "const char* const strokeRows[kStrokeRows] = {",
    ]
    for r in range(1, ROWS + 1):
        blocks = row_blocks(r, bodies)
        out.append("    // %d: %d characters" % (r, sum(len(b) for b in blocks)))
        lines = literal_lines(blocks)
        for i, line in enumerate(lines):
            out.append("    " + line + ("," if i == len(lines) - 1 else ""))
    out += ["};", "", "const int kFixedKanjiCount = %d;" % FIXED_COUNT, "",
            "}  // namespace namori", ""]
    return "\n".join(out)


REASONS = [
    ("fixed", "fixed kanji, placed in their row by the dictionary's own rule"),
    ("named", "body kanji the row table names in their row"),
    ("bounds", "body kanji whose KANJIDIC row cannot hold them"),
    ("sizes", "body kanji moved to another listed count so that every body has its size"),
]


def render_departures(departures, kanjidic, grades, unihan):
    def counts(ch):
        text = "KANJIDIC " + " ".join(map(str, kanjidic[ch]))
        return text + ("; Unihan " + " ".join(map(str, unihan[ch])) if ch in unihan else "")

    def common(items):
        return sum(1 for d in items if d[1] in grades)

    groups = [(title, sorted(d for d in departures if d[4] == reason)) for reason, title in REASONS]
    moved = groups[-1][1]
    unihan_only = sum(1 for d in moved if d[3] not in kanjidic[d[1]])
    out = [
        "Kanji whose row differs from KANJIDIC's first stroke count (field S), by reason.",
        "Generated by tools/gen_stroke_rows.py together with stroke_rows.cpp.",
        "Grade is KANJIDIC's G field: G1 to G10 mark the jōyō and jinmeiyō kanji.",
        "",
        "%d kanji in all, %d of them jōyō or jinmeiyō (in brackets):" % (
            len(departures), common(departures)),
    ]
    out += ["%5d (%3d)  %s" % (len(items), common(items), title) for title, items in groups]
    out.append("             (%d to a second KANJIDIC count, %d to a count only Unihan lists)"
               % (len(moved) - unihan_only, unihan_only))
    for title, items in groups:
        out += ["", "%s%s: %d (%d)" % (title[0].upper(), title[1:], len(items), common(items)),
                "", "code  kanji  KANJIDIC  row  grade  counts listed"]
        for c, ch, first, r, _, detail in items:
            line = "%04X  %s     %8d  %3d  %-5s  %s" % (c, ch, first, r, grades.get(ch, "-"),
                                                       counts(ch))
            out.append(line + (" (%s)" % detail if detail else ""))
    out.append("")
    return "\n".join(out)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("--kanjidic", default="/usr/share/edict/kanjidic")
    p.add_argument("--unihan", default="/usr/share/unicode/Unihan_IRGSources.txt.bz2")
    p.add_argument("--out", default=os.path.join(here, "..", "engine"))
    a = p.parse_args()
    kanjidic, grades = read_kanjidic(a.kanjidic)
    unihan = read_unihan(a.unihan)
    bodies, departures = build(kanjidic, grades, unihan)
    with open(os.path.join(a.out, "stroke_rows.cpp"), "w", encoding="utf-8") as f:
        f.write(render_rows(bodies))
    with open(os.path.join(a.out, "stroke_departures.txt"), "w", encoding="utf-8") as f:
        f.write(render_departures(departures, kanjidic, grades, unihan))
    print("%d kanji off KANJIDIC's first count, %d of them jōyō or jinmeiyō" % (
        len(departures), sum(1 for d in departures if d[1] in grades)))


if __name__ == "__main__":
    main()
