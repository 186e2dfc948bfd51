#!/usr/bin/env python3
"""The candidate generator on a few ENAMDICT lines written here."""
import os
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools"))
import gen_candidates as gen  # noqa: E402

SAMPLE = """\
山田 [やまだ] /(s) Yamada/
山 [やま] /(s) Yama/
田中 [たなか] /(p,s) Tanaka/
洋子 [ようこ] /(f) Youko/
洋子 [ひろこ] /(g) Hiroko/
洋子 [なみこ] /(u) Namiko/
田洋子 [でんようこ] /(u) Den'youko/
陽翔 [はると] /(u) Haruto/
陽翔 [あきと] /(m) Akito/
陽翔 [あきと] /(f) Akito/
翔 [かける] /(u) Kakeru/
山田洋子 [やまだようこ] /(h) Yamada Youko (1950-)/
山田洋子 [やまだひろこ] /(h) Yamada Hiroko (actress)/
田中陽翔 [たなかはると] /(h) Tanaka Haruto/
山田陽翔 [やまだはると] /(f,h) Yamada Haruto/
山田洋子 [やまだようこ] /(f,h) Yamada Youko/
山田 [さんでん] /(s) Sanden/
山田洋子 [さんでんなみこ] /(h) Sanden Namiko/
田中洋子 [たなかようこ] /(h) Tanaka Youko/
田中洋子 [たなかきみこ] /(h) Tanaka Kimiko/
"""


class Generator(unittest.TestCase):
    def setUp(self):
        self.entries = [gen.parse_entry(line.encode("euc_jp")) for line in SAMPLE.splitlines()]
        allowed = set("洋子陽翔田")
        self.count, self.names = gen.read_given_names(self.entries, allowed)

    def test_given_names(self):
        # h entries are no given names; u readings join, unstated; 翔 is u only.
        self.assertEqual(self.count, 4)
        self.assertEqual(self.names, {
            "洋子": {"ようこ": gen.F, "ひろこ": gen.U, "なみこ": gen.U},
            "陽翔": {"はると": gen.U, "あきと": gen.F | gen.M},
        })

    def test_people(self):
        # 山田洋子 thrice is one person's writing; 山田陽翔 is split after 山田
        # and not after 山, since 田陽翔 is no candidate. Each reading splits
        # after a reading of the surname (やまだ or さんでん) into one of the
        # writing's; きみこ is none of 洋子's.
        people, persons = gen.count_people(self.entries, self.names)
        self.assertEqual(people, {"洋子": 2, "陽翔": 2})
        self.assertEqual(persons["洋子"], [{"ようこ", "ひろこ", "なみこ"}, {"ようこ"}])

    def test_people_by_sex(self):
        # ようこ is f; ひろこ, unstated here, is tagged m in another writing,
        # so its person counts for neither list; unstated readings are not
        # shown for m while the writing has an f reading.
        readings = {"ようこ": gen.F, "ひろこ": gen.U}
        persons = [{"ようこ"}, {"ひろこ"}, {"ようこ", "ひろこ"}, set()]
        self.assertEqual(gen.people_by_sex(readings, persons, {}, {"ひろこ": [0, 1]}), (2, 0))
        self.assertEqual(gen.people_by_sex(readings, persons, {}, {}), (3, 0))

    def test_endings(self):
        kana = "あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわ"
        tallies = {k + "すけ": [0, 1] for k in kana}
        tallies.update({k + "ゆう": [1, 0] for k in kana})
        tallies["こすけ"] = [1, 1]  # tagged both: no example either way
        rules = gen.ending_rules(tallies)
        # 44 boys' names end in すけ; ゆう, two kana ending in う, is too short.
        self.assertEqual(rules, {"すけ": gen.M})
        self.assertEqual([gen.inferred_sex(k, rules) for k in ("ようすけ", "すけ", "みゆう")],
                         [gen.M, 0, 0])

    def test_last_kanji(self):
        # 郎 ends 100 m-tagged names and one f-tagged (99%); 子 ends girls'
        # names only, but no rule is made for girls. A reading tagged f in a
        # tenth of its writings elsewhere (あきら), or ending like a tenth of
        # the f-tagged readings (りょう), is not inferred.
        digits = "一二三四五六七八九十"
        lines = ["%s%s郎 [ろう] /(m) x/" % (a, b) for a in digits for b in digits]
        lines += ["美郎 [みお] /(f) x/", "郎 [ろう] /(m) x/"]
        lines += ["%s%s子 [こ] /(f) x/" % (a, b) for a in digits for b in digits + "百"]
        entries = [gen.parse_entry(line.encode("euc_jp")) for line in lines]
        rules = gen.last_kanji_rules(entries)
        self.assertEqual(rules, {"郎": gen.M})
        tallies, endings = {"あきら": [9, 1]}, {"りょう": [1, 9], "ろう": [0, 9]}
        self.assertEqual([gen.reading_inferred(w, r, {}, rules, tallies, endings)
                          for w, r in (("智郎", "ともろう"), ("郎", "ろう"), ("朗郎", "あきら"),
                                       ("亮郎", "けんりょう"))],
                         [gen.M, 0, 0, 0])

    def test_familiarity(self):
        self.assertEqual(gen.count_familiarity(["洋子", "子子", "陽子", "陽"]),
                         {"洋子": 1, "子子": 3, "陽子": 2, "陽": 2})


if __name__ == "__main__":
    unittest.main()
