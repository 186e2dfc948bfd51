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

#include <array>
#include <cstdlib>
#include <cstring>

#include "candidates_data.h"

namespace namori {

namespace {

// The name dialog's 34 bytes: at most 17 characters of at most 30 strokes.
constexpr int kMaxGivenStrokes = 17 * kStrokeRows;
constexpr int kBestTenths = 1000;          // a score of 100.0
constexpr int kBuckets = kBestTenths + 1;  // printed scores 100.0 down to 0.0
constexpr std::uint16_t kNoKey = 0xFFFF;

// Candidate flags worked out at load.
constexpr std::uint8_t kKeptForFemale = 1;  // a reading f, or unstated and none m
constexpr std::uint8_t kKeptForMale = 2;    // a reading m, or unstated and none f
constexpr std::uint8_t kAvoided = 4;        // has a kanji parents avoid

unsigned codeAt(const char* p) {
  return static_cast<unsigned char>(p[0]) << 8 | static_cast<unsigned char>(p[1]);
}

bool isHiragana(unsigned c) {
  return c >= 0x829F && c <= 0x82F1;
}
bool isKatakana(unsigned c) {
  return c >= 0x8340 && c <= 0x8396 && c != 0x837F;
}

// A kana a reading may hold: hiragana, katakana, ー and the kana repeat marks.
bool isReadingKana(unsigned c) {
  return isHiragana(c) || isKatakana(c) || c == 0x815B || (c >= 0x8152 && c <= 0x8155);
}

// The stored form of a kana: katakana as hiragana, ヽ ヾ as ゝ ゞ; ヴ ヵ ヶ,
// which have no hiragana in code page 932, stay.
unsigned storedKana(unsigned c) {
  if (isKatakana(c) && c <= 0x8393) return 0x829F + (c - 0x8340) - (c > 0x837F);
  if (c == 0x8152 || c == 0x8153) return c + 2;
  return c;
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
    if (!packable || n < packed.size()) return false;
    const std::size_t k = packed.size();
    if (!openStart && !openEnd) return n == k && std::memcmp(p, packed.data(), k) == 0;
    if (!openStart) return std::memcmp(p, packed.data(), k) == 0;
    if (!openEnd) return std::memcmp(p + n - k, packed.data(), k) == 0;
    for (std::size_t at = 0; at + k <= n; ++at) {
      if (std::memcmp(p + at, packed.data(), k) == 0) return true;
    }
    return false;
  }
};

struct Catalog {
  std::vector<std::uint32_t> writing;   // offset into kWritings
  std::vector<std::uint32_t> readings;  // offset of the record in kReadings
  std::vector<std::uint16_t> key;       // index into keys
  std::vector<std::uint8_t> characters;
  std::vector<std::uint8_t> flags;       // kKeptForFemale, kKeptForMale, kAvoided
  std::vector<std::uint8_t> sexes;       // NameSexTag bits of all readings
  std::vector<std::uint16_t> peopleRun;  // index into candidates::kPeopleRuns
  std::vector<std::uint32_t> familiarity;
  std::vector<NameStrokes> keys;           // the given name's all and first only
  std::array<unsigned, 128> kanaOfCode{};  // packed byte -> Shift-JIS code, 0 if none
  std::size_t peopleRuns = 0;

  Catalog() {
    const std::uint32_t count = candidates::kCount;
    resize(count);
    std::vector<std::uint16_t> keyOf((kMaxGivenStrokes + 1) * (kStrokeRows + 1), kNoKey);
    std::vector<std::uint32_t> containing(0x10000);  // writings per character

    const char* w = candidates::kWritings;
    const char* const wEnd = w + candidates::kWritingsSize;
    const char* r = candidates::kReadings;
    const char* const rEnd = r + candidates::kReadingsSize;
    std::uint32_t i = 0;
    for (; i < count && w < wEnd && r + 1 < rEnd; ++i) {
      writing[i] = static_cast<std::uint32_t>(w - candidates::kWritings);
      const NameStrokes given = countNameStrokes(w);
      // Above the limit never happens for names of 34 bytes.
      const int all = given.all < kMaxGivenStrokes ? given.all : kMaxGivenStrokes;
      std::uint16_t& k = keyOf[all * (kStrokeRows + 1) + given.first];
      if (k == kNoKey) {
        k = static_cast<std::uint16_t>(keys.size());
        keys.push_back({all, given.first});
      }
      key[i] = k;
      characters[i] = static_cast<std::uint8_t>(given.characters);
      for (const char* c = w; *c; c += charLength(c)) {
        if (charLength(c) == 2 && !contains(w, c)) ++containing[codeAt(c)];
      }
      w += std::strlen(w) + 1;

      readings[i] = static_cast<std::uint32_t>(r - candidates::kReadings);
      std::uint8_t f = *r == '1' ? kAvoided : 0;
      unsigned sex = 0;
      const char* end =
          static_cast<const char*>(std::memchr(r, candidates::kReadingsEnd, rEnd - r));
      if (!end) end = rEnd;
      for (const char* p = r + 1; p < end; ++p) {
        if (p == r + 1 || p[-1] == candidates::kReadingSeparator) sex |= (*p - '0') & 7;
      }
      for (const char* p = r + 1; p < end; ++p) {
        if (p != r + 1 && p[-1] != candidates::kReadingSeparator) continue;
        const unsigned s = (*p - '0') & 7;
        if (sexKeeps(SexFilter::kFemale, s, sex)) f |= kKeptForFemale;
        if (sexKeeps(SexFilter::kMale, s, sex)) f |= kKeptForMale;
      }
      flags[i] = f;
      sexes[i] = static_cast<std::uint8_t>(sex);
      r = end < rEnd ? end + 1 : rEnd;
    }
    if (i < count) resize(i);  // data shorter than its count: keep what is whole

    for (std::uint32_t j = 0; j < i; ++j) {
      std::uint32_t least = 0xFFFFFFFF;
      for (const char* c = candidates::kWritings + writing[j]; *c; c += charLength(c)) {
        if (charLength(c) == 2 && containing[codeAt(c)] < least) least = containing[codeAt(c)];
      }
      familiarity[j] = least == 0xFFFFFFFF ? 0 : least;
    }

    std::uint32_t j = 0;
    for (std::size_t run = 0; run < candidates::kPeopleRunCount; ++run) {
      for (std::uint32_t n = 0; n < candidates::kPeopleRuns[run][1] && j < i; ++n) {
        peopleRun[j++] = static_cast<std::uint16_t>(run);
      }
    }
    peopleRuns = candidates::kPeopleRunCount;
    for (; j < i; ++j) peopleRun[j] = static_cast<std::uint16_t>(peopleRuns);  // none
    ++peopleRuns;

    unsigned code = candidates::kFirstKanaCode;
    for (const char* k = candidates::kReadingKana; k[0] && k[1] && code < 128; k += 2, ++code) {
      while (code == '?' || code == '\\') ++code;
      kanaOfCode[code] = codeAt(k);
    }
  }

  void resize(std::uint32_t count) {
    writing.resize(count);
    readings.resize(count);
    key.resize(count);
    characters.resize(count);
    flags.resize(count);
    sexes.resize(count);
    peopleRun.resize(count);
    familiarity.resize(count);
  }

  // Does the writing before `at` already hold the character at `at`?
  static bool contains(const char* from, const char* at) {
    for (const char* c = from; c < at; c += charLength(c)) {
      if (std::memcmp(c, at, 2) == 0) return true;
    }
    return false;
  }

  std::uint32_t people(std::uint32_t i) const {
    const std::uint16_t run = peopleRun[i];
    return run < candidates::kPeopleRunCount ? candidates::kPeopleRuns[run][0] : 0;
  }

  // A Shift-JIS pattern as isReadingPattern takes it, in packed form.
  Pattern pattern(const std::string& text) const {
    Pattern out;
    if (text.empty()) return out;
    out.any = false;
    const char* p = text.c_str();
    const char* end = p + text.size();
    auto star = [](const char* at, const char* end) -> std::size_t {
      if (at < end && *at == '*') return 1;
      if (end - at >= 2 && codeAt(at) == 0x8196) return 2;  // ＊
      return 0;
    };
    if (const std::size_t n = star(p, end)) {
      out.openStart = true;
      p += n;
    }
    for (; p < end; p += 2) {
      if (const std::size_t n = star(p, end); n && p + n == end) {
        out.openEnd = true;
        break;
      }
      if (end - p < 2 || charLength(p) != 2 || !isReadingKana(codeAt(p))) {
        out.valid = false;
        return out;
      }
      const unsigned c = storedKana(codeAt(p));
      unsigned b = 0;
      while (b < kanaOfCode.size() && kanaOfCode[b] != c) ++b;
      if (b == kanaOfCode.size()) out.packable = false;  // no candidate reads so
      out.packed += static_cast<char>(b);
    }
    if (out.packed.empty()) out.valid = false;
    return out;
  }

  // Calls f(sex, kana, length) for each reading of candidate i, in code order,
  // until f returns true; returns whether one did.
  template <typename F>
  bool anyReading(std::uint32_t i, F f) const {
    const char* p = candidates::kReadings + readings[i] + 1;  // past the avoided digit
    if (*p == candidates::kReadingsEnd) return false;
    for (;;) {
      const unsigned sex = (*p++ - '0') & 7;
      const char* end = p;
      while (*end != candidates::kReadingSeparator && *end != candidates::kReadingsEnd) ++end;
      if (f(sex, p, static_cast<std::size_t>(end - p))) return true;
      if (*end == candidates::kReadingsEnd) return false;
      p = end + 1;
    }
  }

  // Does the writing hold the character at c (charLength long)?
  bool writingHas(std::uint32_t i, const char* c, std::size_t length) const {
    for (const char* p = candidates::kWritings + writing[i]; *p;) {
      const std::size_t n = charLength(p);
      if (n == length && std::memcmp(p, c, n) == 0) return true;
      p += n;
    }
    return false;
  }

  bool writingHasAll(std::uint32_t i, const std::string& chars) const {
    for (const char* c = chars.c_str(); *c; c += charLength(c)) {
      if (!writingHas(i, c, charLength(c))) return false;
    }
    return true;
  }

  bool writingHasAny(std::uint32_t i, const std::string& chars) const {
    for (const char* c = chars.c_str(); *c; c += charLength(c)) {
      if (writingHas(i, c, charLength(c))) return true;
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
  // The sort key: the bucket, or (people run, bucket) for the people order.
  const std::uint32_t excluded =
      byPeople ? static_cast<std::uint32_t>(cat.peopleRuns * kBuckets) : kBuckets;
  const std::uint32_t count = static_cast<std::uint32_t>(cat.key.size());
  std::vector<std::uint32_t> slotOf(count);
  std::vector<std::uint32_t> start(excluded + 1);
  for (std::uint32_t i = 0; i < count; ++i) {
    std::uint32_t b = keyBucket[cat.key[i]];
    const std::uint8_t f = cat.flags[i];
    if (b == kBuckets || (f & leaveOut) || (sexFlag && !(f & sexFlag)) ||
        (filter.characters != 0 && cat.characters[i] != filter.characters) ||
        (!filter.with.empty() && !cat.writingHasAll(i, filter.with)) ||
        (!filter.without.empty() && cat.writingHasAny(i, filter.without)) ||
        (!pattern.any && !cat.anyReading(i, [&](unsigned sex, const char* p, std::size_t n) {
          return sexKeeps(filter.sex, sex, cat.sexes[i]) && pattern.matches(p, n);
        }))) {
      b = excluded;
    } else if (byPeople) {
      b += cat.peopleRun[i] * kBuckets;
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
  start[excluded] = limit;  // never placed
  out.order_.resize(limit);
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::uint32_t at = start[slotOf[i]]++;
    if (at < limit) out.order_[at] = i;
  }
  return out;
}

Suggestion Suggestions::operator[](std::size_t rank) const {
  const Catalog& cat = catalog();
  const std::uint32_t i = order_[rank];
  Suggestion s;
  s.given = candidates::kWritings + cat.writing[i];
  s.sex = 0;
  cat.anyReading(i, [&](unsigned sex, const char*, std::size_t) {
    if (sexKeeps(filter_.sex, sex, cat.sexes[i])) s.sex |= sex;
    return false;
  });
  s.grades = gradesOf(surname_, cat.keys[cat.key[i]]);
  s.score = keyScore_[cat.key[i]];
  s.position = i;
  s.people = cat.people(i);
  s.familiarity = cat.familiarity[i];
  return s;
}

std::vector<CandidateReading> Suggestions::readings(std::size_t rank) const {
  const Catalog& cat = catalog();
  const std::uint32_t i = order_[rank];
  const Pattern pattern = cat.pattern(filter_.reading);
  std::vector<CandidateReading> matched, others;
  cat.anyReading(i, [&](unsigned sex, const char* p, std::size_t n) {
    if (sexKeeps(filter_.sex, sex, cat.sexes[i])) {
      (pattern.any || pattern.matches(p, n) ? matched : others).push_back({cat.kana(p, n), sex});
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
  cat.anyReading(i, [&](unsigned sex, const char* p, std::size_t length) {
    n += sexKeeps(filter_.sex, sex, cat.sexes[i]) && pattern.matches(p, length);
    return false;
  });
  return n;
}

std::vector<CandidateReading> candidateReadings(std::uint32_t position) {
  const Catalog& cat = catalog();
  std::vector<CandidateReading> out;
  if (position >= cat.readings.size()) return out;
  cat.anyReading(position, [&](unsigned sex, const char* p, std::size_t n) {
    out.push_back({cat.kana(p, n), sex});
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
