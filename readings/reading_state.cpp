// The reading state and the two commands that change it: the name reading
// (name dialog 実行) and the career command.
#include <cstring>

#include "readings.h"
#include "sjis.h"
#include "text_buffer.h"

namespace namori {

ReadingState readingState;

namespace {

const char kNameFileSuffix[] = "さんの姓名判断.TXT";
const char kCareerFileSuffix[] = "さんの職業運適職.TXT";

void storeOneName(char (&stored)[kNameBytes + 1], const char* field) {
  const std::size_t length = field != nullptr ? strnlen(field, kNameBytes) : 0;
  if (length > 0) std::memcpy(stored, field, length);
  stored[length] = '\0';
  // A double-byte character cut by the 34-byte limit is dropped whole.
  cutToWholeCharacters(stored, kNameBytes);
}

// Surname + given name as stored now, into out (room for both names).
void joinStoredNames(const ReadingState& state, char (&out)[sizeof ReadingState::readingNames]) {
  copyText(out, sizeof out, state.surname);
  appendText(out, sizeof out, state.givenName);
}

void setReportFileName(ReadingState& state, const char* names, const char* suffix) {
  copyText(state.reportFileName, sizeof state.reportFileName, names);
  appendText(state.reportFileName, sizeof state.reportFileName, suffix);
}

}  // namespace

bool storeNames(ReadingState& state, const char* surnameField, const char* givenField) {
  storeOneName(state.surname, surnameField);
  storeOneName(state.givenName, givenField);
  return state.surname[0] != '\0' && state.givenName[0] != '\0';
}

void runNameReading(ReadingState& state) {
  joinStoredNames(state, state.readingNames);
  setReportFileName(state, state.readingNames, kNameFileSuffix);
  state.careerPending = 0;
  state.namePending = 1;

  const GradeValues grades = computeGrades(state.surname, state.givenName);
  // The career command keys on the raw 外運, never on the folded value.
  state.lastOuterGrade = grades.value[kGaiun];
  buildNameReport(state, readGrades(grades));
}

void runCareerCommand(ReadingState& state) {
  std::memset(state.careerReport, 0, sizeof state.careerReport);
  char names[sizeof state.readingNames];
  if (state.readingNames[0] != '\0') {
    copyText(names, sizeof names, state.readingNames);
  } else {
    joinStoredNames(state, names);  // before any reading
  }
  setReportFileName(state, names, kCareerFileSuffix);
  state.careerPending = 1;
  state.namePending = 0;
  buildCareerReport(state.lastOuterGrade, state.careerReport);
}

}  // namespace namori
