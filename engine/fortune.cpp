// The 61 number fortunes, folding of grade values, and the score.
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "engine.h"

namespace namori {

namespace {
const char kSelfConceit[] = "自惚を自戒して発展する吉数";
}

const FortuneRecord NumberFortuneTable[kFortuneCount] = {
    {kSelfConceit, 1.0, FortuneClass::kKichi},
    {"勢いのある吉数", 0.8, FortuneClass::kKichi},
    {"別離をしいられる凶数", 0.1, FortuneClass::kKyou},
    {"調和と安定の吉数", 0.8, FortuneClass::kKichi},
    {"破滅の人生を招く凶数", 0.1, FortuneClass::kKyou},
    {"均衡を得る吉数(他郷に出て成功する)", 0.8, FortuneClass::kKichi},
    {"恵みに満ちた吉数(名誉と地位)", 0.8, FortuneClass::kKichi},
    {"波乱を克する勇猛の吉数(女性は孤独運)", 0.8, FortuneClass::kKichi},
    {"忍耐が発展を生む吉数", 0.8, FortuneClass::kKichi},
    {"不遇と孤独を暗示する凶数", 0.1, FortuneClass::kKyou},
    {"すべてが空漠に帰する大凶数(勝負運は強い)", 0.05, FortuneClass::kDaikyou},
    {"たくましい成長を遂げる吉数(禍福はあざなえる縄のごとし)", 0.8, FortuneClass::kKichi},
    {"意志薄弱で挫折する凶数(独立すると中途挫折の可能性大、補佐役が適)", 0.1, FortuneClass::kKyou},
    {"才能に恵まれた吉数", 0.8, FortuneClass::kKichi},
    {"苦労の多い非運の凶数(家庭運が弱く孤独)", 0.1, FortuneClass::kKyou},
    {"着々と発展する吉数(他郷に出て成功する)", 0.8, FortuneClass::kKichi},
    {"恵まれた境遇を得る吉数(名誉と地位)", 0.8, FortuneClass::kKichi},
    {"剛毅で気迫のある吉数(アイドルスター性、遭難・事故に注意)", 0.8, FortuneClass::kKichi},
    {"才知と行動力に富む吉数", 0.8, FortuneClass::kKichi},
    {"未完の大器に終わる半吉数(異性関係のトラブル)", 0.4, FortuneClass::kHankichi},
    {"破綻と孤愁の凶数", 0.1, FortuneClass::kKyou},
    {"独立と功名の吉数(異性関係のトラブル)", 0.8, FortuneClass::kKichi},
    {"無力感に悩まされる凶数(独立すると中途挫折の可能性大、補佐役が適)", 0.1, FortuneClass::kKyou},
    {"朝日が昇る勢いの吉数(波乱の兆し)", 0.8, FortuneClass::kKichi},
    {"人と物に恵まれる大吉数(金運強いが孤立の兆し)", 1.0, FortuneClass::kDaikichi},
    {"勝気に過ぎて損する半吉数", 0.4, FortuneClass::kHankichi},
    {"波乱と異変の凶数(天下を取る可能性)", 0.1, FortuneClass::kKyou},
    {"強情が不運を招く半吉数", 0.4, FortuneClass::kHankichi},
    {"変人奇運の大凶数(一生に２、３度遭難あり)", 0.05, FortuneClass::kDaikyou},
    {"虚栄が災いする半吉数", 0.4, FortuneClass::kHankichi},
    {"試練が盛衰を決める半吉数", 0.4, FortuneClass::kHankichi},
    {"堅実に成功をつかむ大吉数(禍福はあざなえる縄のごとし)", 1.0, FortuneClass::kDaikichi},
    {"意外な幸運に恵まれる吉数", 0.8, FortuneClass::kKichi},
    {"王者の風格あふれる大吉数(女性は家庭的に恵まれない)", 1.0, FortuneClass::kDaikichi},
    {"苦悩と悲痛の大凶数(病弱で家族運薄い、奇人変人型のみ成功可)", 0.05, FortuneClass::kDaikyou},
    {"知性・感性に富む吉数", 0.8, FortuneClass::kKichi},
    {"無謀が災いを招く凶数", 0.1, FortuneClass::kKyou},
    {"勤勉・実直な吉数", 0.8, FortuneClass::kKichi},
    {"一芸に秀でる吉数", 0.8, FortuneClass::kKichi},
    {"栄華をきわめる大吉数", 1.0, FortuneClass::kDaikichi},
    {"慢心が敵をつくる半吉数", 0.4, FortuneClass::kHankichi},
    {"賢明な対応で成功する吉数", 0.8, FortuneClass::kKichi},
    {"才能を生かせない半吉数", 0.4, FortuneClass::kHankichi},
    {"財運に見離される半吉数(女性は荒淫多情、結婚運は強い)", 0.4, FortuneClass::kHankichi},
    {"失意に打ちのめされる凶数", 0.1, FortuneClass::kKyou},
    {"苦難を克服できる吉数", 0.8, FortuneClass::kKichi},
    {"明暗の著しい半吉数", 0.4, FortuneClass::kHankichi},
    {"念願が成就する吉数", 0.8, FortuneClass::kKichi},
    {"才知と徳を備えた吉数", 0.8, FortuneClass::kKichi},
    {"落差の激しい半吉数", 0.4, FortuneClass::kHankichi},
    {"幸運が長続きしない半吉数", 0.4, FortuneClass::kHankichi},
    {"吉凶の波間に浮かぶ半吉数", 0.4, FortuneClass::kHankichi},
    {"標的を射止める大吉数", 1.0, FortuneClass::kDaikichi},
    {"見栄に苦しむ半吉数", 0.4, FortuneClass::kHankichi},
    {"災厄続きの悲惨な大凶数", 0.05, FortuneClass::kDaikyou},
    {"極端にはしりやすい半吉数", 0.4, FortuneClass::kHankichi},
    {"失意と無力の凶数", 0.05, FortuneClass::kKyou},
    {"希望の光に満ちた吉数", 0.8, FortuneClass::kKichi},
    {"苦悩の後に幸福が待つ吉数", 0.8, FortuneClass::kKichi},
    {"精神力の弱さで敗北する凶数", 0.1, FortuneClass::kKyou},
    {kSelfConceit, 0.8, FortuneClass::kKichi},
};

const char* fortuneClassText(FortuneClass fortuneClass) {
  switch (fortuneClass) {
    case FortuneClass::kDaikichi:
      return "大吉";
    case FortuneClass::kKichi:
      return "吉";
    case FortuneClass::kHankichi:
      return "半吉";
    case FortuneClass::kKyou:
      return "凶";
    case FortuneClass::kDaikyou:
      return "大凶";
  }
  return "";
}

int foldGradeValue(int raw) {
  if (raw < 0) return 0;
  while (raw > 60) raw -= 60;
  return raw;
}

const FortuneRecord& lookupFortune(int index) {
  if (index < 0) index = 0;
  if (index >= kFortuneCount) index = kFortuneCount - 1;
  return NumberFortuneTable[index];
}

NameScore computeScore(const GradeWeights& weights) {
  // Each step is one double operation, in exactly this order (the engine is
  // built with -ffp-contract=off): a rearranged formula gives other last bits
  // and, for some names, another printed total.
  NameScore score;
  score.firstPart = (weights.w[kSouun] + weights.w[kJinun]) / 2.0 * kFirstPartPoints;
  score.secondPart =
      ((weights.w[kTenun] + weights.w[kChiun]) + weights.w[kGaiun]) / 3.0 * kSecondPartPoints;
  score.total = score.firstPart + score.secondPart;
  return score;
}

GradeReading readGrades(const GradeValues& grades) {
  GradeReading reading;
  GradeWeights weights;
  for (int grade = 0; grade < kGradeCount; ++grade) {
    reading.index[grade] = foldGradeValue(grades.value[grade]);
    reading.record[grade] = &lookupFortune(reading.index[grade]);
    weights.w[grade] = reading.record[grade]->weight;
  }
  reading.score = computeScore(weights);
  return reading;
}

NameScore highestScoreWithSurname(const char* surname) {
  GradeWeights weights = {{1.0, 1.0, 1.0, 1.0, 1.0}};
  weights.w[kTenun] = lookupFortune(foldGradeValue(countNameStrokes(surname).all)).weight;
  return computeScore(weights);
}

std::uint64_t roundedTenths(double value) {
  // value = mantissa * 2^exponent exactly, with a 53-bit integer mantissa.
  int exponent = 0;
  const double fraction = std::frexp(value, &exponent);
  const std::uint64_t mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
  exponent -= 53;
  const std::uint64_t scaled = mantissa * 10;  // below 2^57
  if (exponent >= 0) return exponent > 6 ? UINT64_MAX : scaled << exponent;
  if (exponent <= -64) return 0;
  const unsigned shift = static_cast<unsigned>(-exponent);
  std::uint64_t tenths = scaled >> shift;
  const std::uint64_t rest = scaled & ((std::uint64_t{1} << shift) - 1);
  const std::uint64_t half = std::uint64_t{1} << (shift - 1);
  if (rest >= half) ++tenths;  // an exact half goes up
  return tenths;
}

std::string formatOneDecimal(double value) {
  if (std::isnan(value)) return "nan";
  std::string sign;
  if (std::signbit(value)) {
    value = -value;
    sign = "-";
  }
  if (std::isinf(value)) return sign + "inf";
  const std::uint64_t tenths = roundedTenths(value);
  if (tenths == UINT64_MAX) {
    // Far beyond any score: an integer; print it without the fraction logic.
    char big[400];
    std::snprintf(big, sizeof big, "%.0f.0", value);
    return sign + big;
  }
  char text[32];
  std::snprintf(text, sizeof text, "%llu.%u", static_cast<unsigned long long>(tenths / 10),
                static_cast<unsigned>(tenths % 10));
  return sign + text;
}

}  // namespace namori
