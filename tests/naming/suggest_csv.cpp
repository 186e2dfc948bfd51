// namori_suggest_csv: the naming module's CSV for a surname and filters, as
// the Windows program's 一覧をファイル出力 must write it. The end-to-end tests
// (and anyone comparing another front end) take it as the expected file.
//
//   namori_suggest_csv SURNAME [--sex f|m] [--chars N] [--reading KANA]
//                      [--with CHARS] [--min-score X] [--order people] [--any-kanji]
//
// Arguments are UTF-8; the CSV goes to standard output as Shift-JIS bytes.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "naming_csv.h"
#include "sjis_utf8.h"

namespace {

bool toSjis(const char* utf8, std::string* out) {
  out->clear();
  for (const char* p = utf8; *p;) {
    const std::size_t length = namori::utf8CharLength(p);
    char sjis[2];
    std::size_t sjisLength = 0;
    if (length == 0 || !namori::utf8CharToSjis(p, length, sjis, &sjisLength)) return false;
    out->append(sjis, sjisLength);
    p += length;
  }
  return true;
}

int usage() {
  std::fprintf(stderr,
               "usage: namori_suggest_csv SURNAME [--sex f|m] [--chars N] [--reading KANA]\n"
               "       [--with CHARS] [--min-score X] [--order people] [--any-kanji]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return usage();
  std::string surname;
  namori::SuggestFilter filter;
  bool ok = toSjis(argv[1], &surname);
  for (int i = 2; ok && i < argc; ++i) {
    const std::string option = argv[i];
    if (option == "--any-kanji") {
      filter.anyKanji = true;
      continue;
    }
    if (i + 1 >= argc) return usage();
    const char* value = argv[++i];
    if (option == "--sex" && (!std::strcmp(value, "f") || !std::strcmp(value, "m"))) {
      filter.sex = *value == 'f' ? namori::SexFilter::kFemale : namori::SexFilter::kMale;
    } else if (option == "--chars") {
      filter.characters = std::atoi(value);
    } else if (option == "--reading") {
      ok = toSjis(value, &filter.reading);
    } else if (option == "--with") {
      ok = toSjis(value, &filter.with);
    } else if (option == "--min-score") {
      ok = namori::parseMinScore(value, &filter.minScore);
    } else if (option == "--order" && !std::strcmp(value, "people")) {
      filter.order = namori::SuggestOrder::kPeople;
    } else {
      return usage();
    }
  }
  if (!ok) {
    std::fprintf(stderr, "namori_suggest_csv: an argument has no Shift-JIS form or is bad\n");
    return 2;
  }
  const std::string csv =
      namori::suggestionsCsv(namori::suggestGivenNames(surname.c_str(), filter));
  return std::fwrite(csv.data(), 1, csv.size(), stdout) == csv.size() && std::fflush(stdout) == 0
             ? 0
             : 1;
}
