// Naming support: the ranking must read every candidate exactly as a reading
// of surname + candidate would, and its order, filters and checks must hold.
#include "naming.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <unordered_map>
#include <utility>
#include <vector>

#include "sjis_utf8.h"
#include "utf8_reading.h"

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
  ASSERT_EQ(rankOfWriting().size(), candidateCount());

  SuggestFilter girls, allGirls = everything(), boys = everything();
  girls.sex = allGirls.sex = SexFilter::kFemale;
  boys.sex = SexFilter::kMale;
  boys.names = NameScope::kPeople;
  for (const auto& [surname, list] :
       {std::make_pair("林", everything()), std::make_pair("勅使河原", everything()),
        std::make_pair("佐藤", girls), std::make_pair("佐藤", allGirls),
        std::make_pair("佐藤", boys)}) {
    for (const SuggestOrder order :
         {SuggestOrder::kScore, SuggestOrder::kPopular, SuggestOrder::kPeople}) {
      SCOPED_TRACE(std::string(surname) + " " + std::to_string(static_cast<int>(order)));
      SuggestFilter filter = list;
      filter.order = order;
      const Suggestions all = suggestGivenNames(surname, filter);
      ASSERT_TRUE(filter.sex != SexFilter::kAny || all.size() == candidateCount());
      for (std::size_t rank = 0; rank < all.size(); ++rank) {
        const Suggestion s = all[rank];
        ASSERT_TRUE(rank == 0 || inOrder(all[rank - 1], s, order)) << s.given;
        if (rank % 700 != 0 || order != SuggestOrder::kScore) continue;
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

// The names most given in the latest year of the rankings are in their
// sex's list, read first as the rankings read them, as are names parents
// know; the scopes nest, and the default list shows only names in use and
// readings known or plain.
TEST(Naming, ListsHoldTheNamesInUse) {
  std::vector<std::vector<std::string>> rows;  // year, sex, rank, writing, reading: Shift-JIS
  int latest = 0;
  std::ifstream tsv(NAMORI_SOURCE_DIR "/naming/ranked_names.tsv");
  for (std::string line, error; std::getline(tsv, line);) {
    std::istringstream in(line);
    std::vector<std::string> f(5);
    for (std::string& field : f) std::getline(in, field, '\t');
    if (!std::isdigit(static_cast<unsigned char>(f[0][0]))) continue;
    for (const int i : {3, 4}) ASSERT_TRUE(text::toSjis(std::string(f[i]), "", &f[i], &error));
    rows.push_back(f);
    latest = std::max(latest, std::stoi(f[0]));
  }
  ASSERT_GT(rows.size(), 300u);
  int checked = 0;
  // Scopes: common within people within all; a name's evidence says why.
  for (const SexFilter sex : {SexFilter::kAny, SexFilter::kFemale, SexFilter::kMale}) {
    std::vector<std::vector<std::uint32_t>> scopes;
    for (const NameScope scope : {NameScope::kCommon, NameScope::kPeople, NameScope::kAll}) {
      SuggestFilter filter;
      filter.sex = sex;
      filter.names = scope;
      const Suggestions list = suggestGivenNames("佐藤", filter);
      std::unordered_map<std::string, std::size_t> at;
      for (std::size_t rank = 0; rank < list.size(); ++rank) {
        const Suggestion s = list[rank];
        at[s.given] = rank;
        if (scope != NameScope::kAll) {
          ASSERT_TRUE(s.rank.rank || s.gimei || (scope == NameScope::kPeople && s.people))
              << s.given;
        }
        const std::vector<CandidateReading> shown = list.readings(rank);
        ASSERT_FALSE(shown.empty()) << s.given;
        for (const CandidateReading& r : shown) ASSERT_TRUE(r.known() || r.plain) << s.given;
      }
      scopes.push_back(positions(list));
      std::sort(scopes.back().begin(), scopes.back().end());
      if (scope != NameScope::kCommon || sex == SexFilter::kAny) continue;
      const auto first = [&](const std::string& writing) {
        return at.count(writing) ? list.readings(at[writing]).at(0).kana : "";
      };
      const std::string tag = sex == SexFilter::kFemale ? "f" : "m";
      for (const auto& r : rows) {
        if (std::stoi(r[0]) != latest || r[1] != tag || std::stoi(r[2]) > 10) continue;
        EXPECT_EQ(first(r[3]), r[4]) << r[3];
        ++checked;
      }
      if (sex == SexFilter::kMale) continue;
      // Readings best known first; one neither known nor plain only when asked for.
      const std::pair<const char*, const char*> known[] = {
          {"洋子", "ようこ"}, {"節子", "せつこ"}, {"恵美子", "えみこ"}, {"陽葵", "ひまり"}};
      for (const auto& [writing, reading] : known) EXPECT_EQ(first(writing), reading) << writing;
      const std::vector<CandidateReading> mitsuki = list.readings(at.at("美月")),
                                          every = readingsOf("美月");
      EXPECT_TRUE(findReading(every, "うつつき") && !findReading(mitsuki, "うつつき"));
      EXPECT_EQ(mitsuki.at(0).kana, "みつき");
      EXPECT_EQ(mitsuki.at(0).girls.rank, 28);  // 2022, its latest year in the rankings
      EXPECT_EQ(mitsuki.at(0).girls.year, 2022);
      EXPECT_TRUE(mitsuki.at(0).plain);
    }
    EXPECT_LT(scopes[0].size(), scopes[1].size());
    EXPECT_TRUE(
        std::includes(scopes[1].begin(), scopes[1].end(), scopes[0].begin(), scopes[0].end()));
    EXPECT_TRUE(
        std::includes(scopes[2].begin(), scopes[2].end(), scopes[1].begin(), scopes[1].end()));
  }
  EXPECT_GE(checked, 20);
}

// Every candidate is of characters that count strokes. The sex of a reading: the rankings and
// gimei decide it where they know the name, over the whole data; elsewhere
// the names in use with the same reading or last kanji, then ENAMDICT's tag,
// then its ending.
TEST(Naming, SexOfReadingsFromTheEvidence) {
  for (std::size_t rank = 0; rank < whole().size(); ++rank) {
    const char* writing = whole()[rank].given;
    ASSERT_LE(std::strlen(writing), 34u) << writing;
    for (const std::string& c : characters(writing)) {
      ASSERT_EQ(c.size(), 2u) << writing;
      ASSERT_GT(strokeCount(c[0], c[1]), 0) << writing;
    }
    for (const CandidateReading& r : whole().readings(rank)) {
      const unsigned strong = (r.girls.rank || (r.gimei & kSexFemale) ? 1u : 0u) |
                              (r.boys.rank || (r.gimei & kSexMale) ? 2u : 0u);
      if (strong) {
        ASSERT_EQ(r.sex, strong) << writing << " " << r.kana;
      }
    }
  }
  const unsigned f = kSexFemale, m = kSexMale, both = kSexFemale | kSexMale;
  const std::tuple<const char*, const char*, unsigned> names[] = {
      {"蓮", "れん", m},        // ENAMDICT: f only
      {"湊", "みなと", m},      // ENAMDICT: f only
      {"陽翔", "はると", m},    // ENAMDICT: unclassified
      {"陽翔", "はるか", f},    //
      {"葵", "あおい", both},   // ranked for both
      {"直弘", "なおひろ", m},  // ENAMDICT: unclassified; boys' names in use read なおひろ
      {"絵里可", "えりか", f},  // ENAMDICT: unstated; girls' names in use
      {"洋輔", "ようすけ", m},  // the ending すけ in ENAMDICT
      {"智郎", "ともろう", m},  // the last kanji 郎 in ENAMDICT
  };
  for (const auto& [writing, kana, sex] : names) {
    const std::vector<CandidateReading> all = readingsOf(writing);
    const CandidateReading* r = findReading(all, kana);
    EXPECT_EQ(r ? r->sex : 0, sex) << writing;
  }
  // Names the sources add to ENAMDICT's; people who bear names.
  EXPECT_EQ(readingsOf("湊斗").at(0).kana, "みなと");
  EXPECT_EQ(readingsOf("颯真").at(0).kana, "そうま");
  EXPECT_EQ(candidate("一郎").people, 79u);
  EXPECT_EQ(candidate("烏太朗").people, 0u);
}

// A reading pattern read plainly: kana with an optional '*' at either end.
bool matches(const std::string& pattern, const std::string& kana) {
  const bool head = pattern.front() == '*', tail = pattern.back() == '*';
  const std::string core = pattern.substr(head, pattern.size() - head - tail);
  if (head && tail) return kana.find(core) != std::string::npos;
  if (head) return kana.size() >= core.size() && kana.substr(kana.size() - core.size()) == core;
  return tail ? kana.rfind(core, 0) == 0 : kana == core;
}

// Every filter keeps what it says, as many as it finds today, in the order of
// the whole list (ties under a sex filter go by that sex's evidence), and
// shows the readings it says: the matched ones first.
TEST(Naming, FiltersKeepWhatTheySay) {
  const struct {
    SexFilter sex;
    int characters;
    double minScore;
    const char *reading, *reads, *with, *without;  // reads: the first reading shown
    std::size_t count;
  } cases[] = {
      {SexFilter::kFemale, 0, 0, "", "", "", "", 108182},
      {SexFilter::kMale, 3, 79.5, "", "", "", "", 2240},
      {SexFilter::kAny, 0, 0, "", "", "子花", "美陽", 119},
      {SexFilter::kAny, 0, 0, "ユイ", "ゆい", "", "", 170},
      {SexFilter::kAny, 0, 0, "ゆ*", "ゆ*", "", "", 7866},
      {SexFilter::kMale, 0, 0, "*と", "*と", "", "", 1609},
      // Kana trail bytes never equal a lead byte: no match across characters.
      {SexFilter::kAny, 0, 0, "*な*", "*な*", "", "", 14925},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    SuggestFilter filter = everything();
    std::tie(filter.sex, filter.characters, filter.minScore, filter.reading, filter.with,
             filter.without) =
        std::tie(c.sex, c.characters, c.minScore, c.reading, c.with, c.without);
    const unsigned sex = c.sex == SexFilter::kFemale ? kSexFemale
                         : c.sex == SexFilter::kMale ? kSexMale
                                                     : ~0u;
    const Suggestions got = suggestGivenNames("山田", filter);
    EXPECT_EQ(got.size(), c.count);
    for (std::size_t rank = 0; rank < got.size(); ++rank) {
      const Suggestion s = got[rank];
      const std::vector<CandidateReading> shown = got.readings(rank);
      ASSERT_TRUE(!shown.empty() && (!*c.reads || matches(c.reads, shown[0].kana))) << s.given;
      // Every reading shown is of the sex, or of none stated.
      for (const CandidateReading& r : shown) {
        ASSERT_TRUE((r.sex & sex) || r.sex == kSexUnstated) << s.given;
      }
      ASSERT_TRUE(!c.characters || characters(s.given).size() == std::size_t(c.characters));
      ASSERT_GE(tenths(s.score), c.minScore * 10) << s.given;
      const std::vector<std::string> cs = characters(s.given);
      const auto has = [&cs](const std::string& w) { return std::count(cs.begin(), cs.end(), w); };
      for (const std::string& w : characters(c.with)) ASSERT_GT(has(w), 0) << s.given;
      for (const std::string& w : characters(c.without)) ASSERT_EQ(has(w), 0) << s.given;
      if (filter.sex == SexFilter::kAny && rank > 0) {
        ASSERT_LT(rankOfWriting().at(got[rank - 1].given), rankOfWriting().at(s.given)) << s.given;
      }
    }
    filter.top = 7;
    std::vector<std::uint32_t> first = positions(got);
    first.resize(std::min<std::size_t>(first.size(), 7));
    EXPECT_EQ(positions(suggestGivenNames("山田", filter)), first);
  }
  // A girls' list hides the unstated readings of a name boys bear (薫 ただす).
  SuggestFilter kaoru;
  kaoru.sex = SexFilter::kFemale;
  kaoru.with = "薫";
  kaoru.characters = 1;
  std::string shown;
  for (const CandidateReading& r : suggestGivenNames("山田", kaoru).readings(0)) shown += r.kana;
  EXPECT_EQ(shown, "かおるかおりかほる");
}

TEST(Naming, SearchesParentsStartFrom) {
  // The avoided kanji keep these out, unless every kanji is asked for.
  for (const char* odd : {"烏太朗", "馨赦", "鵜舟"}) {
    SuggestFilter common, every = everything();
    common.with = every.with = odd;
    common.characters = every.characters = static_cast<int>(characters(odd).size());
    EXPECT_TRUE(suggestGivenNames("佐藤", common).empty()) << odd;
    const std::vector<std::uint32_t> back = positions(suggestGivenNames("佐藤", every));
    EXPECT_EQ(std::count(back.begin(), back.end(), candidate(odd).position), 1) << odd;
  }
  // A pattern no candidate reads, or no pattern at all, matches nothing.
  SuggestFilter filter;
  for (const char* reading : {"ゑゑゑ", "ＡＢ", "*", "ゆ**"}) {
    filter.reading = reading;
    EXPECT_TRUE(suggestGivenNames("佐藤", filter).empty()) << reading;
  }
  // Nor does a character no name holds.
  filter = everything();
  filter.with = "a";
  EXPECT_TRUE(suggestGivenNames("佐藤", filter).empty());
}

TEST(Naming, ChecksOfWhatUsersType) {
  for (const char* ok : {"ゆい", "ユイ", "ゆ*", "*と", "*な*", "ゆ＊", "＊と", "ヴぁ"}) {
    EXPECT_TRUE(isReadingPattern(ok)) << ok;
  }
  for (const char* bad : {"", "*", "**", "ゆ**", "ゆ*い", "abc", "由", "ゆ い"}) {
    EXPECT_FALSE(isReadingPattern(bad)) << bad;
  }
  EXPECT_FALSE(isReadingPattern(std::string("ゆ\0い", 5)));  // a NUL ends no reading
  double score = -1;
  const std::pair<const char*, double> scores[] = {{"", 0}, {"87.5", 87.5}, {"100", 100}};
  for (const auto& [text, value] : scores) {
    EXPECT_TRUE(parseMinScore(text, &score) && score == value) << text;
  }
  for (const char* bad : {"nan", "inf", "-1", "100.1", "1e2", " 5", "5 ", ".", "0x10", "5.5.5"}) {
    EXPECT_FALSE(parseMinScore(bad, &score)) << bad;
  }
  for (const char* none : {"", "  ", "abc", "髙", "Ｕ"}) EXPECT_FALSE(surnameCounts(none)) << none;
  EXPECT_FALSE(surnameCounts(nullptr));
}

}  // namespace
}  // namespace namori
