// Naming support: the ranking must read every candidate exactly as a reading
// of surname + candidate would, and its order, filters and checks must hold.
#include "naming.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <unordered_map>
#include <vector>

#include "sjis_utf8.h"

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

bool contains(const char* writing, const std::string& c) {
  const std::vector<std::string> cs = characters(writing);
  return std::find(cs.begin(), cs.end(), c) != cs.end();
}

std::vector<std::uint32_t> positions(const Suggestions& list) {
  std::vector<std::uint32_t> out;
  for (std::size_t i = 0; i < list.size(); ++i) out.push_back(list[i].position);
  return out;
}

// Every candidate, every reading, every kanji.
SuggestFilter everything() {
  SuggestFilter f;
  f.anyKanji = true;
  f.names = NameScope::kAll;
  f.allReadings = true;
  return f;
}

// The whole list with every kanji and every reading.
const Suggestions& whole() {
  static const Suggestions all = suggestGivenNames("山田", everything());
  return all;
}

// Its ranks by writing.
const std::unordered_map<std::string, std::size_t>& rankOfWriting() {
  static const auto map = [] {
    std::unordered_map<std::string, std::size_t> m;
    for (std::size_t rank = 0; rank < whole().size(); ++rank) m.emplace(whole()[rank].given, rank);
    return m;
  }();
  return map;
}

Suggestion candidate(const char* writing) {
  return whole()[rankOfWriting().at(writing)];
}

// Every reading of a writing, best known first.
std::vector<CandidateReading> readingsOf(const char* writing) {
  return whole().readings(rankOfWriting().at(writing));
}

const CandidateReading* findReading(const std::vector<CandidateReading>& readings,
                                    const std::string& kana) {
  for (const CandidateReading& r : readings) {
    if (r.kana == kana) return &r;
  }
  return nullptr;
}

// The sex a candidate's reading counts as; 0 without it.
unsigned readingSex(const char* writing, const std::string& kana) {
  const std::vector<CandidateReading> all = readingsOf(writing);
  const CandidateReading* r = findReading(all, kana);
  return r ? r->sex : 0;
}

// A list's order: the first key of the order, then score, evidence (the
// latest year ranked, the rank then; gimei; people), familiarity, code order.
bool inOrder(const Suggestion& a, const Suggestion& b, SuggestOrder order) {
  const auto key = [order](const Suggestion& x) {
    const long score = -tenths(x.score), people = -static_cast<long>(x.people);
    const auto evidence = std::make_tuple(-x.rank.year, x.rank.rank, !x.gimei, people);
    const long first = order == SuggestOrder::kPeople ? people : 0;
    const auto popular = order == SuggestOrder::kPopular ? evidence : decltype(evidence){};
    return std::make_tuple(first, popular, score, evidence, -static_cast<long>(x.familiarity));
  };
  return key(a) < key(b) || (key(a) == key(b) && std::strcmp(a.given, b.given) < 0);
}

// Every order over whole lists, each candidate once, read as computeGrades
// and computeScore read it; under a sex filter the measures count the
// readings shown.
TEST(Naming, OrderAndGradesOverTheWholeList) {
  // Familiarity counted here: of each character, the writings holding it.
  std::unordered_map<std::string, std::uint32_t> holding;
  for (const auto& [writing, rank] : rankOfWriting()) {
    std::vector<std::string> cs = characters(writing.c_str());
    std::sort(cs.begin(), cs.end());
    cs.erase(std::unique(cs.begin(), cs.end()), cs.end());
    for (const std::string& c : cs) ++holding[c];
  }
  ASSERT_EQ(rankOfWriting().size(), candidateCount());

  SuggestFilter girls, boys = everything();
  girls.sex = SexFilter::kFemale;
  boys.sex = SexFilter::kMale;
  boys.names = NameScope::kPeople;
  for (const auto& [surname, list] :
       {std::make_pair("林", everything()), std::make_pair("勅使河原", everything()),
        std::make_pair("佐藤", girls), std::make_pair("佐藤", boys)}) {
    for (const SuggestOrder order :
         {SuggestOrder::kScore, SuggestOrder::kPopular, SuggestOrder::kPeople}) {
      SCOPED_TRACE(std::string(surname) + " " + std::to_string(static_cast<int>(order)));
      SuggestFilter filter = list;
      filter.order = order;
      const Suggestions all = suggestGivenNames(surname, filter);
      if (filter.sex == SexFilter::kAny) {
        ASSERT_EQ(all.size(), candidateCount());
      }
      for (std::size_t rank = 0; rank < all.size(); ++rank) {
        const Suggestion s = all[rank];
        ASSERT_TRUE(rank == 0 || inOrder(all[rank - 1], s, order)) << s.given;
        if (rank % 700 != 0 || order != SuggestOrder::kScore) continue;
        std::uint32_t least = UINT32_MAX;
        for (const std::string& c : characters(s.given)) least = std::min(least, holding[c]);
        ASSERT_EQ(s.familiarity, least) << s.given;
        const GradeValues g = computeGrades(surname, s.given);
        GradeWeights w;
        for (int i = 0; i < kGradeCount; ++i) {
          ASSERT_EQ(s.grades.value[i], g.value[i]) << s.given;
          w.w[i] = lookupFortune(foldGradeValue(g.value[i])).weight;
        }
        ASSERT_EQ(s.score, computeScore(w).total) << s.given;
      }
    }
  }
}

std::string toSjis(const std::string& utf8) {
  std::string out;
  for (std::size_t at = 0, n; at < utf8.size(); at += n) {
    n = utf8CharLength(utf8.c_str() + at);
    char c[2];
    std::size_t length = 0;
    if (n == 0 || !utf8CharToSjis(utf8.c_str() + at, n, c, &length)) return "";
    out.append(c, length);
  }
  return out;
}

std::vector<std::string> lines(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> out;
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

// The names most given in the latest year of the rankings are in their
// sex's list, read first as the rankings read them; the scopes nest, and the
// default list shows only names in use and readings known or plain.
TEST(Naming, ListsHoldTheNamesInUse) {
  struct Row {
    int year, rank;
    std::string sex, writing, reading;
  };
  std::vector<Row> rows;
  for (const std::string& line : lines(NAMORI_SOURCE_DIR "/naming/ranked_names.tsv")) {
    std::istringstream fields(line);
    Row r;
    std::string year, rank;
    std::getline(fields, year, '\t');
    std::getline(fields, r.sex, '\t');
    std::getline(fields, rank, '\t');
    std::getline(fields, r.writing, '\t');
    std::getline(fields, r.reading, '\t');
    if (year.empty() || !std::isdigit(static_cast<unsigned char>(year[0]))) continue;
    r.year = std::stoi(year);
    r.rank = std::stoi(rank);
    rows.push_back(r);
  }
  ASSERT_GT(rows.size(), 300u);
  const int latest = std::max_element(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
                       return a.year < b.year;
                     })->year;
  int checked = 0;
  for (const char* sex : {"f", "m"}) {
    SuggestFilter filter;
    filter.sex = *sex == 'f' ? SexFilter::kFemale : SexFilter::kMale;
    const Suggestions list = suggestGivenNames("佐藤", filter);
    std::unordered_map<std::string, std::string> first;
    for (std::size_t rank = 0; rank < list.size(); ++rank) {
      first[list[rank].given] = list.readings(rank).at(0).kana;
    }
    for (const Row& r : rows) {
      if (r.year != latest || r.sex != sex || r.rank > 10) continue;
      // Shift-JIS, as the lists hold them.
      const std::string writing = toSjis(r.writing), reading = toSjis(r.reading);
      ASSERT_EQ(first.count(writing), 1u) << r.writing;
      EXPECT_EQ(first[writing], reading) << r.writing;
      ++checked;
    }
  }
  EXPECT_GE(checked, 20);

  // Scopes: common within people within all; a name's evidence says why.
  for (const SexFilter sex : {SexFilter::kAny, SexFilter::kFemale, SexFilter::kMale}) {
    std::vector<std::vector<std::uint32_t>> scopes;
    for (const NameScope scope : {NameScope::kCommon, NameScope::kPeople, NameScope::kAll}) {
      SuggestFilter filter;
      filter.sex = sex;
      filter.names = scope;
      const Suggestions list = suggestGivenNames("鈴木", filter);
      for (std::size_t rank = 0; rank < list.size(); ++rank) {
        const Suggestion s = list[rank];
        if (scope != NameScope::kAll) {
          ASSERT_TRUE(s.rank.rank || s.gimei || (scope == NameScope::kPeople && s.people))
              << s.given;
        }
        for (const CandidateReading& r : list.readings(rank)) {
          ASSERT_TRUE(r.known() || r.plain) << s.given;
        }
      }
      scopes.push_back(positions(list));
      std::sort(scopes.back().begin(), scopes.back().end());
    }
    EXPECT_LT(scopes[0].size(), scopes[1].size());
    EXPECT_TRUE(
        std::includes(scopes[1].begin(), scopes[1].end(), scopes[0].begin(), scopes[0].end()));
    EXPECT_TRUE(
        std::includes(scopes[2].begin(), scopes[2].end(), scopes[1].begin(), scopes[1].end()));
  }
}

// The sex of a reading: the rankings and gimei decide it where they know the
// name, over the whole data; elsewhere the names in use with the same
// reading or last kanji, then ENAMDICT's tag, then its ending.
TEST(Naming, SexOfReadingsFromTheEvidence) {
  for (std::size_t rank = 0; rank < whole().size(); ++rank) {
    const char* writing = whole()[rank].given;
    for (const CandidateReading& r : whole().readings(rank)) {
      const unsigned strong = (r.girls.rank || (r.gimei & kSexFemale) ? 1u : 0u) |
                              (r.boys.rank || (r.gimei & kSexMale) ? 2u : 0u);
      if (strong) {
        ASSERT_EQ(r.sex, strong) << writing << " " << r.kana;
      }
    }
  }
  const unsigned f = kSexFemale, m = kSexMale, both = kSexFemale | kSexMale;
  const struct {
    const char* writing;
    const char* kana;
    unsigned sex;
  } names[] = {
      {"蓮", "れん", m},        // ENAMDICT: f only
      {"湊", "みなと", m},      // ENAMDICT: f only
      {"陽翔", "はると", m},    // ENAMDICT: unclassified
      {"陽翔", "はるか", f},    //
      {"葵", "あおい", both},   // ranked for both
      {"直弘", "なおひろ", m},  // ENAMDICT: f; boys' names in use read なおひろ
      {"絵里可", "えりか", f},  // ENAMDICT: unstated; girls' names in use
      {"洋輔", "ようすけ", m},  // the ending すけ in ENAMDICT
      {"智郎", "ともろう", m},  // the last kanji 郎 in ENAMDICT
  };
  for (const auto& n : names) EXPECT_EQ(readingSex(n.writing, n.kana), n.sex) << n.writing;
  // Names the sources add to ENAMDICT's.
  EXPECT_EQ(readingsOf("湊斗").at(0).kana, "みなと");
  EXPECT_EQ(readingsOf("颯真").at(0).kana, "そうま");
}

// Readings best known first; one neither known nor plain only when asked for.
TEST(Naming, ReadingsInTheOrderPeopleUseThem) {
  const struct {
    const char* writing;
    const char* first;
  } names[] = {{"洋子", "ようこ"}, {"節子", "せつこ"}, {"恵美子", "えみこ"}, {"陽葵", "ひまり"}};
  SuggestFilter filter;
  filter.sex = SexFilter::kFemale;
  for (const auto& n : names) {
    filter.with = n.writing;
    const Suggestions list = suggestGivenNames("佐藤", filter);
    bool found = false;
    for (std::size_t rank = 0; rank < list.size(); ++rank) {
      if (list[rank].given != std::string(n.writing)) continue;
      EXPECT_EQ(list.readings(rank).at(0).kana, n.first) << n.writing;
      found = true;
    }
    EXPECT_TRUE(found) << n.writing;
  }
  filter.with = "美月";
  filter.characters = 2;
  for (const bool all : {false, true}) {
    filter.allReadings = all;
    const Suggestions list = suggestGivenNames("佐藤", filter);
    ASSERT_EQ(list.size(), 1u);
    const std::vector<CandidateReading> readings = list.readings(0);
    EXPECT_EQ(findReading(readings, "うつつき") != nullptr, all);
    EXPECT_EQ(readings.at(0).kana, "みつき");
    EXPECT_EQ(readings.at(0).girls.rank, 28);  // 2022, its latest year in the rankings
    EXPECT_EQ(readings.at(0).girls.year, 2022);
    EXPECT_TRUE(readings.at(0).plain);
  }
}

// What the dictionary and the generator give for names parents know.
TEST(Naming, DataOfWellKnownNames) {
  const auto& all = rankOfWriting();
  EXPECT_EQ(candidate("洋子").people, 80u);
  EXPECT_EQ(candidate("一郎").people, 79u);
  EXPECT_EQ(candidate("烏太朗").people, 0u);
  // Full names of people are no given names.
  for (const char* person : {"鬼束ちひろ", "栗山千明", "南野陽子"}) {
    EXPECT_EQ(all.count(person), 0u) << person;
  }
  for (const auto& [writing, rank] : all) {
    ASSERT_LE(writing.size(), 34u) << writing;
    for (const std::string& c : characters(writing.c_str())) {
      ASSERT_EQ(c.size(), 2u) << writing;
      ASSERT_GT(strokeCount(c[0], c[1]), 0) << writing;
    }
  }
}

// Every filter keeps what it says, as many as it finds today, in the order of
// the whole list (ties under a sex filter go by that sex's evidence), and
// shows the readings it says: the matched ones first.
TEST(Naming, FiltersKeepWhatTheySay) {
  using R = std::vector<CandidateReading>;
  // Every reading shown is of the sex, or of none stated.
  const auto ofSex = [](const R& shown, unsigned sex) {
    return std::all_of(shown.begin(), shown.end(), [sex](const CandidateReading& r) {
      return (r.sex & sex) || r.sex == kSexUnstated;
    });
  };
  const struct {
    const char* what;
    std::function<void(SuggestFilter&)> set;
    std::function<bool(const Suggestion&, const R& shown)> holds;
    std::size_t count;
  } cases[] = {
      {"f", [](SuggestFilter& f) { f.sex = SexFilter::kFemale; },
       [&](const Suggestion&, const R& r) { return ofSex(r, kSexFemale); }, 108182},
      {"m 3 characters 80",
       [](SuggestFilter& f) {
         f.sex = SexFilter::kMale;
         f.characters = 3;
         f.minScore = 80;
       },
       [&](const Suggestion& s, const R& r) {
         return ofSex(r, kSexMale) && characters(s.given).size() == 3 && tenths(s.score) >= 800;
       },
       2224},
      {"with 花子 without 美",
       [](SuggestFilter& f) {
         f.with = "子花";
         f.without = "美";
       },
       [](const Suggestion& s, const R&) {
         return contains(s.given, "花") && contains(s.given, "子") && !contains(s.given, "美");
       },
       121},
      {"ユイ", [](SuggestFilter& f) { f.reading = "ユイ"; },
       [](const Suggestion&, const R& r) { return r[0].kana == "ゆい"; }, 170},
      {"ゆ*", [](SuggestFilter& f) { f.reading = "ゆ*"; },
       [](const Suggestion&, const R& r) { return r[0].kana.rfind("ゆ", 0) == 0; }, 7866},
      {"*と m",
       [](SuggestFilter& f) {
         f.reading = "*と";
         f.sex = SexFilter::kMale;
       },
       [&](const Suggestion&, const R& r) {
         return ofSex(r, kSexMale) && r[0].kana.rfind("と") + 2 == r[0].kana.size();
       },
       1609},
      // Kana trail bytes never equal a lead byte: no match across characters.
      {"*な*", [](SuggestFilter& f) { f.reading = "*な*"; },
       [](const Suggestion&, const R& r) { return r[0].kana.find("な") != r[0].kana.npos; },
       14925},
  };
  const Suggestions all = suggestGivenNames("山田", everything());
  std::unordered_map<std::uint32_t, std::size_t> rankOf;
  for (std::size_t rank = 0; rank < all.size(); ++rank) rankOf[all[rank].position] = rank;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    SuggestFilter filter = everything();
    c.set(filter);
    const Suggestions got = suggestGivenNames("山田", filter);
    EXPECT_EQ(got.size(), c.count);
    for (std::size_t rank = 0; rank < got.size(); ++rank) {
      const Suggestion s = got[rank];
      const R shown = got.readings(rank);
      ASSERT_TRUE(!shown.empty() && c.holds(s, shown)) << s.given;
      if (filter.sex == SexFilter::kAny && rank > 0) {
        ASSERT_LT(rankOf.at(got[rank - 1].position), rankOf.at(s.position)) << s.given;
      }
    }
    filter.top = 7;
    std::vector<std::uint32_t> first = positions(got);
    first.resize(std::min<std::size_t>(first.size(), 7));
    EXPECT_EQ(positions(suggestGivenNames("山田", filter)), first);
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
    filter.names = NameScope::kAll;
    filter.allReadings = true;
    const std::vector<std::uint32_t> back = positions(suggestGivenNames("佐藤", filter));
    EXPECT_EQ(std::count(back.begin(), back.end(), candidate(odd).position), 1) << odd;
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
