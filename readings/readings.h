// Reading state, the name and career reports and the report file: what one
// command leaves for the next. Plain functions over a ReadingState, so the
// whole command sequence runs without a window.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "engine.h"

namespace namori {

constexpr std::size_t kNameBytes = 34;                   // per name, without the NUL
constexpr std::size_t kNameFieldBytes = kNameBytes + 1;  // dialog read limit
constexpr std::size_t kNameReportBytes = 1024;
constexpr std::size_t kCareerReportBytes = 4096;
constexpr std::size_t kReportFileNameBytes = kNameBytes * 2 + 20 + 1;

struct ReadingState {
  char surname[kNameBytes + 1];
  char givenName[kNameBytes + 1];
  int lastOuterGrade;
  char nameReport[kNameReportBytes];
  char careerReport[kCareerReportBytes];
  char reportFileName[kReportFileNameBytes];
  // Surname + given name of the last name reading; empty before the first.
  // The career file is named after these, not after names a rejected dialog
  // left behind.
  char readingNames[kNameBytes * 2 + 1];
  int namePending;
  int careerPending;
};

// The process-wide state used by the front ends; zero at start-up.
extern ReadingState readingState;

// Name dialog 実行, first half: replaces the stored names with the two field
// texts, each cut to 34 bytes at a character boundary. Returns false when
// either stored name is empty; then nothing else may change.
bool storeNames(ReadingState& state, const char* surnameField, const char* givenField);

// Name dialog 実行, second half, after storeNames succeeded: sets the report
// file name and pending flags, computes the grades (keeping the raw 外運),
// and builds the name report in state.nameReport.
void runNameReading(ReadingState& state);

// The name report text for the stored names and their grades' reading,
// into state.nameReport.
void buildNameReport(ReadingState& state, const GradeReading& reading);

// The characters of the two Shift-JIS names that count 0 strokes, each once,
// in order of first appearance (null reads as empty).
std::vector<std::string> zeroStrokeCharacters(const char* surname, const char* givenName);

// For one Shift-JIS character, the first of the variants Unihan gives it
// that counts strokes: 高 for 髙, 凛 for 凜, 崎 for 﨑. Empty when none does.
std::string countingVariant(const char* character);

// The warning shown before a reading of these names when some of their
// characters count 0 strokes, in every Japanese front end. The characters
// without a variant that counts come first in one sentence,
// 「次の字は辞書にないため 0 画として数えます：Ｕ、a」; then one sentence for each
// of the others, 「髙 は辞書にないため 0 画として数えます（高 なら 10 画）」; the
// sentences are separated by U+3000. Empty when every character counts.
std::string zeroStrokeWarning(const char* surname, const char* givenName);

// One Shift-JIS character as a message names it: a space as （空白）, a
// full-width space as （全角空白）, a tab as （タブ）, any other as itself.
std::string visibleCharacter(const std::string& character);

// Career command (id 201): clears the career text, sets the file name (after
// the last reading's names, or the stored names before any reading) and the
// flags, and builds the text for state.lastOuterGrade.
void runCareerCommand(ReadingState& state);

// Writes the entry for outerGrade, or the out-of-range notice, into a
// zero-cleared buffer of kCareerReportBytes.
void buildCareerReport(int outerGrade, char* buffer);

// The title of the career entry for outerGrade without its frame of
// asterisks (「自由業で行こう」 for 11), or "" outside 2 to 31.
std::string careerTitle(int outerGrade);

// The report the File output button would write: the name report, the
// career report, or null when neither is pending.
const char* pendingReport(const ReadingState& state);

// File output (id 202): writes the pending report, up to its NUL, as the
// whole report file in the current directory (see writeFileAtomically).
// kNothingPending: no report pending, nothing opened. kFailed: the name was
// refused (see isSafeFileName) or the file could not be replaced; the
// old file, if any, is then unchanged.
enum class FileOutputResult { kNothingPending, kWritten, kFailed };
FileOutputResult writePendingReport(const ReadingState& state);

}  // namespace namori
