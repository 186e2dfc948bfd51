// The divination engine: stroke dictionary, five grades, number fortunes and
// score. Pure computation over Shift-JIS names; no I/O, no platform calls.
#pragma once

#include <cstdint>
#include <string>

#include "sjis.h"

namespace namori {

// ---- Stroke dictionary ----------------------------------------------------

constexpr int kStrokeRows = 30;

// Row n (index n - 1) holds, as NUL-terminated Shift-JIS text of double-byte
// characters only, every character that counts n strokes.
extern const char* const strokeRows[kStrokeRows];

// How many kanji the rows count by their traditional form, as 姓名判断 does
// (氵 as 水, 4 strokes): the fixed kanji at the head of the rows.
extern const int kFixedKanjiCount;

// Stroke count of the two-byte unit (first, second): the row (1..30) holding
// the character lead = first, trail = second, or 0. Constant time.
int strokeCount(unsigned char first, unsigned char second);

// The same answer found by walking the rows one whole character at a time.
// Kept as the reference for the index and for measurement.
int strokeCountByWalk(unsigned char first, unsigned char second);

// ---- Five grades ----------------------------------------------------------

enum Grade { kSouun = 0, kTenun, kChiun, kJinun, kGaiun, kGradeCount };

// Raw stroke sums in grade order 総運 天運 地運 人運 外運; never folded here.
struct GradeValues {
  int value[kGradeCount];
};

// Strokes of the character at p as charLength splits it: the row of a
// double-byte character, 0 for a single byte or a lone lead byte.
inline int characterStrokes(const char* p) {
  return charLength(p) == 2
             ? strokeCount(static_cast<unsigned char>(p[0]), static_cast<unsigned char>(p[1]))
             : 0;
}

// Stroke sums of one name as the grades need them.
struct NameStrokes {
  int all = 0;    // every character
  int first = 0;  // the first character
  int last = 0;   // the last character
  int characters = 0;
  int bytes = 0;  // the name's length, up to its terminator
};

// A NUL-terminated Shift-JIS name, walked as charLength splits it; no byte
// past the terminator is read. An empty name gives all zeros.
NameStrokes countNameStrokes(const char* name);

// The five grades of a surname and a given name from their stroke sums.
GradeValues gradesOf(const NameStrokes& surname, const NameStrokes& given);

// Both names are NUL-terminated Shift-JIS. A single-byte character or a lone
// lead byte before the terminator is one character counting 0 strokes; no
// byte past a terminator is read. An empty name contributes nothing.
GradeValues computeGrades(const char* surname, const char* givenName);

// ---- Number fortunes and score --------------------------------------------

// The class each fortune text names itself with (「…大吉数」, 「…凶数」). It
// follows the text, not the weight: 0 weighs 1.0 as a 吉数, 56 weighs 0.05
// as a 凶数.
enum class FortuneClass { kDaikichi, kKichi, kHankichi, kKyou, kDaikyou };
constexpr int kFortuneClassCount = 5;

// 大吉 吉 半吉 凶 大凶.
const char* fortuneClassText(FortuneClass fortuneClass);

struct FortuneRecord {
  const char* text;
  double weight;
  FortuneClass fortuneClass;
};

constexpr int kFortuneCount = 61;
extern const FortuneRecord NumberFortuneTable[kFortuneCount];

// Table index 0..60 of a raw grade value: unchanged up to 60, then 60 is
// taken off until the value is at most 60 (61 -> 1, 120 -> 60, 121 -> 1).
// A negative value (never produced by the grades) gives 0.
int foldGradeValue(int raw);

// Record at index 0..60 (an index outside is clamped into the table).
const FortuneRecord& lookupFortune(int index);

struct GradeWeights {
  double w[kGradeCount];
};

// The score's two parts: the mean weight of 総運 and 人運 times 70, and of
// 天運, 地運 and 外運 times 30.
constexpr double kFirstPartPoints = 70.0;
constexpr double kSecondPartPoints = 30.0;

struct NameScore {
  double firstPart;   // 総運 + 人運, at most kFirstPartPoints
  double secondPart;  // 天運 + 地運 + 外運, at most kSecondPartPoints
  double total;       // out of 100
};

NameScore computeScore(const GradeWeights& weights);

// What five grade values read as: each folded into a table index, its
// fortune record, and the score of their weights.
struct GradeReading {
  int index[kGradeCount];
  const FortuneRecord* record[kGradeCount];
  NameScore score;
};

GradeReading readGrades(const GradeValues& grades);

// The highest score any given name can reach with this surname (Shift-JIS):
// 天運 is the surname's alone, so its weight stays whatever the given name,
// and the other four grades weigh at most 1.0 each. 佐藤 (天運 28, 0.05)
// reaches at most 90.5.
NameScore highestScoreWithSurname(const char* surname);

// One decimal, computed from the double's exact value: an exact half rounds
// up (53.25 -> "53.3"), anything else to nearest (25.749999999999996 ->
// "25.7"). Independent of the C library's printf rounding.
// A finite value of at least 0 in tenths, rounded as formatOneDecimal
// prints it (an exact half up); UINT64_MAX when far beyond any score.
std::uint64_t roundedTenths(double value);
std::string formatOneDecimal(double value);

}  // namespace namori
