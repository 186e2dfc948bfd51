#!/usr/bin/env python3
"""Generates engine/stroke_rows.cpp and engine/stroke_departures.txt.

The dictionary's own placements (fixed kanji, kana, marks, Latin letters and
rows 24 to 30) and the size of every body are written down below. The row of
every other kanji comes from Debian's kanjidic (field S) and Unihan
(kTotalStrokes): each kanji takes one of the counts those sources list,
preferably KANJIDIC's first S value, and among all assignments under which
every body has exactly its size, level-1/level-2 split and first and last
character, the one with the fewest departures from KANJIDIC is chosen (a
min-cost flow, solved per JIS level by successive shortest paths).

Usage: gen_stroke_rows.py [--kanjidic PATH] [--unihan PATH] [--out DIR]
"""
import argparse
import bz2
import os
import re
import sys

ROWS = 30

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
# Placed by the row table itself although no source lists that count.
TABLE_PLACED = {"芦": 22}

LEVEL1_LAST = 0x9872


def code(ch):
    b = ch.encode("cp932")
    assert len(b) == 2, ch
    return b[0] << 8 | b[1]


def level(c):
    return 1 if c <= LEVEL1_LAST else 2


def read_kanjidic(path):
    strokes = {}
    with open(path, "rb") as f:
        for raw in f:
            if raw.startswith(b"#"):
                continue
            fields = raw.decode("euc_jp").split()
            strokes[fields[0]] = [int(x[1:]) for x in fields[2:] if re.fullmatch(r"S\d+", x)]
    return strokes


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


def solve_level(kanji, candidates, preferred, capacity):
    """Assigns each kanji a row from its candidates so that row r gets exactly
    capacity[r] kanji, with the fewest kanji off their preferred row."""
    def cost(k, r):
        return 0 if r == preferred[k] else 1

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


def build(kanjidic, unihan):
    fixed_all = "".join(FIXED.values()) + "".join(v[0] for v in INSIDE_BODY.values())
    whole = {ch: r for r, text in WHOLE.items() for ch in text if ch not in fixed_all}
    fixed_set = set(fixed_all)
    assert len(fixed_set) == 141

    kanji = sorted((ch for ch in kanjidic if ch not in ABSENT), key=code)
    body_kanji = [ch for ch in kanji if ch not in fixed_set]

    # Which rows may hold each body kanji.
    low = {r: code(b[2]) for r, b in BODY.items()}
    high = {r: code(b[3]) for r, b in BODY.items()}
    pinned = {}
    for r, b in BODY.items():
        pinned[b[2]] = r
        pinned[b[3]] = r
    for r, (_, before, after) in INSIDE_BODY.items():
        pinned[before] = r
        pinned[after] = r
    gaps = {r: (code(b), code(a)) for r, (_, b, a) in INSIDE_BODY.items()}
    pinned.update(whole)
    pinned.update(TABLE_PLACED)

    preferred, candidates, listed = {}, {}, {}
    for ch in body_kanji:
        kd = kanjidic[ch]
        un = unihan.get(ch, [])
        preferred[ch] = kd[0]
        listed[ch] = sorted(set(kd) | set(un))
        if ch in pinned:
            candidates[ch] = [pinned[ch]]
            continue
        c = code(ch)
        allowed = []
        for r in listed[ch]:
            if r not in BODY:
                continue  # rows 24..30 are given whole
            if not low[r] <= c <= high[r]:
                continue
            if r in gaps and gaps[r][0] < c < gaps[r][1]:
                continue
            allowed.append(r)
        if not allowed:
            sys.exit("no row fits %s (listed %s)" % (ch, listed[ch]))
        candidates[ch] = allowed

    row_of = {}
    for lv in (1, 2):
        group = [ch for ch in body_kanji if level(code(ch)) == lv]
        capacity = {r: b[lv - 1] for r, b in BODY.items()}
        for r, text in WHOLE.items():
            capacity[r] = sum(1 for ch in text if ch not in fixed_set and level(code(ch)) == lv)
        row_of.update(solve_level(group, candidates, preferred, capacity))

    bodies = {r: sorted((ch for ch in body_kanji if row_of[ch] == r), key=code)
              for r in range(1, ROWS + 1)}
    for r, (inside, _, after) in INSIDE_BODY.items():
        bodies[r].insert(bodies[r].index(after), inside)

    departures = []
    for ch in body_kanji:
        if row_of[ch] == preferred[ch]:
            continue
        r = row_of[ch]
        if ch in TABLE_PLACED:
            why = "the row table places it at the head of row %d's body" % r
        elif ch in pinned and r not in listed[ch]:
            why = "row %d as the dictionary gives it" % r
        elif ch in pinned:
            why = "row %d as the dictionary gives it (a count the sources list)" % r
        elif preferred[ch] not in candidates[ch]:
            why = ("row %d's body runs from %s to %s only; sources list %s"
                   % (preferred[ch], BODY[preferred[ch]][2], BODY[preferred[ch]][3],
                      listed[ch]) if preferred[ch] in BODY else
                   "row %d is given whole; sources list %s" % (preferred[ch], listed[ch]))
        else:
            why = "level-%d body sizes of the row table; sources list %s" % (
                level(code(ch)), listed[ch])
        departures.append((code(ch), ch, preferred[ch], r, why))
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
    out += ["};", "", "}  // namespace namori", ""]
    return "\n".join(out)


def render_departures(departures):
    out = [
        "Kanji whose row differs from KANJIDIC's first stroke count (field S).",
        "Generated by tools/gen_stroke_rows.py together with stroke_rows.cpp.",
        "",
        "code  kanji  KANJIDIC  row  why",
    ]
    for c, ch, kd, r, why in sorted(departures):
        out.append("%04X  %s     %8d  %3d  %s" % (c, ch, kd, r, why))
    out += ["", "%d departures." % len(departures), ""]
    return "\n".join(out)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("--kanjidic", default="/usr/share/edict/kanjidic")
    p.add_argument("--unihan", default="/usr/share/unicode/Unihan_IRGSources.txt.bz2")
    p.add_argument("--out", default=os.path.join(here, "..", "engine"))
    a = p.parse_args()
    bodies, departures = build(read_kanjidic(a.kanjidic), read_unihan(a.unihan))
    with open(os.path.join(a.out, "stroke_rows.cpp"), "w", encoding="utf-8") as f:
        f.write(render_rows(bodies))
    with open(os.path.join(a.out, "stroke_departures.txt"), "w", encoding="utf-8") as f:
        f.write(render_departures(departures))
    print("%d departures" % len(departures))


if __name__ == "__main__":
    main()
