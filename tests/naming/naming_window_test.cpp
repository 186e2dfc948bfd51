// The naming window's logic: what its fields turn into, what it says, and
// that its list and its file show the module's list.
#include "naming_window.h"

#include <gtest/gtest.h>

#include <string>

#include "typed_text.h"

namespace namori {
namespace {

struct Read {
  std::string problem, surname;
  SuggestFilter filter;
  NamingField bad = NamingField::kSurname;
};

Read read(const NamingForm& form) {
  Read r;
  r.problem = readNamingForm(form, &r.surname, &r.filter, &r.bad);
  return r;
}

TEST(NamingForm, FieldsBecomeTheFilterAsTyped) {
  NamingForm form;
  form.surname = "　山田１ ";
  form.sex = 1;
  form.characters = 3;
  form.reading = " ゆ＊";
  form.with = "翔　太";
  form.minScore = "９０．５";
  form.order = 1;
  form.anyKanji = true;
  const Read r = read(form);
  ASSERT_EQ(r.problem, "");
  EXPECT_EQ(r.surname, "山田１");
  EXPECT_EQ(r.filter.sex, SexFilter::kFemale);
  EXPECT_EQ(r.filter.characters, 3);
  EXPECT_EQ(r.filter.reading, "ゆ*");
  EXPECT_EQ(r.filter.with, "翔太");
  EXPECT_EQ(r.filter.minScore, 90.5);
  EXPECT_EQ(r.filter.order, SuggestOrder::kPeople);
  EXPECT_TRUE(r.filter.anyKanji);

  form.sex = 2;
  form.order = 0;
  EXPECT_EQ(read(form).filter.sex, SexFilter::kMale);
  EXPECT_EQ(read(form).filter.order, SuggestOrder::kScore);

  // The surname is cut as the name dialog cuts it, never through a character.
  form.surname = "A一二三四五六七八九十一二三四五六七";
  EXPECT_EQ(read(form).surname, "A一二三四五六七八九十一二三四五六");
}

TEST(NamingForm, ABadFieldIsNamed) {
  const struct {
    const char* surname;
    const char* reading;
    const char* minScore;
    NamingField bad;
    const char* start;
  } cases[] = {
      {"", "", "", NamingField::kSurname, "姓を"},
      {" 　", "", "", NamingField::kSurname, "姓を"},
      {"ABＵ", "", "", NamingField::kSurname, "姓の字が"},
      {"山田", "yu*", "", NamingField::kReading, "読みは"},
      {"山田", "ゆ*と", "", NamingField::kReading, "読みは"},
      {"山田", "", "101", NamingField::kMinScore, "最低得点は"},
      {"山田", "", "八十", NamingField::kMinScore, "最低得点は"},
  };
  for (const auto& c : cases) {
    NamingForm form;
    form.surname = c.surname;
    form.reading = c.reading;
    form.minScore = c.minScore;
    const Read r = read(form);
    EXPECT_EQ(r.problem.rfind(c.start, 0), 0u) << c.surname << c.reading << c.minScore;
    EXPECT_EQ(r.bad, c.bad) << c.surname << c.reading << c.minScore;
  }
}

TEST(NamingTexts, CountsAreGroupedAndTheSurnameWarned) {
  EXPECT_EQ(groupDigits(999), "999");
  EXPECT_EQ(groupDigits(1234567), "1,234,567");
  SuggestFilter byPeople;
  byPeople.order = SuggestOrder::kPeople;
  EXPECT_EQ(namingStatus(12345, SuggestFilter{}, "山田"), "候補 12,345 件（得点順）");
  EXPECT_EQ(namingStatus(7, byPeople, "髙橋"),
            "候補 7 件（人名に多い順）　髙 は辞書にないため 0 画として数えます（高 なら 10 画）");
}

// An empty list names the one change that finds names, and only a change
// that does.
TEST(NamingTexts, AnEmptyListSaysWhatWouldFindNames) {
  SuggestFilter crow;
  crow.sex = SexFilter::kMale;
  crow.with = "烏";
  EXPECT_EQ(emptyListHint("山田", crow), EmptyListHint::kAnyKanji);
  EXPECT_EQ(namingStatus(0, crow, "山田"),
            "候補 0 件（得点順）　条件に合う名前はありません。"
            "「意味のよくない字も含める」にチェックを入れると見つかります。");
  EXPECT_EQ(emptyListAdvice("山田", crow, AdviceFor::kPage),
            "条件に合う名前はありません。"
            "「名付けで避けられがちな字を含む名前も出す」にチェックを入れると見つかります。");
  EXPECT_EQ(emptyListAdvice("山田", crow, AdviceFor::kCommandLine),
            " (names with a kanji parents avoid are left out; --any-kanji shows them)");
  crow.anyKanji = true;
  EXPECT_EQ(emptyListHint("山田", crow), EmptyListHint::kNone);  // it finds them

  SuggestFilter sound;
  sound.reading = "ゆうす";  // ゆうすけ
  EXPECT_EQ(emptyListHint("山田", sound), EmptyListHint::kReadingPrefix);
  EXPECT_EQ(namingStatus(0, sound, "山田"),
            "候補 0 件（得点順）　条件に合う名前はありません。"
            "読みを「ゆうす*」にすると、「ゆうす」で始まる名が見つかります。");
  sound.reading = "ゑゑゑ";
  EXPECT_EQ(emptyListHint("山田", sound), EmptyListHint::kNone);
  EXPECT_EQ(emptyListAdvice("山田", sound, AdviceFor::kWindow),
            "条件に合う名前はありません。条件を減らしてみてください。");
  EXPECT_EQ(emptyListAdvice("山田", sound, AdviceFor::kCommandLine), "");
}

}  // namespace
}  // namespace namori
