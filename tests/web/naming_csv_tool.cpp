// Writes the naming list's CSV as the native build makes it, for the browser
// test to compare with the page's download: the file suggestionsCsvFileName
// names, in the current directory.
//   naming_csv_tool SURNAME SEX CHARS MIN_SCORE   (SEX: "", f or m)
#include <cstdio>
#include <cstdlib>
#include <string>

#include "cli_reading.h"
#include "naming.h"
#include "naming_csv.h"

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: naming_csv_tool SURNAME SEX CHARS MIN_SCORE\n");
    return 2;
  }
  std::string surname, error;
  namori::SuggestFilter filter;
  if (!namori::cli::toSjis(argv[1], "SURNAME", &surname, &error) ||
      !namori::parseMinScore(argv[4], &filter.minScore)) {
    std::fprintf(stderr, "naming_csv_tool: bad argument\n");
    return 2;
  }
  const std::string sex = argv[2];
  filter.sex = sex == "f"   ? namori::SexFilter::kFemale
               : sex == "m" ? namori::SexFilter::kMale
                            : namori::SexFilter::kAny;
  filter.characters = std::atoi(argv[3]);
  const std::string csv = namori::suggestionsCsv(namori::suggestGivenNames(surname.c_str(), filter));
  const std::string fileName = namori::suggestionsCsvFileName(surname.c_str());
  std::FILE* file = std::fopen(namori::cli::toUtf8(fileName).c_str(), "wb");
  if (!file || std::fwrite(csv.data(), 1, csv.size(), file) != csv.size() || std::fclose(file)) {
    std::fprintf(stderr, "naming_csv_tool: could not write the CSV\n");
    return 1;
  }
  return 0;
}
