// namori_suggest_csv: the naming module's CSV for a surname and filters, as
// the Windows program's 一覧をファイル出力 must write it. The end-to-end tests
// take it as the expected file. Arguments (kUsage) are UTF-8; the CSV goes to
// standard output as Shift-JIS bytes.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "naming_csv.h"
#include "utf8_reading.h"

const char kUsage[] =
    "usage: namori_suggest_csv SURNAME [--sex f|m] [--chars N] [--min-score X] [--reading KANA] "
    "[--with CHARS] [--names common|people|all] [--readings all] [--sort score|people|popular]";

int main(int argc, char** argv) {
  std::string surname;
  namori::SuggestFilter filter;
  std::string error = argc % 2 == 0 ? "" : "an option without its value";
  bool ok = argc % 2 == 0 && namori::text::toSjis(argv[1], "SURNAME", &surname, &error);
  for (int i = 2; ok && i + 1 < argc; i += 2) {
    const std::string option = argv[i], value = argv[i + 1];
    if (option == "--sex" && (value == "f" || value == "m")) {
      filter.sex = value == "f" ? namori::SexFilter::kFemale : namori::SexFilter::kMale;
    } else if (option == "--chars") {
      filter.characters = std::atoi(value.c_str());
    } else if (option == "--min-score") {
      ok = namori::parseMinScore(value, &filter.minScore);
      if (!ok) error = "--min-score takes a number from 0 to 100";
    } else if (option == "--names" && (value == "people" || value == "all")) {
      filter.names = value == "all" ? namori::NameScope::kAll : namori::NameScope::kPeople;
    } else if (option == "--readings" && value == "all") {
      filter.allReadings = true;
    } else if (option == "--sort" && (value == "people" || value == "popular")) {
      filter.order =
          value == "people" ? namori::SuggestOrder::kPeople : namori::SuggestOrder::kPopular;
    } else if (option == "--reading" || option == "--with") {
      ok = namori::text::toSjis(value, argv[i], option == "--with" ? &filter.with : &filter.reading,
                                &error);
    } else {
      ok = false, error = "unknown option or value: " + option + " " + value;
    }
  }
  if (!ok) {
    std::fprintf(stderr, "namori_suggest_csv: %s\n%s\n", error.c_str(), kUsage);
    return 2;
  }
  const std::string csv =
      namori::suggestionsCsv(namori::suggestGivenNames(surname.c_str(), filter));
  return std::fwrite(csv.data(), 1, csv.size(), stdout) == csv.size() && std::fflush(stdout) == 0
             ? 0
             : 1;
}
