// Ranking the given-name candidates for a surname.
//
// For a fixed surname a candidate's five grades depend only on its stroke sum
// and the strokes of its first character, its "stroke key". The data is
// walked once, at first use, to find each candidate's key; a ranking then
// scores each distinct key once and places the candidates by a counting sort
// on the printed score, which keeps data order within equal scores.
#include "naming.h"

#include <array>
#include <cstdlib>
#include <cstring>

#include "candidates_data.h"
#include "kana.h"

namespace namori {

namespace {

// The name dialog's 34 bytes: at most 17 characters of at most 30 strokes.
constexpr int kMaxGivenStrokes = 17 * kStrokeRows;
constexpr int kBestTenths = 1000;           // a score of 100.0
constexpr int kExcluded = kBestTenths + 1;  // bucket of the filtered out
constexpr std::uint16_t kNoKey = 0xFFFF;

unsigned codeAt(const char* p) {
  return static_cast<unsigned char>(p[0]) << 8 | static_cast<unsigned char>(p[1]);
}

struct Catalog {
  std::vector<std::uint32_t> writing;   // offset into kWritings
  std::vector<std::uint32_t> readings;  // offset of the record in kReadings
  std::vector<std::uint16_t> key;       // index into keys
  std::vector<std::uint8_t> sex;        // NameSexTag bits
  std::vector<std::uint8_t> characters;
  std::vector<NameStrokes> keys;           // the given name's all and first only
  std::array<unsigned, 128> kanaOfCode{};  // packed byte -> Shift-JIS code, 0 if none

  Catalog() {
    const std::uint32_t count = candidates::kCount;
    resize(count);
    std::vector<std::uint16_t> keyOf((kMaxGivenStrokes + 1) * (kStrokeRows + 1), kNoKey);

    const char* w = candidates::kWritings;
    const char* const wEnd = w + candidates::kWritingsSize;
    const char* r = candidates::kReadings;
    const char* const rEnd = r + candidates::kReadingsSize;
    std::uint32_t i = 0;
    for (; i < count && w < wEnd && r < rEnd; ++i) {
      writing[i] = static_cast<std::uint32_t>(w - candidates::kWritings);
      const NameStrokes given = countNameStrokes(w);
      w += std::strlen(w) + 1;
      // Above the limit never happens for names of 34 bytes.
      const int all = given.all < kMaxGivenStrokes ? given.all : kMaxGivenStrokes;
      std::uint16_t& k = keyOf[all * (kStrokeRows + 1) + given.first];
      if (k == kNoKey) {
        k = static_cast<std::uint16_t>(keys.size());
        keys.push_back({all, given.first});
      }
      key[i] = k;
      characters[i] = static_cast<std::uint8_t>(given.characters);

      readings[i] = static_cast<std::uint32_t>(r - candidates::kReadings);
      sex[i] = static_cast<std::uint8_t>(*r - '0');
      const void* end = std::memchr(r, candidates::kReadingsEnd, rEnd - r);
      r = end ? static_cast<const char*>(end) + 1 : rEnd;
    }
    if (i < count) resize(i);  // data shorter than its count: keep what is whole

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
    sex.resize(count);
    characters.resize(count);
  }

  // The packed form of a Shift-JIS kana reading in its stored form
  // (normalizeKana); false if a character is not kana or has no packed form
  // (no candidate reads so).
  bool pack(const std::string& reading, std::string& packed) const {
    std::string kana;
    if (!normalizeKana(reading, &kana)) return false;
    packed.clear();
    for (std::size_t at = 0; at < kana.size(); at += 2) {
      const unsigned c = codeAt(kana.c_str() + at);
      unsigned b = 0;
      while (b < kanaOfCode.size() && kanaOfCode[b] != c) ++b;
      if (b == kanaOfCode.size()) return false;
      packed += static_cast<char>(b);
    }
    return true;
  }

  bool hasReading(std::uint32_t i, const std::string& packed) const {
    const char* p = candidates::kReadings + readings[i] + 1;  // past the sex digit
    for (;;) {
      const char* end = p;
      while (*end != candidates::kReadingSeparator && *end != candidates::kReadingsEnd) ++end;
      if (static_cast<std::size_t>(end - p) == packed.size() &&
          std::memcmp(p, packed.data(), packed.size()) == 0) {
        return true;
      }
      if (*end == candidates::kReadingsEnd) return false;
      p = end + 1;
    }
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

  std::string packed;
  const bool byReading = !filter.reading.empty();
  if (byReading && !cat.pack(filter.reading, packed)) return out;

  // Bucket b holds the printed score kBestTenths - b.
  out.keyScore_.resize(cat.keys.size());
  std::vector<std::uint16_t> keyBucket(cat.keys.size());
  for (std::size_t k = 0; k < cat.keys.size(); ++k) {
    const double score = readGrades(gradesOf(out.surname_, cat.keys[k])).score.total;
    const int tenths = printedTenths(score);
    out.keyScore_[k] = score;
    const bool kept = tenths <= kBestTenths && tenths / 10.0 >= filter.minScore;
    keyBucket[k] = static_cast<std::uint16_t>(kept ? kBestTenths - tenths : kExcluded);
  }

  const unsigned sexMask = filter.sex == SexFilter::kFemale ? kSexFemale | kSexUnstated
                           : filter.sex == SexFilter::kMale ? kSexMale | kSexUnstated
                                                            : ~0u;
  const std::uint32_t count = static_cast<std::uint32_t>(cat.key.size());
  std::vector<std::uint16_t> bucketOf(count);
  std::array<std::uint32_t, kExcluded + 1> start{};
  for (std::uint32_t i = 0; i < count; ++i) {
    std::uint16_t b = keyBucket[cat.key[i]];
    if (b != kExcluded && (!(cat.sex[i] & sexMask) ||
                           (filter.characters != 0 && cat.characters[i] != filter.characters) ||
                           (byReading && !cat.hasReading(i, packed)))) {
      b = kExcluded;
    }
    bucketOf[i] = b;
    ++start[b];
  }
  std::uint32_t total = 0;
  for (int b = 0; b < kExcluded; ++b) {
    const std::uint32_t n = start[b];
    start[b] = total;
    total += n;
  }
  const std::uint32_t limit =
      filter.top != 0 && filter.top < total ? static_cast<std::uint32_t>(filter.top) : total;
  start[kExcluded] = limit;  // never placed
  out.order_.resize(limit);
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::uint32_t at = start[bucketOf[i]]++;
    if (at < limit) out.order_[at] = i;
  }
  return out;
}

Suggestion Suggestions::operator[](std::size_t rank) const {
  const Catalog& cat = catalog();
  const std::uint32_t i = order_[rank];
  Suggestion s;
  s.given = candidates::kWritings + cat.writing[i];
  s.sex = cat.sex[i];
  s.grades = gradesOf(surname_, cat.keys[cat.key[i]]);
  s.score = keyScore_[cat.key[i]];
  s.position = i;
  s.people = 0;
  s.familiarity = 0;
  return s;
}

std::vector<CandidateReading> Suggestions::readings(std::size_t rank) const {
  return candidateReadings(order_[rank]);
}

std::vector<CandidateReading> candidateReadings(std::uint32_t position) {
  const Catalog& cat = catalog();
  std::vector<CandidateReading> out;
  if (position >= cat.readings.size()) return out;
  out.push_back({"", cat.sex[position]});
  for (const char* p = candidates::kReadings + cat.readings[position] + 1;
       *p != candidates::kReadingsEnd; ++p) {
    if (*p == candidates::kReadingSeparator) {
      out.push_back({"", cat.sex[position]});
      continue;
    }
    const unsigned code = cat.kanaOfCode[static_cast<unsigned char>(*p) & 0x7F];
    out.back().kana += static_cast<char>(code >> 8);
    out.back().kana += static_cast<char>(code & 0xFF);
  }
  return out;
}

std::size_t candidateCount() {
  return catalog().key.size();
}

bool isReadingPattern(const std::string& sjis) {
  std::string kana;
  return !sjis.empty() && normalizeKana(sjis, &kana);
}

bool parseMinScore(const std::string& text, double* minScore) {
  if (text.empty()) {
    *minScore = 0;
    return true;
  }
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (*end != '\0' || !(value >= 0 && value <= 100)) return false;
  *minScore = value;
  return true;
}

bool surnameCounts(const char* surname) {
  return surname && countNameStrokes(surname).all > 0;
}

}  // namespace namori
