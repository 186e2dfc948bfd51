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
        # 山田洋子 twice is one person's writing; 山田陽翔 is split after 山田
        # and not after 山, since 田陽翔 is no candidate.
        self.assertEqual(gen.count_people(self.entries, self.names), {"洋子": 1, "陽翔": 2})

    def test_familiarity(self):
        self.assertEqual(gen.count_familiarity(["洋子", "子子", "陽子", "陽"]),
                         {"洋子": 1, "子子": 3, "陽子": 2, "陽": 2})


if __name__ == "__main__":
    unittest.main()
