// The naming window's logic: what its fields turn into, what it says, and
// that its list and its file show the module's list.
#include "naming_window.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "naming_csv.h"
#include "readings/test_support.h"
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
  form.with = "翔　太、陽,･・菜､\t";
  form.without = "死，苦";
  form.minScore = "９０．５";
  form.order = 1;
  form.anyKanji = true;
  const Read r = read(form);
  const SuggestFilter& f = r.filter;
  ASSERT_EQ(r.problem, "");
  EXPECT_EQ(r.surname, "山田１");
  EXPECT_EQ(std::tie(f.sex, f.characters, f.reading, f.with, f.without, f.minScore, f.order,
                     f.anyKanji, f.names, f.allReadings),
            std::make_tuple(SexFilter::kFemale, 3, std::string("ゆ*"), std::string("翔太陽菜"),
                            std::string("死苦"), 90.5, SuggestOrder::kPeople, true,
                            NameScope::kCommon, false));
  form.sex = form.order = 2;
  form.scope = 1;
  const SuggestFilter other = read(form).filter;
  EXPECT_EQ(std::tie(other.sex, other.order, other.names),
            std::make_tuple(SexFilter::kMale, SuggestOrder::kPopular, NameScope::kPeople));
  form.surname = "亜\x95";  // 亜 ends in 0x9F, a lead byte too; 0x95 has no trail byte
  EXPECT_EQ(read(form).surname, "亜");
  form.surname = "一二三四五六七八九十一二三四五六七";  // 34 bytes, the longest taken
  EXPECT_EQ(read(form).surname, form.surname);
}

// A bad field is named, never answered with a wrong or empty list.
TEST(NamingForm, ABadFieldIsNamed) {
  const struct {
    NamingField bad;
    const char* typed;    // in that field; the surname is 山田 otherwise
    const char* message;  // its start
  } cases[] = {
      {NamingField::kSurname, "", "姓を"},
      {NamingField::kSurname, " 　", "姓を"},
      {NamingField::kSurname, "ABＵ", "姓の字が"},
      {NamingField::kSurname, "佐藤 太郎", "姓だけを入力してください（名は要りません）"},
      {NamingField::kSurname, "佐藤　太郎", "姓だけを"},
      {NamingField::kSurname, "一二三四五六七八九十一二三四五六七八", "姓が長すぎます"},
      {NamingField::kReading, "yu*", "読みは"},
      {NamingField::kReading, "ゆ*と", "読みは"},
      {NamingField::kWith, "ab、a陽",
       "使いたい字には、名に使う漢字かかなを入力してください。英字や数字は使えません：a、b（"},
      {NamingField::kWithout, "死１", "使わない字には"},
      {NamingField::kMinScore, "101", "最低得点は"},
      {NamingField::kMinScore, "八十", "最低得点は"},
  };
  for (const auto& c : cases) {
    NamingForm form;
    form.surname = "山田";
    std::string* const fields[] = {&form.surname, &form.reading, &form.with, &form.without,
                                   &form.minScore};
    *fields[static_cast<int>(c.bad)] = c.typed;
    const Read r = read(form);
    EXPECT_EQ(r.problem.rfind(c.message, 0), 0u) << r.problem;
    EXPECT_EQ(r.bad, c.bad) << c.message;
  }
}

TEST(NamingTexts, TheCountLineNamesTheListsSurnameFiltersAndOrder) {
  EXPECT_EQ(groupDigits(1234567), "1,234,567");
  SuggestFilter f;
  f.sex = SexFilter::kFemale;
  f.characters = 3;
  f.reading = "ゆ*";
  f.names = NameScope::kPeople;
  EXPECT_EQ(namingStatus(75237, f, "佐藤"),
            "佐藤さん・女の子・3文字・ゆ*・人名にある名：候補 75,237 件（得点順）");
  SuggestFilter all;
  all.with = "翔";
  all.without = "死";
  all.minScore = 80.5;
  all.anyKanji = all.allReadings = true;
  all.names = NameScope::kAll;
  all.order = SuggestOrder::kPeople;
  EXPECT_EQ(namingStatus(999, all, "髙﨑", {kFirstGradeColumn, true}),
            "髙﨑さん・使いたい字 翔・使わない字 死・80.5 点以上・意味のよくない字も含める・"
            "すべての名・すべての読み：候補 999 件（総運の大きい順）　"
            "髙 は辞書にないため 0 画として数えます（高 なら 10 画）　"
            "﨑 は辞書にないため 0 画として数えます（崎 なら 11 画）");
  EXPECT_EQ(sortName(all, {kRankColumn, false}), "人名に多い順");
  all.order = SuggestOrder::kPopular;
  EXPECT_EQ(sortName(all, {kRankColumn, false}), "人気順");
  const std::pair<NamingSort, const char*> names[] = {
      {{kRankColumn, true}, "得点順・逆順"},
      {{kReadingsColumn, false}, "読みの昇順"},
      {{kSexColumn, true}, "性別の降順"},
      {{kScoreColumn, false}, "得点の小さい順"},
      {nextSort({}, kRankingColumn), "ランキング順"},
      {{kRankingColumn, false}, "ランキングの逆順"}};
  for (const auto& [sort, name] : names) EXPECT_EQ(sortName(f, sort), name);
}

// A first click sorts numbers largest first and text in code order; a second
// reverses; ties keep their rank.
TEST(NamingSort, HeaderClicksSortTheRowsAndKeepTheirRanks) {
  const NamingSort sort = nextSort(NamingSort{}, kScoreColumn);
  EXPECT_TRUE(sort.column == kScoreColumn && sort.descending);
  for (const int c : {kScoreColumn, kGivenColumn, kRankColumn}) {
    EXPECT_FALSE(nextSort(sort, c).descending) << c;
  }
  EXPECT_TRUE(nextSort(NamingSort{}, kRankColumn).descending);

  // 中村's girls' names of one character: printed scores tie where the
  // exact ones differ (59.0: 響 59, the others 59.000000000000014).
  SuggestFilter filter;
  filter.sex = SexFilter::kFemale;
  filter.characters = 1;
  const Suggestions list = suggestGivenNames("中村", filter);
  const auto column = [&list](std::size_t rank, int c) { return suggestionCells(list, rank)[c]; };
  for (int c = kGivenColumn; c < kRankingColumn; ++c) {  // 名 to 人名数
    const bool number = c >= kFirstGradeColumn;
    EXPECT_EQ(nextSort({}, c).descending, number) << c;  // numbers largest first
    for (const bool descending : {false, true}) {
      const std::vector<std::size_t> rows = sortedRanks(list, {c, descending});
      ASSERT_EQ(rows.size(), list.size());
      for (std::size_t i = 1; i < rows.size(); ++i) {
        const std::string a = column(rows[i - 1], c), b = column(rows[i], c);
        const int order =
            number ? (std::stod(a) > std::stod(b)) - (std::stod(a) < std::stod(b)) : a.compare(b);
        EXPECT_TRUE(descending ? order > 0 || (order == 0 && rows[i - 1] < rows[i])
                               : order < 0 || (order == 0 && rows[i - 1] < rows[i]))
            << c << " row " << i;
      }
    }
  }
  // ランキング: the later year first, then the better rank.
  SuggestFilter haruto;
  haruto.reading = "はると";
  const Suggestions ranked = suggestGivenNames("山田", haruto);
  const std::vector<std::size_t> byRank = sortedRanks(ranked, nextSort({}, kRankingColumn));
  EXPECT_EQ(
      std::string(ranked[byRank[0]].given) + ranked[byRank[1]].given + ranked[byRank[2]].given,
      "陽翔大翔陽斗");  // 2025: 3位, 24位, 30位
  const std::vector<std::size_t> reversed = sortedRanks(list, {kRankColumn, true});
  EXPECT_EQ(reversed.front(), list.size() - 1);
  EXPECT_EQ(reversed.back(), 0u);

  // Copied rows: the titles, then the rows asked for, in that order.
  const std::string tsv = suggestionsTsv(list, {2, 0});
  EXPECT_EQ(
      tsv.rfind(
          "順位\t名\t読み\t性別\t総運\t天運\t地運\t人運\t外運\t得点\t人名数\tランキング\r\n3\t", 0),
      0u);
  EXPECT_NE(tsv.find("\r\n1\t"), std::string::npos);
  EXPECT_EQ(tsv.substr(tsv.size() - 2), "\r\n");
}

// An empty list names the one change that finds names, and only a change
// that does.
TEST(NamingTexts, AnEmptyListSaysWhatWouldFindNames) {
  SuggestFilter crow;
  crow.sex = SexFilter::kMale;
  crow.with = "烏";
  crow.names = NameScope::kAll;
  EXPECT_EQ(emptyListHint("山田", crow), EmptyListHint::kAnyKanji);
  EXPECT_EQ(namingStatus(0, crow, "山田"),
            "山田さん・男の子・使いたい字 烏・すべての名：候補 0 件（得点順）　"
            "「意味のよくない字も含める」にチェックを入れると見つかります。");
  crow.anyKanji = true;
  EXPECT_EQ(emptyListHint("山田", crow), EmptyListHint::kNone);  // it finds them
  // Names in use only: every name and reading, and the avoided kanji, find them.
  crow.names = NameScope::kCommon;
  crow.allReadings = true;
  EXPECT_EQ(emptyListHint("山田", crow), EmptyListHint::kAllNames);
  EXPECT_EQ(namingStatus(0, crow, "山田"),
            "山田さん・男の子・使いたい字 烏・意味のよくない字も含める・すべての読み：候補 0 "
            "件（得点順）　名前の範囲を「すべての名」にし、すべての読みを出すと見つかります。");
  crow.anyKanji = false;
  EXPECT_EQ(emptyListHint("山田", crow), EmptyListHint::kAllNamesAnyKanji);
  // Each front end names its own controls.
  EXPECT_EQ(
      emptyListAdvice("山田", crow, AdviceFor::kWindow),
      "名前の範囲を「すべての名」にし、すべての読みと意味のよくない字も含めると見つかります。");
  EXPECT_EQ(emptyListAdvice("山田", crow, AdviceFor::kPage),
            "条件に合う名前はありません。名前の範囲を「すべての名」にし、"
            "「使われた記録がなく字の読みにもない読みも出す」と"
            "「名付けで避けられがちな字を含む名前も出す」にチェックを入れると見つかります。");
  EXPECT_EQ(emptyListAdvice("山田", crow, AdviceFor::kCommandLine),
            " (the list holds names in use, without the kanji parents avoid; --names all "
            "--all-readings --any-kanji lists every name and reading)");

  SuggestFilter sound;
  sound.reading = "ゆうす";  // ゆうすけ
  sound.names = NameScope::kAll;
  sound.allReadings = true;
  EXPECT_EQ(emptyListHint("山田", sound), EmptyListHint::kReadingPrefix);
  EXPECT_EQ(namingStatus(0, sound, "山田"),
            "山田さん・ゆうす・すべての名・すべての読み：候補 0 "
            "件（得点順）　読みを「ゆうす*」にすると、「ゆうす」で始まる名が見つかります。");
  EXPECT_EQ(emptyListAdvice("山田", sound, AdviceFor::kCommandLine),
            " (ゆうす* finds the names whose reading starts so)");
  sound.reading = "ゑゑゑ";
  EXPECT_EQ(emptyListHint("山田", sound), EmptyListHint::kNone);
  // あが* finds names only beyond the names in use: no hint says it would.
  SuggestFilter aga;
  aga.reading = "あが";
  EXPECT_EQ(emptyListHint("山田", aga), EmptyListHint::kNone);
  aga.reading = "うつつき";  // 美月's, known nowhere
  EXPECT_EQ(emptyListHint("山田", aga), EmptyListHint::kAllNames);
  EXPECT_NE(emptyListAdvice("山田", aga, AdviceFor::kCommandLine).find("--all-readings lists"),
            std::string::npos);
  EXPECT_EQ(emptyListAdvice("山田", sound, AdviceFor::kPage),
            "条件に合う名前はありません。条件を減らしてみてください。");
  EXPECT_EQ(emptyListAdvice("山田", sound, AdviceFor::kCommandLine), "");
}

class NamingExport : public InTempDirectory {};

TEST_F(NamingExport, WritesTheListAsShownWhereAskedOrSaysWhyNot) {
  SuggestFilter filter;
  filter.with = "美";
  filter.names = NameScope::kAll;
  const Suggestions list = suggestGivenNames("佐藤", filter);
  ASSERT_GT(list.size(), 1000u);
  EXPECT_EQ(defaultExportName("佐藤"), "佐藤さんの名付け候補.CSV");
  EXPECT_EQ(defaultExportName("a/b"), "");
  const std::vector<std::size_t> shown = sortedRanks(list, {kScoreColumn, false});
  bool written = false;
  ASSERT_TRUE(std::filesystem::create_directory(u8"表"));  // 0x5C as a second byte
  const std::string path = "表/佐藤さんの名付け候補.CSV";
  const std::vector<std::size_t> two = {shown[1], shown[0]};  // rows picked, in their order
  EXPECT_EQ(exportSuggestions(list, two, path, &written), path + " に 2 件を書き出しました");
  EXPECT_TRUE(written);
  EXPECT_EQ(readFile(u8"表/佐藤さんの名付け候補.CSV"), suggestionsCsv(list, two));

  for (const char* refused : {"x/..", "e*", "x/"}) {
    EXPECT_EQ(exportSuggestions(list, shown, refused, &written).rfind("「", 0), 0u);
    EXPECT_FALSE(written);
  }
  EXPECT_EQ(
      exportSuggestions(list, shown, "c:d", &written),
      "「c:d」はファイル名に使えません（\\ / : * ? \" < > | などを含まない名前にしてください）。");
  EXPECT_EQ(exportSuggestions(list, shown, "無い/a.CSV", &written),
            "無い/a.CSV "
            "を書き出せませんでした。書き込めないフォルダーか、ほかのプログラムがこのファイルを開い"
            "ています。");
  EXPECT_FALSE(written);
  EXPECT_EQ(entryCount(), 1u);
}

}  // namespace
}  // namespace namori
