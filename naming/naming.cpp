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
#include <cstdlib>
#include <cstring>

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
constexpr std::uint8_t kAvoided = 8;         // has a kanji parents avoid
constexpr std::uint8_t kKeptForFemale = 16;  // a reading f, or unstated and none m
constexpr std::uint8_t kKeptForMale = 32;    // a reading m, or unstated and none f

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

struct Catalog {
  std::vector<std::uint32_t> writing;  // offset into kWritings
  std::vector<std::uint16_t> key;      // index into keys
  std::vector<std::uint8_t> characters;
  std::vector<std::uint8_t> flags;         // the sexes of all readings, kAvoided, kKeptFor...
  std::vector<std::uint32_t> runStart;     // per run of kMeasureRuns, its first candidate
  std::vector<std::uint16_t> peopleRank;   // per run: how many greater people counts
  std::vector<NameStrokes> keys;           // the given name's all and first only
  std::array<unsigned, 128> kanaOfCode{};  // packed byte -> Shift-JIS code, 0 if none
  std::size_t peopleRanks = 1;

  Catalog() {
    const std::uint32_t count = candidates::kCount;
    resize(count);
    // Keys by stroke sum and first strokes; sums above kTableStrokes, which
    // few names reach, are looked up among the keys. A small table stays in
    // the cache while the data, in people order, visits it at random.
    constexpr int kTableStrokes = 191;
    std::vector<std::uint16_t> keyOf((kTableStrokes + 1) * (kStrokeRows + 1), kNoKey);

    const char* w = candidates::kWritings;
    const char* const wEnd = w + candidates::kWritingsSize;
    const char* head = candidates::kHeads;
    std::uint32_t i = 0;
    for (; i < count && w < wEnd && *head; ++i, ++head) {
      writing[i] = static_cast<std::uint32_t>(w - candidates::kWritings);
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

      // The sexes of all readings; an unstated bit means a reading of no
      // stated sex, which each filter keeps unless the other sex is stated.
      const unsigned bits = static_cast<unsigned char>(*head) - candidates::kRecordHead;
      const unsigned sex = bits & 7;
      std::uint8_t f = bits & candidates::kRecordAvoided ? kAvoided : 0;
      if ((sex & kSexFemale) || ((sex & kSexUnstated) && !(sex & kSexMale))) f |= kKeptForFemale;
      if ((sex & kSexMale) || ((sex & kSexUnstated) && !(sex & kSexFemale))) f |= kKeptForMale;
      flags[i] = static_cast<std::uint8_t>(f | sex);
    }
    if (i < count) resize(i);  // data shorter than its count: keep what is whole

    // The runs of measures, in data order; people counts only fall. A last
    // run, of no measures, holds whatever candidates the runs leave.
    const std::size_t runs = candidates::kMeasureRunCount;
    runStart.resize(runs + 2);
    peopleRank.resize(runs + 1);
    std::uint32_t first = 0;
    for (std::size_t r = 0; r < runs; ++r) {
      if (r > 0 && candidates::kMeasureRuns[r][0] != candidates::kMeasureRuns[r - 1][0]) {
        ++peopleRanks;
      }
      peopleRank[r] = static_cast<std::uint16_t>(peopleRanks - 1);
      runStart[r] = std::min(first, i);
      first += candidates::kMeasureRuns[r][2];
    }
    peopleRank[runs] = static_cast<std::uint16_t>(peopleRanks++);
    runStart[runs] = std::min(first, i);
    runStart[runs + 1] = i;

    unsigned code = candidates::kFirstKanaCode;
    for (const char* k = candidates::kReadingKana; k[0] && k[1] && code < 128; k += 2, ++code) {
      while (code == '?' || code == '\\') ++code;
      kanaOfCode[code] = codeAt(k);
    }
  }

  void resize(std::uint32_t count) {
    writing.resize(count);
    key.resize(count);
    characters.resize(count);
    flags.resize(count);
  }

  // The record of readings of candidate i: the nearest record kRecordStarts
  // gives, then a few steps. An empty record if the data ends first.
  static const char* record(std::uint32_t i) {
    static const char kNone[] = {candidates::kReadingsEnd, '\0'};
    const std::uint32_t stride = candidates::kRecordStride;
    if (stride == 0 || i / stride >= candidates::kRecordStartCount) return kNone;
    const char* r = candidates::kReadings + candidates::kRecordStarts[i / stride];
    for (std::uint32_t n = i % stride; n > 0; --n) {
      r = nextRecord(r);
      if (!r) return kNone;
    }
    return r < candidates::kReadings + candidates::kReadingsSize ? r : kNone;
  }

  // The record after r, or null at the end of the data.
  static const char* nextRecord(const char* r) {
    const char* const end = candidates::kReadings + candidates::kReadingsSize;
    const void* found = std::memchr(r, candidates::kReadingsEnd, end - r);
    return found ? static_cast<const char*>(found) + 1 : nullptr;
  }

  // The run of measures that holds candidate i.
  std::size_t runOf(std::uint32_t i) const {
    return std::upper_bound(runStart.begin(), runStart.end() - 1, i) - runStart.begin() - 1;
  }
  std::uint32_t people(std::uint32_t i) const {
    const std::size_t r = runOf(i);
    return r < candidates::kMeasureRunCount ? candidates::kMeasureRuns[r][0] : 0;
  }
  // People as a sex filter counts them: only the persons whose given name
  // reads as a reading the filter shows.
  std::uint32_t people(std::uint32_t i, SexFilter sex) const {
    if (sex == SexFilter::kAny) return people(i);
    if (i >= candidates::kSexPeopleCount) return 0;
    return candidates::kSexPeople[i][sex == SexFilter::kFemale ? 0 : 1];
  }
  std::uint32_t familiarity(std::uint32_t i) const {
    const std::size_t r = runOf(i);
    return r < candidates::kMeasureRunCount ? candidates::kMeasureRuns[r][1] : 0;
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

  // False when no reading of candidate i holds the packed kana: a quick test
  // before the readings are taken apart (sex digits may match too).
  static bool mayHold(const char* record, char kana) {
    for (const char* p = record; *p != candidates::kReadingsEnd; ++p) {
      if (*p == kana) return true;
    }
    return false;
  }

  // Calls f(sex, counted, kana, length) for each reading of candidate i, in
  // code order, until f returns true; returns whether one did. sex is the
  // reading's tag; counted is the sex the filter counts, the one inferred
  // from the ending for a reading of unstated sex when the data gives one.
  template <typename F>
  static bool anyReading(const char* record, F f) {
    const char* p = record;
    if (*p == candidates::kReadingsEnd) return false;
    for (;;) {
      const unsigned digit = static_cast<unsigned>(*p++ - '0');
      const unsigned sex = digit & 7;
      const unsigned inferred = (digit >> candidates::kInferredShift) & (kSexFemale | kSexMale);
      const unsigned counted = sex == kSexUnstated && inferred ? inferred : sex;
      const char* end = p;
      while (*end != candidates::kReadingSeparator && *end != candidates::kReadingsEnd) ++end;
      if (f(sex, counted, p, static_cast<std::size_t>(end - p))) return true;
      if (*end == candidates::kReadingsEnd) return false;
      p = end + 1;
    }
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
};

const Catalog& catalog() {
  static const Catalog loaded;
  return loaded;
}

// The score in tenths as formatOneDecimal prints it (5.0 to 100.0).
int printedTenths(double score) {
  int tenths = 0;
  for (const char c : formatOneDecimal(score)) {
    if (c >= '0' && c <= '9') tenths = tenths * 10 + (c - '0');
  }
  return tenths;
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
  out.keyScore_.resize(cat.keys.size());
  std::vector<std::uint16_t> keyBucket(cat.keys.size());
  for (std::size_t k = 0; k < cat.keys.size(); ++k) {
    const double score = readGrades(gradesOf(out.surname_, cat.keys[k])).score.total;
    const int tenths = printedTenths(score);
    out.keyScore_[k] = score;
    const bool kept = tenths <= kBestTenths && tenths / 10.0 >= filter.minScore;
    keyBucket[k] = static_cast<std::uint16_t>(kept ? kBestTenths - tenths : kBuckets);
  }

  const std::uint8_t sexFlag = filter.sex == SexFilter::kFemale ? kKeptForFemale
                               : filter.sex == SexFilter::kMale ? kKeptForMale
                                                                : 0;
  const std::uint8_t leaveOut = static_cast<std::uint8_t>(filter.anyKanji ? 0 : kAvoided);
  const bool byPeople = filter.order == SuggestOrder::kPeople;
  const CharacterSet with(filter.with), without(filter.without);
  // Under a sex filter people counts only the persons of the readings shown;
  // the few candidates whose count so differs from the data order's are put
  // in place afterwards. In the people order the rank is the most people
  // less the candidate's.
  const bool sexPeople = filter.sex != SexFilter::kAny;
  const std::uint32_t mostPeople = cat.people(0);
  const std::size_t peopleRanks = sexPeople ? mostPeople + 1 : cat.peopleRanks;
  // The sort key: the bucket, or (people rank, bucket) for the people order.
  const std::uint32_t excluded =
      byPeople ? static_cast<std::uint32_t>(peopleRanks * kBuckets) : kBuckets;
  const std::uint32_t count = static_cast<std::uint32_t>(cat.key.size());
  std::vector<std::uint32_t> slotOf(count);
  std::vector<std::uint32_t> start(excluded + 1);
  std::vector<bool> moved(sexPeople ? excluded : 0);  // buckets with a candidate out of place
  bool anyMoved = false;
  std::size_t run = 0;                       // of the candidate, for the people order
  const char* next = candidates::kReadings;  // the record after, for the pattern
  for (std::uint32_t i = 0; i < count; ++i) {
    const char* const record = next;
    if (!pattern.any && record) next = Catalog::nextRecord(record);
    std::uint32_t b = keyBucket[cat.key[i]];
    const std::uint8_t f = cat.flags[i];
    if (b == kBuckets || (f & leaveOut) || (sexFlag && !(f & sexFlag)) ||
        (filter.characters != 0 && cat.characters[i] != filter.characters) ||
        (!with.empty() && !with.holdsAll(candidates::kWritings + cat.writing[i])) ||
        (!without.empty() && without.holdsAny(candidates::kWritings + cat.writing[i])) ||
        (!pattern.any &&
         (!record || !Catalog::mayHold(record, pattern.packed[0]) ||
          !Catalog::anyReading(record, [&](unsigned, unsigned sex, const char* p, std::size_t n) {
            return sexKeeps(filter.sex, sex, (cat.flags[i] & kSexBits)) && pattern.matches(p, n);
          })))) {
      b = excluded;
    } else if (sexPeople && i < candidates::kSexPeopleCount) {
      while (i >= cat.runStart[run + 1]) ++run;
      const std::uint32_t people = cat.people(i, filter.sex);
      if (byPeople) b += (mostPeople - std::min(people, mostPeople)) * kBuckets;
      if (run >= candidates::kMeasureRunCount || people != candidates::kMeasureRuns[run][0]) {
        moved[b] = anyMoved = true;
      }
    } else if (byPeople) {
      while (i >= cat.runStart[run + 1]) ++run;
      b += sexPeople ? mostPeople * kBuckets : cat.peopleRank[run] * kBuckets;
    }
    slotOf[i] = b;
    ++start[b];
  }
  std::uint32_t total = 0;
  for (std::uint32_t b = 0; b < excluded; ++b) {
    const std::uint32_t n = start[b];
    start[b] = total;
    total += n;
  }
  const std::uint32_t limit =
      filter.top != 0 && filter.top < total ? static_cast<std::uint32_t>(filter.top) : total;
  // With candidates to move every one is placed, then cut to the limit.
  const std::uint32_t placed = anyMoved ? total : limit;
  start[excluded] = placed;  // never placed
  out.order_.resize(placed);
  std::vector<std::uint32_t> bucketStart;
  if (anyMoved) bucketStart.assign(start.begin(), start.end() - 1);
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::uint32_t at = start[slotOf[i]]++;
    if (at < placed) out.order_[at] = i;
  }
  if (anyMoved) {
    // Within a bucket: people by sex, familiarity, then code order. The
    // candidates whose people by sex equals their data order's are in that
    // order already; the others are sorted and merged in.
    const auto before = [&cat, &filter](std::uint32_t a, std::uint32_t b) {
      const std::uint32_t pa = cat.people(a, filter.sex), pb = cat.people(b, filter.sex);
      if (pa != pb) return pa > pb;
      const std::uint32_t fa = cat.familiarity(a), fb = cat.familiarity(b);
      if (fa != fb) return fa > fb;
      return std::strcmp(candidates::kWritings + cat.writing[a],
                         candidates::kWritings + cat.writing[b]) < 0;
    };
    const auto inPlace = [&cat, &filter](std::uint32_t i) {
      return cat.people(i, filter.sex) == cat.people(i);
    };
    std::vector<std::uint32_t> stay, move;
    for (std::uint32_t b = 0; b < excluded && bucketStart[b] < limit; ++b) {
      if (!moved[b]) continue;
      stay.clear();
      move.clear();
      const auto first = out.order_.begin() + bucketStart[b];
      const auto last = out.order_.begin() + start[b];
      for (auto it = first; it != last; ++it) (inPlace(*it) ? stay : move).push_back(*it);
      std::sort(move.begin(), move.end(), before);
      std::merge(stay.begin(), stay.end(), move.begin(), move.end(), first, before);
    }
    out.order_.resize(limit);
  }
  return out;
}

Suggestion Suggestions::operator[](std::size_t rank) const {
  const Catalog& cat = catalog();
  const std::uint32_t i = order_[rank];
  Suggestion s;
  s.given = candidates::kWritings + cat.writing[i];
  s.sex = 0;
  Catalog::anyReading(Catalog::record(i),
                      [&](unsigned sex, unsigned counted, const char*, std::size_t) {
                        if (sexKeeps(filter_.sex, counted, (cat.flags[i] & kSexBits))) s.sex |= sex;
                        return false;
                      });
  s.grades = gradesOf(surname_, cat.keys[cat.key[i]]);
  s.score = keyScore_[cat.key[i]];
  s.position = i;
  s.people = cat.people(i, filter_.sex);
  s.familiarity = cat.familiarity(i);
  return s;
}

std::vector<CandidateReading> Suggestions::readings(std::size_t rank) const {
  const Catalog& cat = catalog();
  const std::uint32_t i = order_[rank];
  const Pattern pattern = cat.pattern(filter_.reading);
  std::vector<CandidateReading> matched, others;
  Catalog::anyReading(Catalog::record(i),
                      [&](unsigned sex, unsigned counted, const char* p, std::size_t n) {
                        if (sexKeeps(filter_.sex, counted, (cat.flags[i] & kSexBits))) {
                          (pattern.any || pattern.matches(p, n) ? matched : others)
                              .push_back({cat.kana(p, n), sex, counted});
                        }
                        return false;
                      });
  matched.insert(matched.end(), others.begin(), others.end());
  return matched;
}

std::size_t Suggestions::matchedReadings(std::size_t rank) const {
  const Catalog& cat = catalog();
  const std::uint32_t i = order_[rank];
  const Pattern pattern = cat.pattern(filter_.reading);
  if (pattern.any) return 0;
  std::size_t n = 0;
  Catalog::anyReading(Catalog::record(i), [&](unsigned, unsigned counted, const char* p,
                                              std::size_t length) {
    n += sexKeeps(filter_.sex, counted, (cat.flags[i] & kSexBits)) && pattern.matches(p, length);
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
  wider.reading += '*';
  if (!filter.reading.empty() && filter.reading.find('*') == std::string::npos && finds(wider)) {
    return EmptyListHint::kReadingPrefix;
  }
  return EmptyListHint::kNone;
}

std::vector<CandidateReading> candidateReadings(std::uint32_t position) {
  const Catalog& cat = catalog();
  std::vector<CandidateReading> out;
  if (position >= cat.key.size()) return out;
  Catalog::anyReading(Catalog::record(position),
                      [&](unsigned sex, unsigned counted, const char* p, std::size_t n) {
                        out.push_back({cat.kana(p, n), sex, counted});
                        return false;
                      });
  return out;
}

std::size_t candidateCount() {
  return catalog().key.size();
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
