// Naming support: the ranking must read every candidate exactly as a reading
// of surname + candidate would, and its order, filters and checks must hold.
#include "naming.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

namespace namori {
namespace {

int tenths(double score) {
  const std::string text = formatOneDecimal(score);
  return std::stoi(text.substr(0, text.size() - 2)) * 10 + (text.back() - '0');
}

std::vector<std::string> characters(const char* s) {
  std::vector<std::string> out;
  for (std::size_t n; (n = charLength(s)) != 0; s += n) out.emplace_back(s, n);
  return out;
}

std::vector<std::uint32_t> positions(const Suggestions& list) {
  std::vector<std::uint32_t> out;
  for (std::size_t i = 0; i < list.size(); ++i) out.push_back(list[i].position);
  return out;
}

SuggestFilter everything() {
  SuggestFilter f;
  f.anyKanji = true;
  return f;
}

// The whole list with every kanji, by writing.
const std::unordered_map<std::string, Suggestion>& byWriting() {
  static const auto map = [] {
    std::unordered_map<std::string, Suggestion> m;
    const Suggestions all = suggestGivenNames("山田", everything());
    for (std::size_t rank = 0; rank < all.size(); ++rank) m.emplace(all[rank].given, all[rank]);
    return m;
  }();
  return map;
}

// The tag and the sex counted for a candidate's reading; {0, 0} without it.
std::pair<unsigned, unsigned> readingSex(const char* writing, const std::string& kana) {
  for (const CandidateReading& r : candidateReadings(byWriting().at(writing).position)) {
    if (r.kana == kana) return {r.sex, r.counted};
  }
  return {0, 0};
}

// Score then people (or people then score), then familiarity, then code order.
bool inOrder(const Suggestion& a, const Suggestion& b, SuggestOrder order) {
  const auto key = [order](const Suggestion& x) {
    const long score = -tenths(x.score), people = -static_cast<long>(x.people);
    return std::make_tuple(order == SuggestOrder::kScore ? score : people,
                           order == SuggestOrder::kScore ? people : score,
                           -static_cast<long>(x.familiarity));
  };
  return key(a) < key(b) || (key(a) == key(b) && std::strcmp(a.given, b.given) < 0);
}

// Score, then people, then familiarity, then code order, over the whole list;
// each candidate once, read as computeGrades and computeScore read it.
TEST(Naming, OrderAndGradesOverTheWholeList) {
  // Familiarity counted here: of each character, the writings holding it.
  std::unordered_map<std::string, std::uint32_t> holding;
  for (const auto& [writing, s] : byWriting()) {
    std::vector<std::string> cs = characters(writing.c_str());
    std::sort(cs.begin(), cs.end());
    cs.erase(std::unique(cs.begin(), cs.end()), cs.end());
    for (const std::string& c : cs) ++holding[c];
  }
  ASSERT_EQ(byWriting().size(), candidateCount());

  // Under --sex f people counts the persons of the readings shown only.
  SuggestFilter girls = everything();
  girls.sex = SexFilter::kFemale;
  for (const auto& [surname, filter] :
       {std::make_pair("林", everything()), std::make_pair("勅使河原", everything()),
        std::make_pair("佐藤", girls)}) {
    SCOPED_TRACE(surname);
    const Suggestions all = suggestGivenNames(surname, filter);
    if (filter.sex == SexFilter::kAny) {
      ASSERT_EQ(all.size(), candidateCount());
    }
    for (std::size_t rank = 0; rank < all.size(); ++rank) {
      const Suggestion s = all[rank];
      std::uint32_t least = UINT32_MAX;
      for (const std::string& c : characters(s.given)) least = std::min(least, holding[c]);
      ASSERT_EQ(s.familiarity, least) << s.given;
      ASSERT_TRUE(rank == 0 || inOrder(all[rank - 1], s, SuggestOrder::kScore)) << s.given;
      if (rank % 700 != 0) continue;
      const GradeValues g = computeGrades(surname, s.given);
      GradeWeights w;
      for (int i = 0; i < kGradeCount; ++i) {
        ASSERT_EQ(s.grades.value[i], g.value[i]) << s.given;
        w.w[i] = lookupFortune(foldGradeValue(g.value[i])).weight;
      }
      ASSERT_EQ(s.score, computeScore(w).total) << s.given;
    }
  }

  for (SuggestFilter byPeople : {everything(), girls}) {
    byPeople.order = SuggestOrder::kPeople;
    const Suggestions all = suggestGivenNames("山田", byPeople);
    for (std::size_t rank = 1; rank < all.size(); ++rank) {
      ASSERT_TRUE(inOrder(all[rank - 1], all[rank], SuggestOrder::kPeople)) << all[rank].given;
    }
    EXPECT_TRUE(byPeople.sex != SexFilter::kAny ||
                all[0].given == std::string("誠"));  // most borne
  }
}

// A girls' list leads with no classic boys' name, and the other way round,
// whether ENAMDICT leaves the reading's sex unstated (洋輔 ようすけ) or tags
// a rarely used reading with the wrong sex (隆 たか f, while the many men
// named 隆 read たかし).
TEST(Naming, SexListsLeadWithoutTheOtherSex) {
  const std::vector<std::string> boys = {"洋輔", "耕輔", "恭輔", "兼輔", "誠", "徹",
                                         "隆",   "健",   "茂",   "豊",   "淳", "宏"};
  const std::vector<std::string> girls = {"洋子", "陽子",   "真理子", "和子", "恵子",
                                          "幸子", "久美子", "直子",   "智子", "真由美"};
  for (const char* surname : {"佐藤", "山田", "鈴木", "高橋"}) {
    for (const SuggestOrder order : {SuggestOrder::kScore, SuggestOrder::kPeople}) {
      for (const SexFilter sex : {SexFilter::kFemale, SexFilter::kMale}) {
        SuggestFilter filter;
        filter.sex = sex;
        filter.order = order;
        filter.top = 20;
        const Suggestions list = suggestGivenNames(surname, filter);
        const std::vector<std::string>& other = sex == SexFilter::kFemale ? boys : girls;
        for (std::size_t rank = 0; rank < list.size(); ++rank) {
          EXPECT_EQ(std::count(other.begin(), other.end(), list[rank].given), 0)
              << surname << " " << list[rank].given;
        }
      }
    }
  }
  // The ending tells an unstated reading's sex for the filter; the reading
  // keeps its tag. Endings girls' and boys' names share tell nothing.
  EXPECT_EQ(readingSex("洋輔", "ようすけ"),
            std::make_pair(unsigned{kSexUnstated}, unsigned{kSexMale}));
  EXPECT_EQ(readingSex("永湖", "えいこ"),
            std::make_pair(unsigned{kSexUnstated}, unsigned{kSexFemale}));
  // So does the last kanji of a writing that ends boys' names only.
  EXPECT_EQ(readingSex("智郎", "ともろう"),
            std::make_pair(unsigned{kSexUnstated}, unsigned{kSexMale}));
}

// What the dictionary and the generator give for names parents know.
TEST(Naming, DataOfWellKnownNames) {
  const auto& all = byWriting();
  EXPECT_EQ(all.at("洋子").people, 80u);
  EXPECT_EQ(all.at("一郎").people, 79u);
  EXPECT_EQ(all.at("真理子").people, 33u);
  EXPECT_EQ(all.at("健太").people, 23u);
  EXPECT_EQ(all.at("烏太朗").people, 0u);
  // Readings of unclassified entries join a given name, unstated.
  EXPECT_EQ(readingSex("陽翔", "はると").first, unsigned{kSexUnstated});
  EXPECT_EQ(readingSex("陽翔", "あきと").first, unsigned{kSexMale});
  // Full names of people are no given names.
  for (const char* person : {"鬼束ちひろ", "栗山千明", "南野陽子"}) {
    EXPECT_EQ(all.count(person), 0u) << person;
  }
}

// Each filter's best four on the whole list, each with the readings it
// shows, those the pattern matches first.
TEST(Naming, FiltersKeepAndShowWhatTheySay) {
  const struct {
    void (*set)(SuggestFilter&);
    const char* best;
  } cases[] = {
      {[](SuggestFilter& f) { f.sex = SexFilter::kFemale; },
       "絵美子 えみこ|絵里加 えりか|蘭景 らんけい|蘭童 らんどう"},
      {[](SuggestFilter& f) { f.sex = SexFilter::kMale, f.characters = 3, f.minScore = 80; },
       "絵里可 えりか|鏡二朗 きょうじろう|鏡之祐 きょうのすけ|鏡之亮 きょうのすけ"},
      // A reading of unstated sex is not shown when the writing has a boy's.
      {[](SuggestFilter& f) { f.sex = SexFilter::kFemale, f.with = "鋭", f.characters = 1; },
       "鋭 えい"},
      {[](SuggestFilter& f) { f.sex = SexFilter::kFemale, f.with = "整", f.characters = 1; },
       "整 せい"},
      {[](SuggestFilter& f) { f.with = "子花", f.without = "美"; },
       "桃花鳥子 ときこ|多花子 たかこ|羽花子 わかこ|夢花子 ゆかこ"},
      {[](SuggestFilter& f) { f.reading = "ユイ"; },
       "夢姫 ゆい・いぶき・ゆうき・ゆき・ゆひめ・ゆめき・ゆめひめ|"
       "結心 ゆい・ゆいこ・ゆいね・ゆいみ・ゆうこ・ゆうみ・ゆみ|悠以 ゆい・ゆうい|"
       "悠生 ゆい・はるい・はるき・ゆう・ゆうき・ゆうせい・ゆうり・ゆお・ゆき"},
      {[](SuggestFilter& f) { f.reading = "ゆ*"; },
       "夕紀絵 ゆきえ|桃桜 ゆすら|夢希菜 ゆきな|夢太郎 ゆめたろう"},
      {[](SuggestFilter& f) { f.reading = "*と", f.sex = SexFilter::kMale; },
       "識仁 さとひと|英覚 ひでさと|袈裟利 けさと・けさとし|雅仁 まさと・まさひと・がじん"},
      {[](SuggestFilter& f) { f.reading = "*な*"; },
       "絵月奈 えるな|麗水 れいな・れいすい・れみ|絵月 えるな・えつき・かづき|"
       "麗月 りるな・りづき・れいげつ"},
  };
  for (const auto& c : cases) {
    SuggestFilter filter = everything();
    c.set(filter);
    filter.top = 4;
    const Suggestions list = suggestGivenNames("山田", filter);
    std::string best;
    for (std::size_t rank = 0; rank < list.size(); ++rank) {
      best += std::string(rank == 0 ? "" : "|") + list[rank].given + " ";
      for (const CandidateReading& r : list.readings(rank)) {
        best += (best.back() == ' ' ? "" : "・") + r.kana;
      }
    }
    EXPECT_EQ(best, c.best);
  }
}

TEST(Naming, SearchesParentsStartFrom) {
  SuggestFilter filter;
  filter.with = "翔";
  filter.sex = SexFilter::kMale;
  EXPECT_FALSE(suggestGivenNames("佐藤", filter).empty());
  // The avoided kanji keep these out, unless every kanji is asked for.
  for (const char* odd : {"烏太朗", "馨赦", "鵜舟"}) {
    filter = {};
    filter.with = odd;
    filter.characters = static_cast<int>(characters(odd).size());
    EXPECT_TRUE(suggestGivenNames("佐藤", filter).empty()) << odd;
    filter.anyKanji = true;
    const std::vector<std::uint32_t> back = positions(suggestGivenNames("佐藤", filter));
    EXPECT_EQ(std::count(back.begin(), back.end(), byWriting().at(odd).position), 1) << odd;
  }
  // A pattern no candidate reads, or no pattern at all, matches nothing.
  for (const char* reading : {"ゑゑゑ", "ＡＢ", "*", "ゆ**"}) {
    filter = {};
    filter.reading = reading;
    EXPECT_TRUE(suggestGivenNames("佐藤", filter).empty()) << reading;
  }
}

TEST(Naming, ChecksOfWhatUsersType) {
  for (const char* ok : {"ゆい", "ユイ", "ゆ*", "*と", "*な*", "ゆ＊", "ヴぁ", "ゝ"}) {
    EXPECT_TRUE(isReadingPattern(ok)) << ok;
  }
  for (const char* bad : {"", "*", "**", "ゆ**", "ゆ*い", "abc", "由", "ゆ い"}) {
    EXPECT_FALSE(isReadingPattern(bad)) << bad;
  }
  double score = -1;
  EXPECT_TRUE(parseMinScore("", &score));
  EXPECT_EQ(score, 0);
  EXPECT_TRUE(parseMinScore("87.5", &score));
  EXPECT_EQ(score, 87.5);
  EXPECT_TRUE(parseMinScore("100", &score));
  for (const char* bad : {"nan", "inf", "-1", "100.1", "1e2", " 5", "5 ", ".", "0x10", "5.5.5"}) {
    EXPECT_FALSE(parseMinScore(bad, &score)) << bad;
  }
  EXPECT_TRUE(surnameCounts("山田"));
  EXPECT_TRUE(surnameCounts("髙田"));
  for (const char* none : {"", "  ", "abc", "髙", "Ｕ"}) EXPECT_FALSE(surnameCounts(none)) << none;
  EXPECT_FALSE(surnameCounts(nullptr));
}

}  // namespace
}  // namespace namori
