// Ranking the given-name candidates for a surname.
//
// For a fixed surname a candidate's five grades depend only on its stroke sum
// and the strokes of its first character, its "stroke key". The data is
// walked once, at first use, to find each candidate's key; a ranking then
// scores each distinct key once and places the candidates by a counting sort
// on the printed score, which keeps data order within equal scores. The data
// comes ordered by people, then familiarity, then code, so those are the
// tie-breaks. The people-first order is a counting sort on (people, score).
#include "naming.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <tuple>

#include "candidates_data.h"
#include "kana.h"

namespace namori {

namespace {

// The name dialog's 34 bytes: at most 17 characters of at most 30 strokes.
constexpr int kMaxGivenStrokes = 17 * kStrokeRows;
constexpr int kBestTenths = 1000;          // a score of 100.0
constexpr int kBuckets = kBestTenths + 1;  // printed scores 100.0 down to 0.0
constexpr std::uint16_t kNoKey = 0xFFFF;

// Candidate flags worked out at load, beside the NameSexTag bits of all its
// readings (the low three bits).
constexpr std::uint8_t kSexBits = 7;
constexpr std::uint8_t kAvoided = 8;  // has a kanji parents avoid
// Then a bit for each list (no filter, --sex f, --sex m) that shows a reading
// of the candidate while readings neither known nor plain are hidden.
constexpr unsigned kShownShift = 4;

unsigned codeAt(const char* p) {
  return static_cast<unsigned char>(p[0]) << 8 | static_cast<unsigned char>(p[1]);
}

// Is the sex of a reading (its NameSexTag bits) kept by the filter, for a
// writing whose readings together have the bits `all`?
bool sexKeeps(SexFilter filter, unsigned reading, unsigned all) {
  switch (filter) {
    case SexFilter::kFemale:
      return (reading & kSexFemale) || (reading == kSexUnstated && !(all & kSexMale));
    case SexFilter::kMale:
      return (reading & kSexMale) || (reading == kSexUnstated && !(all & kSexFemale));
    case SexFilter::kAny:
      break;
  }
  return true;
}

// A reading pattern in packed form: kana bytes and where they may sit.
struct Pattern {
  bool any = true;  // no pattern: every reading matches
  bool valid = true;
  bool openStart = false;  // *…: anything may come before
  bool openEnd = false;    // …*: anything may come after
  bool packable = true;    // every kana has a packed form; else nothing matches
  std::string packed;

  bool matches(const char* p, std::size_t n) const {
    if (any) return true;
    const std::size_t k = packed.size();
    if (!packable || n < k) return false;
    if (!openStart) return (openEnd || n == k) && equalAt(p);
    if (!openEnd) return equalAt(p + n - k);
    for (const char* last = p + n - k; p <= last; ++p) {
      if (equalAt(p)) return true;
    }
    return false;
  }

  // Readings are a few bytes: a plain loop beats a call to memcmp.
  bool equalAt(const char* p) const {
    for (std::size_t i = 0; i < packed.size(); ++i) {
      if (p[i] != packed[i]) return false;
    }
    return true;
  }
};

// The characters of a --with or --without list. Lists are short: a linear
// look-up beats a table the size of the code space, which misses the cache.
class CharacterSet {
 public:
  explicit CharacterSet(const std::string& sjis) {
    for (const char* c = sjis.c_str(); *c; c += charLength(c)) {
      if (charLength(c) != 2) {
        unmatchable_ = true;  // every writing is double-byte
        continue;
      }
      const unsigned code = codeAt(c);
      if (std::find(codes_.begin(), codes_.end(), code) != codes_.end()) continue;
      // More than 64 characters: more than a writing of 17 can hold all of.
      if (codes_.size() == 64) unmatchable_ = true;
      codes_.push_back(code);
    }
    listed_ = !sjis.empty();
    all_ = codes_.size() >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << codes_.size()) - 1;
  }

  bool empty() const { return !listed_; }

  bool holdsAll(const char* writing) const {
    return !unmatchable_ && (found(writing) & all_) == all_;
  }
  bool holdsAny(const char* writing) const { return found(writing) != 0; }

 private:
  // Bit j for each listed character j the writing holds (the 64th and later
  // share the last bit).
  std::uint64_t found(const char* writing) const {
    std::uint64_t bits = 0;
    for (const char* c = writing; *c; c += charLength(c)) {
      if (charLength(c) != 2) continue;
      const unsigned code = codeAt(c);
      for (std::size_t j = 0; j < codes_.size(); ++j) {
        if (codes_[j] == code) bits |= std::uint64_t{1} << (j < 64 ? j : 63);
      }
    }
    return bits;
  }

  std::vector<unsigned> codes_;
  std::uint64_t all_ = 0;
  bool listed_ = false;
  bool unmatchable_ = false;
};

// Of two places in the rankings, the one of the later year, or the better
// rank in the same year; an unranked one (rank 0) never.
NameRank later(const NameRank& a, const NameRank& b) {
  if (!b.rank) return a;
  if (!a.rank) return b;
  return b.year > a.year || (b.year == a.year && b.rank < a.rank) ? b : a;
}

// One reading of a record, unpacked.
struct PackedReading {
  unsigned sex = 0;  // as the lists count it
  unsigned tag = 0;  // ENAMDICT's
  unsigned evidence = 0;
  unsigned gimei = 0;
  unsigned people = 0;
  NameRank girls, boys;
  const char* kana = nullptr;
  std::size_t length = 0;

  bool known() const {
    return evidence &
           (candidates::kGimei | candidates::kRankedF | candidates::kRankedM | candidates::kBorne);
  }
  bool shown() const { return known() || (evidence & candidates::kPlain); }
  // The latest ranking among the sexes asked (both with kSexFemale | kSexMale).
  NameRank rank(unsigned sexes) const {
    NameRank best;
    if (sexes & kSexFemale) best = later(best, girls);
    if (sexes & kSexMale) best = later(best, boys);
    return best;
  }
};

// The sexes a list counts: both with no sex filter.
unsigned listSexes(SexFilter sex) {
  return sex == SexFilter::kFemale ? kSexFemale
         : sex == SexFilter::kMale ? kSexMale
                                   : kSexFemale | kSexMale;
}
int listIndex(SexFilter sex) {
  return sex == SexFilter::kFemale ? 1 : sex == SexFilter::kMale ? 2 : 0;
}

struct Catalog {
  std::vector<std::uint32_t> writing;  // offset into kWritings
  std::vector<std::uint32_t> record;   // offset into kReadings
  std::vector<std::uint16_t> key;      // index into keys
  std::vector<std::uint8_t> characters;
  std::vector<std::uint8_t> flags;         // the sexes of all readings, kAvoided, kShownIn...
  std::vector<std::uint32_t> runStart;     // per run of kFamiliarityRuns, its first candidate
  std::vector<NameStrokes> keys;           // the given name's all and first only
  std::array<unsigned, 128> kanaOfCode{};  // packed byte -> Shift-JIS code, 0 if none
  std::array<int, 128> digitOfCode{};      // packed byte -> its value as a digit

  Catalog() {
    const std::uint32_t count = candidates::kCount;
    resize(count);
    // Keys by stroke sum and first strokes; sums above kTableStrokes, which
    // few names reach, are looked up among the keys. A small table stays in
    // the cache while the data visits it at random.
    constexpr int kTableStrokes = 191;
    std::vector<std::uint16_t> keyOf((kTableStrokes + 1) * (kStrokeRows + 1), kNoKey);

    const char* w = candidates::kWritings;
    const char* const wEnd = w + candidates::kWritingsSize;
    const char* head = candidates::kHeads;
    const char* r = candidates::kReadings;
    std::uint32_t i = 0;
    for (; i < count && w < wEnd && head[0] && head[1] && r; ++i, head += 2) {
      writing[i] = static_cast<std::uint32_t>(w - candidates::kWritings);
      record[i] = static_cast<std::uint32_t>(r - candidates::kReadings);
      r = nextRecord(r);
      const NameStrokes given = countNameStrokes(w);
      // Above the limit never happens for names of 34 bytes.
      const int all = given.all < kMaxGivenStrokes ? given.all : kMaxGivenStrokes;
      std::uint16_t k = kNoKey;
      if (all <= kTableStrokes) {
        k = keyOf[all * (kStrokeRows + 1) + given.first];
      } else {
        for (std::size_t j = 0; j < keys.size() && k == kNoKey; ++j) {
          if (keys[j].all == all && keys[j].first == given.first) k = static_cast<std::uint16_t>(j);
        }
      }
      if (k == kNoKey) {
        k = static_cast<std::uint16_t>(keys.size());
        keys.push_back({all, given.first});
        if (all <= kTableStrokes) keyOf[all * (kStrokeRows + 1) + given.first] = k;
      }
      key[i] = k;
      characters[i] = static_cast<std::uint8_t>(given.characters);
      w += given.bytes + 1;
      const unsigned bits = static_cast<unsigned char>(head[0]) - candidates::kRecordHead;
      const unsigned shownIn = (static_cast<unsigned char>(head[1]) - candidates::kRecordHead) & 7;
      flags[i] = static_cast<std::uint8_t>((bits & (kSexBits | candidates::kRecordAvoided)) |
                                           shownIn << kShownShift);
    }
    if (i < count) resize(i);  // data shorter than its count: keep what is whole

    runStart.resize(candidates::kFamiliarityRunCount + 1);
    std::uint32_t first = 0;
    for (std::size_t run = 0; run < candidates::kFamiliarityRunCount; ++run) {
      runStart[run] = std::min(first, i);
      first += candidates::kFamiliarityRuns[run][1];
    }
    runStart.back() = i;

    unsigned code = candidates::kFirstKanaCode;
    int digit = 0;
    for (const char* k = candidates::kReadingKana; code < 128; ++code) {
      if (code == '?' || code == '\\') continue;
      digitOfCode[code] = digit++;
      if (k[0] && k[1]) {
        kanaOfCode[code] = codeAt(k);
        k += 2;
      }
    }
  }

  void resize(std::uint32_t count) {
    writing.resize(count);
    record.resize(count);
    key.resize(count);
    characters.resize(count);
    flags.resize(count);
  }

  std::uint32_t size() const { return static_cast<std::uint32_t>(key.size()); }

  const char* recordOf(std::uint32_t i) const { return candidates::kReadings + record[i]; }

  // The record after r, or null at the end of the data.
  static const char* nextRecord(const char* r) {
    const char* const end = candidates::kReadings + candidates::kReadingsSize;
    if (r >= end) return nullptr;
    const void* found = std::memchr(r, candidates::kReadingsEnd, end - r);
    return found ? static_cast<const char*>(found) + 1 : nullptr;
  }

  std::uint32_t familiarity(std::uint32_t i) const {
    const std::size_t run =
        std::upper_bound(runStart.begin(), runStart.end() - 1, i) - runStart.begin() - 1;
    return run < candidates::kFamiliarityRunCount ? candidates::kFamiliarityRuns[run][0] : 0;
  }
  static std::uint32_t people(std::uint32_t i, SexFilter sex) {
    return i < candidates::kKnownCount ? candidates::kListPeople[i][listIndex(sex)] : 0;
  }

  // A Shift-JIS pattern as isReadingPattern takes it, in packed form: the
  // kana in their stored form (normalizeKana), '*' (or ＊) at either end.
  Pattern pattern(const std::string& text) const {
    Pattern out;
    if (text.empty()) return out;
    out.any = false;
    std::string kana(text);
    const auto starAt = [&kana](std::size_t at) -> std::size_t {
      if (at < kana.size() && kana[at] == '*') return 1;
      if (at + 1 < kana.size() && codeAt(kana.c_str() + at) == 0x8196) return 2;  // ＊
      return 0;
    };
    if (const std::size_t n = starAt(0)) {
      out.openStart = true;
      kana.erase(0, n);
    }
    if (!kana.empty() && kana.back() == '*') {
      out.openEnd = true;
      kana.pop_back();
    } else if (kana.size() >= 2 && starAt(kana.size() - 2) == 2) {
      out.openEnd = true;
      kana.resize(kana.size() - 2);
    }
    std::string stored;
    if (kana.empty() || !normalizeKana(kana, &stored)) {
      out.valid = false;
      return out;
    }
    for (std::size_t at = 0; at < stored.size(); at += 2) {
      const unsigned c = codeAt(stored.c_str() + at);
      unsigned b = 0;
      while (b < kanaOfCode.size() && kanaOfCode[b] != c) ++b;
      if (b == kanaOfCode.size()) out.packable = false;  // no candidate reads so
      out.packed += static_cast<char>(b);
    }
    return out;
  }

  // False when no reading of the record holds the packed kana: a quick test
  // before the readings are taken apart (other bytes may match too).
  static bool mayHold(const char* record, char kana) {
    for (const char* p = record; *p != candidates::kReadingsEnd; ++p) {
      if (*p == kana) return true;
    }
    return false;
  }

  // `digits` packed digits at p as a number.
  unsigned number(const char*& p, int digits) const {
    unsigned n = 0;
    while (digits-- > 0 && *p != candidates::kReadingSeparator && *p != candidates::kReadingsEnd) {
      n = n * candidates::kPackedBase + static_cast<unsigned>(digitOfCode[*p++ & 0x7F]);
    }
    return n;
  }

  // Calls f(reading) for each reading of a record, best known first, until
  // f returns true; returns whether one did.
  template <typename F>
  bool anyReading(const char* record, F f) const {
    const char* p = record;
    while (*p != candidates::kReadingsEnd) {
      PackedReading r;
      const unsigned sexes = static_cast<unsigned>(*p++ - '0');
      r.sex = sexes & kSexBits;
      r.tag = sexes >> 3;
      if (*p == candidates::kReadingSeparator || *p == candidates::kReadingsEnd) break;
      r.evidence = static_cast<unsigned>(static_cast<unsigned char>(*p++) - candidates::kEvidence);
      if (r.evidence & candidates::kGimei) r.gimei = static_cast<unsigned>(*p++ - '0') & kSexBits;
      for (NameRank* rank : {&r.girls, &r.boys}) {
        if (r.evidence & (rank == &r.girls ? candidates::kRankedF : candidates::kRankedM)) {
          rank->rank = static_cast<int>(number(p, 2));
          rank->year = candidates::kFirstYear + static_cast<int>(number(p, 1));
        }
      }
      if (r.evidence & candidates::kBorne) r.people = number(p, 2);
      const char* end = p;
      while (*end != candidates::kReadingSeparator && *end != candidates::kReadingsEnd) ++end;
      r.kana = p;
      r.length = static_cast<std::size_t>(end - p);
      if (f(r)) return true;
      if (*end == candidates::kReadingsEnd) return false;
      p = end + 1;
    }
    return false;
  }

  std::string kana(const char* p, std::size_t n) const {
    std::string out;
    for (std::size_t at = 0; at < n; ++at) {
      const unsigned code = kanaOfCode[static_cast<unsigned char>(p[at]) & 0x7F];
      out += static_cast<char>(code >> 8);
      out += static_cast<char>(code & 0xFF);
    }
    return out;
  }

  CandidateReading unpack(const PackedReading& r) const {
    CandidateReading out;
    out.kana = kana(r.kana, r.length);
    out.sex = r.sex;
    out.enamdict = r.tag;
    out.girls = r.girls;
    out.boys = r.boys;
    out.gimei = r.gimei;
    out.people = r.people;
    out.plain = (r.evidence & candidates::kPlain) != 0;
    return out;
  }
};

const Catalog& catalog() {
  static const Catalog loaded;
  return loaded;
}

// Does a list show a reading: kept by its sex filter and, unless every
// reading is asked for, known or plain?
bool shows(const SuggestFilter& filter, const PackedReading& r, std::uint8_t flags) {
  return sexKeeps(filter.sex, r.sex, flags & kSexBits) && (filter.allReadings || r.shown());
}

// The score in tenths as formatOneDecimal prints it (5.0 to 100.0).
int printedTenths(double score) {
  const std::uint64_t tenths = score >= 0 ? roundedTenths(score) : UINT64_MAX;
  return tenths > kBestTenths ? kBestTenths + 1 : static_cast<int>(tenths);
}

}  // namespace

namespace {

// Does the sex filter keep some reading of a candidate whose readings have
// the sexes `all`, every reading counted?
bool keepsAny(SexFilter filter, unsigned all) {
  if (filter == SexFilter::kAny) return true;
  const unsigned sex = listSexes(filter), other = (kSexFemale | kSexMale) & ~sex;
  return (all & sex) || ((all & kSexUnstated) && !(all & other));
}

// Calls f(candidate, group) for the candidates a filter's scope holds, in the
// list's order of evidence: group numbers the runs of equal evidence (rank,
// gimei, people); the candidates without any share the last group.
template <typename F>
void visitScope(const Catalog& cat, const SuggestFilter& filter, F f) {
  const candidates::SexList& list = candidates::kLists[listIndex(filter.sex)];
  const std::uint32_t count = cat.size();
  const std::uint32_t known = std::min(candidates::kKnownCount, count);
  const std::uint32_t scoped =
      std::min(filter.names == NameScope::kCommon ? list.common : list.size, list.size);
  const std::uint16_t lastGroup = static_cast<std::uint16_t>(list.groupRunCount);
  std::uint16_t group = 0;
  std::uint32_t left = list.groupRunCount ? list.groupRuns[0] : 0;
  for (std::uint32_t n = 0; n < scoped; ++n) {
    while (left == 0 && group < lastGroup) left = ++group < lastGroup ? list.groupRuns[group] : ~0u;
    --left;
    const std::uint32_t i = list.order ? list.order[n] : n;
    if (i < count) f(i, group);
  }
  if (filter.names != NameScope::kAll) return;
  std::uint32_t late = 0;
  for (std::uint32_t i = list.order ? known : list.size; i < count; ++i) {
    for (; late < list.lateSize && list.lateBefore[late] <= i; ++late) {
      if (list.late[late] < count) f(list.late[late], lastGroup);
    }
    f(i, lastGroup);
  }
  for (; late < list.lateSize; ++late) {
    if (list.late[late] < count) f(list.late[late], lastGroup);
  }
}

// Stable counting sort of `items` by key(item) < keys.
template <typename Key>
void countingSort(std::vector<std::uint32_t>& items, std::size_t keys, Key key) {
  std::vector<std::uint32_t> start(keys + 1);
  for (const std::uint32_t item : items) ++start[key(item) + 1];
  for (std::size_t k = 1; k <= keys; ++k) start[k] += start[k - 1];
  std::vector<std::uint32_t> sorted(items.size());
  for (const std::uint32_t item : items) sorted[start[key(item)]++] = item;
  items.swap(sorted);
}

}  // namespace

Suggestions suggestGivenNames(const char* surname, const SuggestFilter& filter) {
  const Catalog& cat = catalog();
  Suggestions out;
  out.surname_ = countNameStrokes(surname ? surname : "");
  out.filter_ = filter;

  const Pattern pattern = cat.pattern(filter.reading);
  if (!pattern.valid || !pattern.packable) return out;

  // Bucket b holds the printed score kBestTenths - b; kBuckets: left out.
  // A key is scored when a candidate of the scope first has it.
  constexpr std::uint16_t kUnscored = kBuckets + 1;
  out.keyScore_.resize(cat.keys.size());
  std::vector<std::uint16_t> keyBucket(cat.keys.size(), kUnscored);
  const auto bucketOf = [&](std::uint16_t k) {
    if (keyBucket[k] == kUnscored) {
      const double score = readGrades(gradesOf(out.surname_, cat.keys[k])).score.total;
      const int tenths = printedTenths(score);
      out.keyScore_[k] = score;
      const bool kept = tenths <= kBestTenths && tenths / 10.0 >= filter.minScore;
      keyBucket[k] = static_cast<std::uint16_t>(kept ? kBestTenths - tenths : kBuckets);
    }
    return keyBucket[k];
  };

  const std::uint8_t leaveOut = static_cast<std::uint8_t>(filter.anyKanji ? 0 : kAvoided);
  const std::uint8_t shownFlag = static_cast<std::uint8_t>(
      filter.allReadings ? 0 : 1u << (kShownShift + listIndex(filter.sex)));
  const CharacterSet with(filter.with), without(filter.without);
  // The candidates kept, in the list's order, with the group of each for the
  // popular order.
  std::vector<std::uint32_t> kept;
  // Read only where written: kept per thread, so that a ranking does not
  // clear a table of every candidate.
  thread_local std::vector<std::uint16_t> groupOf;
  const bool byGroup = filter.order == SuggestOrder::kPopular;
  if (byGroup && groupOf.size() < cat.size()) groupOf.resize(cat.size());
  std::uint16_t groups = 0;
  visitScope(cat, filter, [&](std::uint32_t i, std::uint16_t group) {
    const std::uint8_t f = cat.flags[i];
    if (bucketOf(cat.key[i]) == kBuckets || (f & leaveOut) || (shownFlag && !(f & shownFlag)) ||
        !keepsAny(filter.sex, f & kSexBits) ||
        (filter.characters != 0 && cat.characters[i] != filter.characters) ||
        (!with.empty() && !with.holdsAll(candidates::kWritings + cat.writing[i])) ||
        (!without.empty() && without.holdsAny(candidates::kWritings + cat.writing[i]))) {
      return;
    }
    if (!pattern.any) {
      const char* record = cat.recordOf(i);
      if (!Catalog::mayHold(record, pattern.packed[0]) ||
          !cat.anyReading(record, [&](const PackedReading& r) {
            return shows(filter, r, f) && pattern.matches(r.kana, r.length);
          })) {
        return;
      }
    }
    kept.push_back(i);
    if (byGroup) {
      groupOf[i] = group;
      groups = std::max<std::uint16_t>(groups, group);
    }
  });

  // The score first (stable, so the list's order breaks ties), then, for the
  // other orders, their first key.
  countingSort(kept, kBuckets, [&](std::uint32_t i) { return keyBucket[cat.key[i]]; });
  if (filter.order == SuggestOrder::kPeople) {
    constexpr std::uint32_t kMostPeople = 255;
    countingSort(kept, kMostPeople + 1, [&](std::uint32_t i) {
      return kMostPeople - std::min(Catalog::people(i, filter.sex), kMostPeople);
    });
  } else if (byGroup) {
    countingSort(kept, std::size_t{groups} + 1, [&](std::uint32_t i) { return groupOf[i]; });
  }
  if (filter.top != 0 && filter.top < kept.size()) kept.resize(filter.top);
  out.order_ = std::move(kept);
  return out;
}

Suggestion Suggestions::operator[](std::size_t rank) const {
  const Catalog& cat = catalog();
  const std::uint32_t i = order_[rank];
  const unsigned sexes = listSexes(filter_.sex);
  Suggestion s{};
  s.given = candidates::kWritings + cat.writing[i];
  cat.anyReading(cat.recordOf(i), [&](const PackedReading& r) {
    if (!shows(filter_, r, cat.flags[i])) return false;
    s.sex |= r.sex;
    s.rank = later(s.rank, r.rank(sexes));
    s.gimei = s.gimei || (r.gimei & sexes);
    return false;
  });
  s.grades = gradesOf(surname_, cat.keys[cat.key[i]]);
  s.score = keyScore_[cat.key[i]];
  s.position = i;
  s.people = Catalog::people(i, filter_.sex);
  s.familiarity = cat.familiarity(i);
  return s;
}

std::vector<CandidateReading> Suggestions::readings(std::size_t rank) const {
  const Catalog& cat = catalog();
  const std::uint32_t i = order_[rank];
  const Pattern pattern = cat.pattern(filter_.reading);
  const unsigned sexes = listSexes(filter_.sex);
  struct Shown {
    bool unmatched;
    int year;  // less the latest year ranked
    int rank;
    unsigned people;
    bool notGimei, notPlain;
    std::size_t at;
  };
  std::vector<Shown> keys;
  std::vector<CandidateReading> shown;
  cat.anyReading(cat.recordOf(i), [&](const PackedReading& r) {
    if (shows(filter_, r, cat.flags[i])) {
      const NameRank best = r.rank(sexes);
      keys.push_back({!(pattern.any || pattern.matches(r.kana, r.length)), -best.year, best.rank,
                      r.people, !(r.gimei & sexes), !(r.evidence & candidates::kPlain),
                      shown.size()});
      shown.push_back(cat.unpack(r));
    }
    return false;
  });
  // The record is in order for both sexes; a sex's own ranks and gimei may
  // reorder it.
  std::stable_sort(keys.begin(), keys.end(), [](const Shown& a, const Shown& b) {
    return std::make_tuple(a.unmatched, a.year, a.rank, -static_cast<long>(a.people), a.notGimei,
                           a.notPlain) < std::make_tuple(b.unmatched, b.year, b.rank,
                                                         -static_cast<long>(b.people), b.notGimei,
                                                         b.notPlain);
  });
  std::vector<CandidateReading> out;
  for (const Shown& k : keys) out.push_back(shown[k.at]);
  return out;
}

std::size_t Suggestions::matchedReadings(std::size_t rank) const {
  const Catalog& cat = catalog();
  const std::uint32_t i = order_[rank];
  const Pattern pattern = cat.pattern(filter_.reading);
  if (pattern.any) return 0;
  std::size_t n = 0;
  cat.anyReading(cat.recordOf(i), [&](const PackedReading& r) {
    n += shows(filter_, r, cat.flags[i]) && pattern.matches(r.kana, r.length);
    return false;
  });
  return n;
}

EmptyListHint emptyListHint(const char* surname, const SuggestFilter& filter) {
  const auto finds = [surname](SuggestFilter wider) {
    wider.top = 1;
    return !suggestGivenNames(surname, wider).empty();
  };
  if (finds(filter)) return EmptyListHint::kNone;
  SuggestFilter wider = filter;
  wider.anyKanji = true;
  if (!filter.anyKanji && finds(wider)) return EmptyListHint::kAnyKanji;
  wider = filter;
  wider.names = NameScope::kAll;
  wider.allReadings = true;
  if (filter.names != NameScope::kAll || !filter.allReadings) {
    if (finds(wider)) return EmptyListHint::kAllNames;
    wider.anyKanji = true;
    if (!filter.anyKanji && finds(wider)) return EmptyListHint::kAllNamesAnyKanji;
  }
  wider = filter;
  wider.reading += '*';
  if (!filter.reading.empty() && filter.reading.find('*') == std::string::npos && finds(wider)) {
    return EmptyListHint::kReadingPrefix;
  }
  return EmptyListHint::kNone;
}

std::size_t candidateCount() {
  return catalog().size();
}

bool isReadingPattern(const std::string& sjis) {
  return catalog().pattern(sjis).valid && !sjis.empty();
}

bool parseMinScore(const std::string& text, double* minScore) {
  if (text.empty()) {
    *minScore = 0;
    return true;
  }
  // Digits with at most one decimal point: no sign, exponent, spaces, nan or
  // inf, which strtod would take.
  bool digit = false, point = false;
  for (const char c : text) {
    if (c >= '0' && c <= '9') {
      digit = true;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  if (!digit) return false;
  const double value = std::strtod(text.c_str(), nullptr);
  if (!(value >= 0 && value <= 100)) return false;
  *minScore = value;
  return true;
}

bool surnameCounts(const char* surname) {
  return surname && countNameStrokes(surname).all > 0;
}

}  // namespace namori
