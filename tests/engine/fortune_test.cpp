// Number fortunes, folding, the score and its one-decimal printing.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "engine.h"

namespace namori {
namespace {

TEST(FortuneTable, ClassesWeightsAndTexts) {
  const std::map<FortuneClass, std::vector<int>> byClass = {
      {FortuneClass::kDaikichi, {24, 31, 33, 39, 52}},
      {FortuneClass::kKichi, {0,  1,  3,  5,  6,  7,  8,  11, 13, 15, 16, 17, 18,
                              21, 23, 32, 35, 37, 38, 41, 45, 47, 48, 57, 58, 60}},
      {FortuneClass::kHankichi, {19, 25, 27, 29, 30, 40, 42, 43, 46, 49, 50, 51, 53, 55}},
      {FortuneClass::kKyou, {2, 4, 9, 12, 14, 20, 22, 26, 36, 44, 56, 59}},
      {FortuneClass::kDaikyou, {10, 28, 34, 54}},
  };
  // Each class's weight (the literals are the exact doubles), but 0 weighs
  // 1.0 though it is 吉 and 56 weighs 0.05 though it is 凶.
  const double weightOf[] = {1.0, 0.8, 0.4, 0.1, 0.05};  // 大吉 to 大凶
  std::map<FortuneClass, std::vector<int>> actual;
  for (int i = 0; i < kFortuneCount; ++i) {
    const FortuneRecord& r = NumberFortuneTable[i];
    actual[r.fortuneClass].push_back(i);
    EXPECT_EQ(r.weight, i == 0    ? 1.0
                        : i == 56 ? 0.05
                                  : weightOf[static_cast<int>(r.fortuneClass)])
        << i;
    // The class word stands last before any note in parentheses.
    const std::string text = std::string(r.text).substr(0, std::strcspn(r.text, "("));
    const std::string word = std::string(fortuneClassText(r.fortuneClass)) + "数";
    EXPECT_EQ(text.substr(text.size() - word.size()), word) << i;
  }
  EXPECT_EQ(actual, byClass);
  // Whole, since the check above would pass 吉 or 凶 in their place.
  EXPECT_STREQ(fortuneClassText(FortuneClass::kDaikichi), "大吉");
  EXPECT_STREQ(fortuneClassText(FortuneClass::kHankichi), "半吉");
  EXPECT_STREQ(fortuneClassText(FortuneClass::kDaikyou), "大凶");
  // The longest texts are whole; 0, 8, 17, 18 and 26 are checked in the
  // reading tests.
  EXPECT_STREQ(NumberFortuneTable[12].text,
               "意志薄弱で挫折する凶数(独立すると中途挫折の可能性大、補佐役が適)");
  EXPECT_STREQ(NumberFortuneTable[22].text,
               "無力感に悩まされる凶数(独立すると中途挫折の可能性大、補佐役が適)");
  EXPECT_STREQ(NumberFortuneTable[60].text, NumberFortuneTable[0].text);
  EXPECT_STREQ(NumberFortuneTable[28].text, "変人奇運の大凶数(一生に２、３度遭難あり)");
}

TEST(FoldGradeValue, FoldsIntoTheTable) {
  const std::map<int, int> cases = {{0, 0},    {1, 1},   {60, 60},  {61, 1},    {62, 2}, {84, 24},
                                    {120, 60}, {121, 1}, {180, 60}, {1020, 60}, {-5, 0}};
  for (auto [raw, index] : cases) EXPECT_EQ(foldGradeValue(raw), index) << raw;
  EXPECT_EQ(&lookupFortune(61), &NumberFortuneTable[60]);  // clamped
  EXPECT_EQ(&lookupFortune(-1), &NumberFortuneTable[0]);
}

TEST(ComputeScore, KeepsTheExactOrderOfOperations) {
  // Weights in grade order, then the three doubles bit for bit.
  const double cases[][8] = {
      {0.1, 0.8, 0.8, 0.1, 0.8, 7.0, 24.000000000000004, 31.000000000000004},
      {0.1, 0.05, 1.0, 0.05, 1.0, 5.250000000000001, 20.499999999999996, 25.749999999999996},
      {1.0, 0.8, 0.8, 0.05, 0.05, 36.75, 16.5, 53.25},
      {1.0, 1.0, 1.0, 1.0, 1.0, 70.0, 30.0, 100.0},
  };
  for (const auto& c : cases) {
    const NameScore s = computeScore(GradeWeights{{c[0], c[1], c[2], c[3], c[4]}});
    EXPECT_EQ(s.firstPart, c[5]);
    EXPECT_EQ(s.secondPart, c[6]);
    EXPECT_EQ(s.total, c[7]);
  }
}

TEST(HighestScoreWithSurname, OnlyTenunStaysBelowFullWeight) {
  // 山田 3 + 5 = 8, 吉 0.8; 髙 counts 0 (吉 1.0); 佐藤 (28, 大凶) is the page test's.
  EXPECT_EQ(formatOneDecimal(highestScoreWithSurname("山田").total), "98.0");
  EXPECT_EQ(highestScoreWithSurname("髙").total, 100.0);
  // 驫驫二: 62 strokes fold to 2, 凶 0.1.
  EXPECT_EQ(formatOneDecimal(highestScoreWithSurname("驫驫二").total), "91.0");
}

TEST(FormatOneDecimal, RoundsFromTheExactValueWithHalvesUp) {
  const std::map<double, std::string> cases = {
      {53.25, "53.3"},
      {25.749999999999996, "25.7"},
      {5.250000000000001, "5.3"},
      {0.35, "0.3"} /* 0.34999999999999997... */,
      {0.0, "0.0"},
      {1e-300, "0.0"},
      {0.0003, "0.0"},
      {-1.25, "-1.3"},
      {-HUGE_VAL, "-inf"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(formatOneDecimal(value), text) << value;
  EXPECT_EQ(formatOneDecimal(-0.0), "-0.0");  // as printf prints it
}

}  // namespace
}  // namespace namori
