// namori-cli: a name reading without the window. Arguments and output are
// UTF-8; inside, everything is Shift-JIS as in the Windows program. Messages
// that carry Japanese text are written as u8 literals, since every plain
// literal of this program is compiled to Shift-JIS.
#include <cstdio>
#include <cstring>
#include <string>

#include "engine.h"
#include "readings.h"
#include "report_file.h"
#include "sjis_utf8.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;  // the report could not be saved or printed
constexpr int kExitUsage = 2;    // bad arguments or input

const char kUsage[] =
    "usage: namori-cli [--career] [--save] [--sjis] SURNAME GIVEN\n"
    "       namori-cli --strokes TEXT\n"
    "       namori-cli --help\n";

const char kHelp[] =
    "namori-cli reads a Japanese personal name (surname and given name) and prints\n"
    "the name reading of Namori: the five grades with their number fortunes and the\n"
    "score out of 100.\n"
    "\n"
    "  namori-cli SURNAME GIVEN\n"
    "      Print the name report. Names are given in UTF-8, converted to Shift-JIS\n"
    "      (code page 932) and cut to 34 bytes (17 full-width characters) each, as\n"
    "      the name dialog does; a character is never cut in half.\n"
    "  --career\n"
    "      Print instead the career report (suitable occupations) that the career\n"
    "      command shows right after this reading. It is chosen by the outer grade;\n"
    "      outside 2 to 31 a notice is printed.\n"
    "  --save\n"
    "      Also write the report file, as the File output button does: in the\n"
    "      current directory, named surname + given name + the report's suffix\n"
    "      (the file name in UTF-8 here), content in Shift-JIS with LF line ends.\n"
    "  --sjis\n"
    "      Print the report as its raw Shift-JIS bytes instead of UTF-8.\n"
    "  --strokes TEXT\n"
    "      Print every character of TEXT with its stroke count, one per line,\n"
    "      separated by a tab (0 for a character the stroke dictionary lacks).\n"
    "  --help\n"
    "      Print this help.\n"
    "\n"
    "Exit status: 0 on success; 1 when the report file or the output could not be\n"
    u8"written; 2 for a usage error, an empty name (message \"データエラー\"), text that\n"
    "is not UTF-8, or a character that code page 932 cannot encode.\n";

// Decodes the well-formed UTF-8 character of length bytes at p.
unsigned long codePointOf(const char* p, std::size_t length) {
  const unsigned char* s = reinterpret_cast<const unsigned char*>(p);
  if (length == 1) return s[0];
  unsigned long value = s[0] & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) value = (value << 6) | (s[i] & 0x3F);
  return value;
}

void reportUnencodable(const char* what, const char* p, std::size_t length) {
  std::fprintf(stderr,
               "namori-cli: %s: the character \"%.*s\" (U+%04lX) has no code page 932 form\n", what,
               static_cast<int>(length), p, codePointOf(p, length));
}

void reportInvalidUtf8(const char* what) {
  std::fprintf(stderr, "namori-cli: %s is not valid UTF-8\n", what);
}

bool writeOut(const char* data, std::size_t size) {
  return std::fwrite(data, 1, size, stdout) == size && std::fflush(stdout) == 0;
}

// Walks UTF-8 text one character at a time, handing each with its Shift-JIS
// form (1 or 2 bytes) to visit. Reports text that is not UTF-8 or a character
// without a code page 932 form, naming `what`, and then returns false.
template <typename Visit>
bool forEachCharacter(const char* what, const char* utf8, Visit visit) {
  for (const char* p = utf8; *p != '\0';) {
    const std::size_t length = namori::utf8CharLength(p);
    if (length == 0) {
      reportInvalidUtf8(what);
      return false;
    }
    char sjis[2];
    std::size_t sjisLength;
    if (!namori::utf8CharToSjis(p, length, sjis, &sjisLength)) {
      reportUnencodable(what, p, length);
      return false;
    }
    visit(p, length, sjis, sjisLength);
    p += length;
  }
  return true;
}

int runStrokes(const char* text) {
  std::string out;
  const bool ok = forEachCharacter(
      "TEXT", text,
      [&](const char* p, std::size_t length, const char* sjis, std::size_t sjisLength) {
        const int count = sjisLength == 2 ? namori::strokeCount(static_cast<unsigned char>(sjis[0]),
                                                                static_cast<unsigned char>(sjis[1]))
                                          : 0;
        out.append(p, length);
        out.append("\t" + std::to_string(count) + "\n");
      });
  if (!ok) return kExitUsage;
  if (!writeOut(out.data(), out.size())) {
    std::fprintf(stderr, "namori-cli: could not write the output\n");
    return kExitFailure;
  }
  return kExitOk;
}

// Converts a UTF-8 name to Shift-JIS in out. Characters past the room of out
// are still checked but no longer stored; the dialog's 34-byte cut happens
// later, in storeNames.
bool convertName(const char* what, const char* utf8, char* out, std::size_t capacity) {
  std::size_t used = 0;
  out[0] = '\0';
  return forEachCharacter(what, utf8,
                          [&](const char*, std::size_t, const char* sjis, std::size_t sjisLength) {
                            if (used + sjisLength >= capacity) return;
                            std::memcpy(out + used, sjis, sjisLength);
                            used += sjisLength;
                            out[used] = '\0';
                          });
}

// Prints Shift-JIS text on stderr in UTF-8 (falls back to nothing).
void printSjisOnStderr(const char* sjis) {
  static char utf8[3 * namori::kReportFileNameBytes + 1];
  std::size_t length;
  if (namori::sjisToUtf8(sjis, std::strlen(sjis), utf8, sizeof utf8, &length)) {
    std::fwrite(utf8, 1, length, stderr);
  }
}

int runReading(const char* surname, const char* given, bool career, bool save, bool sjis) {
  // Generous room: the real limit is applied by storeNames.
  static char surnameField[256];
  static char givenField[256];
  if (!convertName("SURNAME", surname, surnameField, sizeof surnameField) ||
      !convertName("GIVEN", given, givenField, sizeof givenField)) {
    return kExitUsage;
  }

  namori::ReadingState& state = namori::readingState;
  if (!namori::storeNames(state, surnameField, givenField)) {
    std::fprintf(stderr, "%s\n", u8"データエラー");
    return kExitUsage;
  }
  namori::runNameReading(state);
  if (career) namori::runCareerCommand(state);

  const char* report = career ? state.careerReport : state.nameReport;
  const std::size_t size =
      strnlen(report, career ? sizeof state.careerReport : sizeof state.nameReport);
  int status = kExitOk;
  if (sjis) {
    if (!writeOut(report, size)) status = kExitFailure;
  } else {
    static char utf8[3 * namori::kCareerReportBytes + 1];
    std::size_t length;
    if (!namori::sjisToUtf8(report, size, utf8, sizeof utf8, &length) || !writeOut(utf8, length)) {
      status = kExitFailure;
    }
  }
  if (status != kExitOk) std::fprintf(stderr, "namori-cli: could not write the report\n");

  if (save && namori::writePendingReport(state) != namori::FileOutputResult::kWritten) {
    std::fprintf(stderr, "namori-cli: could not write the report file \"");
    printSjisOnStderr(state.reportFileName);
    std::fprintf(stderr, "\" in the current directory\n");
    status = kExitFailure;
  }
  return status;
}

int usageError(const char* message) {
  std::fprintf(stderr, "namori-cli: %s\n%s", message, kUsage);
  return kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
  bool career = false;
  bool save = false;
  bool sjis = false;
  bool strokes = false;
  const char* positional[2];
  int positionalCount = 0;
  bool optionsEnded = false;

  for (int i = 1; i < argc; ++i) {
    const char* arg = argv[i];
    if (!optionsEnded && arg[0] == '-' && arg[1] == '-') {
      if (std::strcmp(arg, "--") == 0) {
        optionsEnded = true;
      } else if (std::strcmp(arg, "--help") == 0) {
        std::fputs(kHelp, stdout);
        return std::fflush(stdout) == 0 ? kExitOk : kExitFailure;
      } else if (std::strcmp(arg, "--career") == 0) {
        career = true;
      } else if (std::strcmp(arg, "--save") == 0) {
        save = true;
      } else if (std::strcmp(arg, "--sjis") == 0) {
        sjis = true;
      } else if (std::strcmp(arg, "--strokes") == 0) {
        strokes = true;
      } else {
        std::fprintf(stderr, "namori-cli: unknown option %s\n%s", arg, kUsage);
        return kExitUsage;
      }
      continue;
    }
    if (positionalCount == 2) return usageError("too many arguments");
    positional[positionalCount++] = arg;
  }

  if (strokes) {
    if (career || save || sjis) return usageError("--strokes takes no other option");
    if (positionalCount != 1) return usageError("--strokes needs exactly one TEXT");
    return runStrokes(positional[0]);
  }
  if (positionalCount != 2) return usageError("a reading needs SURNAME and GIVEN");
  return runReading(positional[0], positional[1], career, save, sjis);
}
