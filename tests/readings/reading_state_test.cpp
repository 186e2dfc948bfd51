// The reading state through whole command sequences, and the name report.
#include <cstring>
#include <string>

#include "readings.h"
#include "test_support.h"

namespace namori {
namespace {

class Reading : public WithState {
 protected:
  bool reportHas(const char* text) const { return std::strstr(s.nameReport, text) != nullptr; }
};

TEST_F(Reading, ZeroFoldedAndUnknownCharacters) {
  read("林", "一");
  EXPECT_TRUE(reportHas("外運   0画  環境運    自惚を自戒して発展する吉数\n\n"));
  EXPECT_EQ(s.lastOuterGrade, 0);

  // A character the dictionary lacks counts 0 but is printed as entered.
  read("山Ｕ", "太郎");
  EXPECT_EQ(std::string(s.nameReport).rfind("\n***姓名判断***      山Ｕ 太郎 さん\n\n", 0), 0u);
  // The warning before such a reading names each of them once, in order,
  // with the variant that would count where Unihan gives one.
  EXPECT_EQ(zeroStrokeWarning("髙Ｕ橋", "Ｕ髙a凜"),
            "次の字は辞書にないため 0 画として数えます：Ｕ、a"
            "　髙 は辞書にないため 0 画として数えます（高 なら 10 画）"
            "　凜 は辞書にないため 0 画として数えます（凛 なら 15 画）");
  EXPECT_EQ(zeroStrokeWarning("伃", nullptr),
            "次の字は辞書にないため 0 画として数えます：伃");  // 妤 counts 0 too
  // A space is named, never shown as nothing.
  EXPECT_EQ(zeroStrokeWarning("佐藤 太郎", "　"),
            "次の字は辞書にないため 0 画として数えます：（空白）、（全角空白）");

  // 鬱 has 29 strokes: the rows show 総運 145 and 外運 87 folded, while the
  // career command keys on the raw 87.
  read("鬱鬱鬱", "鬱鬱");
  EXPECT_TRUE(reportHas("総運  25画"));
  EXPECT_TRUE(reportHas("外運  27画"));
  EXPECT_EQ(s.lastOuterGrade, 87);
  runCareerCommand(s);
  EXPECT_STREQ(s.careerReport, kNotice);
}

TEST_F(Reading, CommandSequence) {
  // A career command before any reading: the notice, under the empty names.
  runCareerCommand(s);
  EXPECT_STREQ(s.careerReport, kNotice);
  EXPECT_STREQ(s.reportFileName, "さんの職業運適職.TXT");
  EXPECT_EQ(s.careerPending, 1);

  // A name is cut to 34 bytes, never through a character: "a" + 16 kanji.
  EXPECT_TRUE(storeNames(s, "a山山山山山山山山山山山山山山山山山", "太郎"));
  EXPECT_STREQ(s.surname, "a山山山山山山山山山山山山山山山山");
  read("山田", "太郎");
  read("山田", "太郎");  // a second reading rebuilds rather than appends
  // A rejected reading replaces the names and nothing else.
  EXPECT_FALSE(storeNames(s, "", "一"));
  EXPECT_FALSE(storeNames(s, "田中", ""));
  EXPECT_STREQ(s.surname, "田中");
  EXPECT_STREQ(s.givenName, "");
  EXPECT_STREQ(s.nameReport, kYamadaTaroReport);
  EXPECT_STREQ(s.reportFileName, "山田太郎さんの姓名判断.TXT");
  EXPECT_EQ(s.namePending, 1);
  EXPECT_EQ(s.careerPending, 0);

  // The career text is the old reading's, and so is the file name, whatever
  // the rejected dialog left in the stored names; the whole buffer is
  // cleared first.
  std::memset(s.careerReport, 'z', sizeof s.careerReport);
  runCareerCommand(s);
  EXPECT_EQ(std::string(s.careerReport).rfind("\n******* 人気商売で行こう *******\n\n", 0), 0u);
  for (std::size_t i = std::strlen(s.careerReport); i < sizeof s.careerReport; ++i) {
    ASSERT_EQ(s.careerReport[i], 0) << i;
  }
  EXPECT_STREQ(s.reportFileName, "山田太郎さんの職業運適職.TXT");
  EXPECT_EQ(s.careerPending, 1);
  EXPECT_EQ(s.namePending, 0);
  EXPECT_STREQ(s.nameReport, kYamadaTaroReport);

  // A new reading makes its report pending and leaves the career text alone.
  const std::string career = s.careerReport;
  read("田中", "一");
  EXPECT_EQ(s.namePending, 1);
  EXPECT_EQ(s.careerPending, 0);
  EXPECT_EQ(career, s.careerReport);
  runCareerCommand(s);
  EXPECT_EQ(std::string(s.careerReport).rfind("\n******* 海外に縁あり *******\n\n", 0), 0u);
}

}  // namespace
}  // namespace namori
