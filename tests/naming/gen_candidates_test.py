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
    def test_given_names_and_people(self):
        entries = [gen.parse_entry(line.encode("euc_jp")) for line in SAMPLE.splitlines()]
        count, names = gen.read_given_names(entries, set("洋子陽翔田"))
        # h entries are no given names; u readings join, unstated; 翔 is u only.
        self.assertEqual(count, 4)
        self.assertEqual(names, {
            "洋子": {"ようこ": gen.F, "ひろこ": gen.U, "なみこ": gen.U},
            "陽翔": {"はると": gen.U, "あきと": gen.F | gen.M},
        })
        # 山田洋子 thrice is one person's writing; 山田陽翔 is split after 山田
        # and not after 山, since 田陽翔 is no candidate. Each reading splits
        # after a reading of the surname (やまだ or さんでん) into one of the
        # writing's; きみこ is none of 洋子's.
        people, persons = gen.count_people(entries, names)
        self.assertEqual(people, {"洋子": 2, "陽翔": 2})
        self.assertEqual(persons["洋子"], [{"ようこ", "ひろこ", "なみこ"}, {"ようこ"}])

    def test_sex_from_the_evidence(self):
        # The rankings and gimei for the name itself win, both sexes where
        # both give it; then the names in use with the reading or last kanji;
        # then ENAMDICT's tag; then what its ending tells.
        def reading(tag=0, gimei=0, rank=None):
            r = gen.Reading()
            r.tag, r.gimei, r.rank = tag, gimei, rank or {}
            return r
        cases = [
            (reading(gimei=gen.F, rank={gen.M: (-2025, 3)}), 0, 0, gen.F | gen.M),  # 葵
            (reading(tag=gen.F), gen.M, 0, gen.M),  # 直弘 なおひろ
            (reading(tag=gen.F), 0, gen.M, gen.F),
            (reading(tag=gen.U), 0, gen.M, gen.M),  # 洋輔 ようすけ
            (reading(tag=gen.U), 0, 0, gen.U),
        ]
        for r, usage, inferred, sex in cases:
            self.assertEqual(gen.decide_sex(r, usage, inferred), sex)
        # Usage counts each sex's names as a share of its list.
        self.assertEqual([gen.usage_sex(t, 3, [10000, 2500]) for t in ([3, 1], [0, 3], [0, 2])],
                         [0, gen.M, 0])

    def test_plain_readings(self):
        kanji = {"節": {"せつ", "ふし"}, "子": {"こ", "し"}, "一": {"いち"}, "斗": {"と"},
                 "花": {"はな", "か"}, "洋": {"よう"}, "太": {"た", "たい"}}
        plain = [("節子", "せつこ"), ("一斗", "いっと"), ("花花", "はなばな"), ("花々", "はなばな"),
                 ("洋太", "ようた"), ("洋太", "よーた"), ("洋太", "よおた"), ("さ子", "さこ")]
        odd = [("節子", "ことこ"), ("一斗", "いっ"), ("子一", "こっ"), ("洋", "よ")]
        for (w, r), want in [(p, True) for p in plain] + [(p, False) for p in odd]:
            self.assertEqual(gen.is_plain(w, r, kanji), want, (w, r))

    def test_ranked_rows_are_checked(self):
        import tempfile
        header = "year\tsex\trank\twriting\treading\tsource\n"
        good = "2025\tm\t1\t陽翔\tハルト\tpublisher https://example.org/\n"
        with tempfile.NamedTemporaryFile("w", suffix=".tsv", delete=False) as f:
            f.write("# comment\n" + header + good)
        self.assertEqual(gen.read_ranked(f.name, set("陽翔")), [(2025, gen.M, 1, "陽翔", "はると")])
        for bad in ("2025\tx\t1\t陽翔\tはると\ts\n", "2025\tm\tfirst\t陽翔\tはると\ts\n",
                    "2025\tm\t1\t陽翔\t陽翔\ts\n", "2025\tm\t1\t蠍\tさそり\ts\n",
                    "20x5\tm\t1\t陽翔\tはると\ts\n", "2025\tm\t1\t陽翔\tはると\n"):
            with open(f.name, "w") as g:
                g.write(header + bad)
            with self.assertRaises(SystemExit) as refused:
                gen.read_ranked(f.name, set("陽翔"))
            self.assertIn(":2: ", str(refused.exception))
        os.unlink(f.name)

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
