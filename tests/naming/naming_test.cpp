// Naming support: the ranking must read every candidate exactly as a reading
// of surname + candidate would, and its filters and order must hold.
#include "naming.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

namespace namori {
namespace {

int tenths(double score) {
  const std::string text = formatOneDecimal(score);
  return std::stoi(text.substr(0, text.size() - 2)) * 10 + (text.back() - '0');
}

std::vector<std::uint32_t> positions(const Suggestions& list) {
  std::vector<std::uint32_t> out;
  for (std::size_t i = 0; i < list.size(); ++i) out.push_back(list[i].position);
  return out;
}

bool hasReading(std::uint32_t position, const std::string& reading) {
  for (const CandidateReading& r : candidateReadings(position)) {
    if (r.kana == reading) return true;
  }
  return false;
}

std::size_t characterCount(const char* s) {
  std::size_t n = 0;
  for (std::size_t length; (length = charLength(s)) != 0; s += length) ++n;
  return n;
}

// One- and two-character surnames, a long one, and ones with characters that
// count 0 (Ｕ, a single-byte letter).
const char* const kSurnames[] = {"林", "山田", "長谷川", "勅使河原", "Ｕ田", "A山", ""};

TEST(Naming, AgreesWithTheReadingInAScoreDescendingFixedOrder) {
  for (const char* surname : kSurnames) {
    SCOPED_TRACE(surname);
    const Suggestions all = suggestGivenNames(surname);
    ASSERT_EQ(all.size(), candidateCount());
    // Every candidate exactly once.
    std::vector<std::uint32_t> seen = positions(all);
    std::sort(seen.begin(), seen.end());
    for (std::uint32_t i = 0; i < seen.size(); ++i) ASSERT_EQ(seen[i], i);

    for (std::size_t rank = 0; rank < all.size(); ++rank) {
      const Suggestion s = all[rank];
      if (rank > 0) {
        const Suggestion before = all[rank - 1];
        const int t = tenths(s.score), tBefore = tenths(before.score);
        ASSERT_LE(t, tBefore) << rank;
        if (t == tBefore) {
          ASSERT_LT(before.position, s.position) << rank;
        }
      }
      if (rank % 500 != 0 && rank + 1 != all.size()) continue;
      const GradeValues g = computeGrades(surname, s.given);
      GradeWeights w;
      for (int i = 0; i < kGradeCount; ++i) {
        EXPECT_EQ(s.grades.value[i], g.value[i]) << s.given << " grade " << i;
        w.w[i] = lookupFortune(foldGradeValue(g.value[i])).weight;
      }
      EXPECT_EQ(s.score, computeScore(w).total) << s.given;
    }
  }
}

SuggestFilter filter(SexFilter sex, int characters = 0, const char* reading = "",
                     double minScore = 0) {
  SuggestFilter f;
  f.sex = sex;
  f.characters = characters;
  f.reading = reading;
  f.minScore = minScore;
  return f;
}

bool female(const Suggestion& s) {
  return (s.sex & (kSexFemale | kSexUnstated)) != 0;
}
bool male(const Suggestion& s) {
  return (s.sex & (kSexMale | kSexUnstated)) != 0;
}

TEST(Naming, FiltersKeepExactlyTheMatchingCandidatesInOrder) {
  const Suggestions all = suggestGivenNames("山田");
  struct Case {
    SuggestFilter filter;
    bool (*keeps)(const Suggestion&);
  };
  const Case cases[] = {
      {filter(SexFilter::kFemale), female},
      {filter(SexFilter::kMale), male},
      {filter(SexFilter::kAny, 1),
       [](const Suggestion& s) { return characterCount(s.given) == 1; }},
      {filter(SexFilter::kAny, 0, "ひな"),
       [](const Suggestion& s) { return hasReading(s.position, "ひな"); }},
      // Katakana reads as hiragana.
      {filter(SexFilter::kAny, 0, "ショウタ"),
       [](const Suggestion& s) { return hasReading(s.position, "しょうた"); }},
      // The score as printed: 42.25 prints 42.3 and passes 42.3.
      {filter(SexFilter::kAny, 0, "", 42.3),
       [](const Suggestion& s) { return tenths(s.score) >= 423; }},
      {filter(SexFilter::kMale, 3, "", 80.0),
       [](const Suggestion& s) {
         return male(s) && characterCount(s.given) == 3 && tenths(s.score) >= 800;
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.filter.reading + " " + std::to_string(c.filter.characters));
    std::vector<std::uint32_t> expected;
    for (std::size_t rank = 0; rank < all.size(); ++rank) {
      if (c.keeps(all[rank])) expected.push_back(all[rank].position);
    }
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(positions(suggestGivenNames("山田", c.filter)), expected);
    SuggestFilter top = c.filter;
    top.top = 7;
    expected.resize(std::min<std::size_t>(expected.size(), 7));
    EXPECT_EQ(positions(suggestGivenNames("山田", top)), expected);
  }
  // A reading that is not kana matches nothing.
  EXPECT_TRUE(suggestGivenNames("山田", filter(SexFilter::kAny, 0, "ＡＢ")).empty());
}

TEST(Naming, CandidatesAreRegistrableWellKnownNames) {
  const Suggestions all = suggestGivenNames("山田");
  std::unordered_map<std::string, Suggestion> byWriting;
  const std::string notRegistrable[] = {"煕", "凜", "髙"};  // 凜 and 髙 also count 0
  for (std::size_t rank = 0; rank < all.size(); ++rank) {
    const Suggestion s = all[rank];
    byWriting.emplace(s.given, s);
    ASSERT_LE(std::string(s.given).size(), 34u) << s.given;
    for (const char* p = s.given; *p; p += 2) {
      ASSERT_EQ(charLength(p), 2u) << s.given;
      ASSERT_GT(strokeCount(p[0], p[1]), 0) << s.given;
      for (const std::string& c : notRegistrable) ASSERT_NE(c.compare(0, 2, p, 2), 0) << s.given;
    }
  }
  for (const char* name :
       {"翔太", "陽菜", "結衣", "蓮", "さくら", "大翔", "美咲", "健太", "ひまり", "湊"}) {
    EXPECT_EQ(byWriting.count(name), 1u) << name;
  }
  // Readings and tags as the dictionary gives them.
  const Suggestion& shota = byWriting.at("翔太");
  ASSERT_EQ(candidateReadings(shota.position).size(), 1u);
  EXPECT_EQ(candidateReadings(shota.position)[0].kana, "しょうた");
  EXPECT_EQ(shota.sex, unsigned{kSexMale});
  const Suggestion& hina = byWriting.at("陽菜");
  EXPECT_TRUE(hasReading(hina.position, "ひな"));
  EXPECT_TRUE(hasReading(hina.position, "はるな"));
  EXPECT_EQ(hina.sex & kSexFemale, unsigned{kSexFemale});
}

}  // namespace
}  // namespace namori
