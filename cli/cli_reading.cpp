// Names in, readings out, for namori-cli. Texts that carry Japanese are u8
// literals here: every plain literal of this program is Shift-JIS.
#include "cli_reading.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "career_table.h"
#include "engine.h"
#include "readings.h"
#include "sjis_utf8.h"

namespace namori::cli {

namespace {

// The well-formed UTF-8 character of length bytes at p as a code point.
unsigned long codePointOf(const char* p, std::size_t length) {
  const unsigned char* s = reinterpret_cast<const unsigned char*>(p);
  if (length == 1) return s[0];
  unsigned long value = s[0] & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) value = (value << 6) | (s[i] & 0x3F);
  return value;
}

// Calls visit(character, length) for each character of Shift-JIS text.
template <typename Visit>
void forEachSjisCharacter(std::string_view sjis, Visit visit) {
  const std::string text(sjis);  // charLength needs the terminator
  for (const char* p = text.c_str(); std::size_t length = charLength(p); p += length) {
    visit(p, length);
  }
}

// Each character's strokes into counts, an array.
void fillStrokes(const Name& name, Json* counts) {
  *counts = Json::array();
  forEachSjisCharacter(name.sjis,
                       [&](const char* p, std::size_t) { counts->push_back(characterStrokes(p)); });
}

const char* const kGradeNames[kGradeCount] = {u8"総運", u8"天運", u8"地運", u8"人運", u8"外運"};

// Index 0 stands for the out-of-range notice, index g for the entry of 外運 g.
constexpr int kCareerSlots = kCareerFirstValue + kCareerEntryCount;

int careerSlot(int outerGrade) {
  return outerGrade >= kCareerFirstValue && outerGrade < kCareerSlots ? outerGrade : 0;
}

// The fixed texts in UTF-8: every fortune at once, a career text when first
// asked for.
struct FixedTexts {
  FixedTexts() {
    for (int i = 0; i < kFortuneCount; ++i) fortunes[i] = toUtf8(NumberFortuneTable[i].text);
  }

  const std::string& career(int outerGrade) {
    std::string& text = careers[careerSlot(outerGrade)];
    if (text.empty()) {
      static char report[kCareerReportBytes];
      buildCareerReport(outerGrade, report);
      text = toUtf8(report);
    }
    return text;
  }

  std::array<std::string, kFortuneCount> fortunes;
  std::array<std::string, kCareerSlots> careers;
};

FixedTexts& fixedTexts() {
  static FixedTexts texts;
  return texts;
}

bool isSeparator(std::string_view line, std::size_t at, std::size_t* length) {
  static const std::string_view kIdeographicSpace = u8"　";
  if (line[at] == ' ' || line[at] == '\t') {
    *length = 1;
    return true;
  }
  if (line.compare(at, kIdeographicSpace.size(), kIdeographicSpace) == 0) {
    *length = kIdeographicSpace.size();
    return true;
  }
  return false;
}

// Splits a line into its fields at runs of white space.
std::vector<std::string> splitFields(std::string_view line) {
  std::vector<std::string> fields;
  std::string field;
  for (std::size_t at = 0, length; at < line.size();) {
    if (isSeparator(line, at, &length)) {
      if (!field.empty()) fields.push_back(std::move(field));
      field.clear();
      at += length;
    } else {
      field += line[at++];
    }
  }
  if (!field.empty()) fields.push_back(std::move(field));
  return fields;
}

bool isUtf8(std::string_view text) {
  const std::string copy(text);  // utf8CharLength needs the terminator
  for (std::size_t at = 0, length; at < copy.size(); at += length) {
    if ((length = utf8CharLength(copy.c_str() + at)) == 0) return false;
  }
  return true;
}

std::string errorLine(std::size_t lineNumber, const std::string& message) {
  return Json{{"line", lineNumber}, {"error", message}}.dump();
}

// Calls visit(utf8Character, sjisCharacter) for each character of UTF-8
// text. Text that is not UTF-8, or a character without a code page 932 form,
// stops the walk with false and a message naming `what` in *error.
template <typename Visit>
bool forEachUtf8Character(std::string_view utf8, const char* what, std::string* error,
                          Visit visit) {
  const std::string text(utf8);  // utf8CharLength needs the terminator
  for (std::size_t at = 0, length; at < text.size(); at += length) {
    const char* p = text.c_str() + at;
    if ((length = utf8CharLength(p)) == 0) {
      *error = std::string(what) + " is not valid UTF-8";
      return false;
    }
    char sjis[2];
    std::size_t sjisLength = 0;
    if (!utf8CharToSjis(p, length, sjis, &sjisLength)) {
      *error = std::string(what) + ": the character \"" +
               describeCharacter(std::string_view(p, length)).insert(length, "\"") +
               " has no code page 932 form";
      return false;
    }
    visit(std::string_view(p, length), std::string_view(sjis, sjisLength));
  }
  return true;
}

}  // namespace

std::string toUtf8(std::string_view sjis) {
  std::string utf8(3 * sjis.size() + 1, '\0');
  std::size_t length = 0;
  if (!sjisToUtf8(sjis.data(), sjis.size(), utf8.data(), utf8.size(), &length)) return "";
  utf8.resize(length);
  return utf8;
}

std::string describeCharacter(std::string_view utf8Character) {
  char codePoint[16];
  std::snprintf(codePoint, sizeof codePoint, " (U+%04lX)",
                codePointOf(utf8Character.data(), utf8Character.size()));
  return std::string(utf8Character) + codePoint;
}

bool toSjis(std::string_view utf8, const char* what, std::string* sjis, std::string* error) {
  sjis->clear();
  return forEachUtf8Character(utf8, what, error, [&](std::string_view, std::string_view character) {
    sjis->append(character);
  });
}

std::string strokeLines(std::string_view sjis) {
  std::string lines;
  forEachSjisCharacter(sjis, [&](const char* p, std::size_t length) {
    lines +=
        toUtf8(std::string_view(p, length)) + "\t" + std::to_string(characterStrokes(p)) + "\n";
  });
  return lines;
}

bool convertName(std::string_view utf8, const char* what, Name* out, std::string* error) {
  *out = Name{};
  // The dialog's 34-byte cut keeps whole characters only; the characters
  // after it are still checked.
  return forEachUtf8Character(
      utf8, what, error, [&](std::string_view utf8Character, std::string_view character) {
        if (out->wasCut || out->sjis.size() + character.size() > kNameBytes) {
          out->wasCut = true;
          return;
        }
        out->sjis.append(character);
        out->utf8.append(utf8Character);
      });
}

void collectUnknown(std::string_view sjis, std::vector<std::string>* found) {
  forEachSjisCharacter(sjis, [&](const char* p, std::size_t length) {
    if (characterStrokes(p) != 0) return;
    std::string character = toUtf8(std::string_view(p, length));
    if (std::find(found->begin(), found->end(), character) == found->end()) {
      found->push_back(std::move(character));
    }
  });
}

namespace {

// Sets a string value, reusing the string already there.
void setString(Json& slot, const std::string& text) {
  if (slot.is_string()) {
    slot.get_ref<std::string&>() = text;
  } else {
    slot = text;
  }
}

void fillReadingJson(const Name& surname, const Name& given, bool career, Json* reading) {
  FixedTexts& texts = fixedTexts();
  Json& r = *reading;
  // Values are assigned in place, so that a reused object keeps its
  // allocations; the keys come out in the order they are first set.
  setString(r["surname"], surname.utf8);
  setString(r["given"], given.utf8);
  fillStrokes(surname, &r["strokes"]["surname"]);
  fillStrokes(given, &r["strokes"]["given"]);

  std::vector<std::string> unknown;
  collectUnknown(surname.sjis, &unknown);
  collectUnknown(given.sjis, &unknown);
  r["unknown"] = unknown;

  const GradeValues grades = computeGrades(surname.sjis.c_str(), given.sjis.c_str());
  const GradeReading gradeReading = readGrades(grades);
  Json& gradeList = r["grades"];
  for (int grade = 0; grade < kGradeCount; ++grade) {
    Json& entry = gradeList[grade];
    entry["name"] = kGradeNames[grade];
    entry["value"] = grades.value[grade];
    entry["index"] = gradeReading.index[grade];
    setString(entry["fortune"], texts.fortunes[gradeReading.index[grade]]);
    entry["weight"] = gradeReading.record[grade]->weight;
  }
  Json& scoreJson = r["score"];
  scoreJson["first"] = formatOneDecimal(gradeReading.score.firstPart);
  scoreJson["second"] = formatOneDecimal(gradeReading.score.secondPart);
  scoreJson["total"] = formatOneDecimal(gradeReading.score.total);

  if (career) {
    const int outer = grades.value[kGaiun];
    r["career"]["outerGrade"] = outer;
    setString(r["career"]["text"], texts.career(outer));
  } else {
    r.erase("career");
  }
}

}  // namespace

Json readingJson(const Name& surname, const Name& given, bool career) {
  Json reading;
  fillReadingJson(surname, given, career, &reading);
  return reading;
}

bool batchLine(std::string_view line, std::size_t lineNumber, bool career, std::string* out) {
  if (!isUtf8(line)) {
    *out = errorLine(lineNumber, "the line is not valid UTF-8");
    return false;
  }
  const std::vector<std::string> fields = splitFields(line);
  if (fields.size() != 2) {
    *out = errorLine(lineNumber, "expected SURNAME and GIVEN separated by white space, found " +
                                     std::to_string(fields.size()) + " fields");
    return false;
  }
  Name surname, given;
  std::string error;
  if (!convertName(fields[0], "SURNAME", &surname, &error) ||
      !convertName(fields[1], "GIVEN", &given, &error)) {
    *out = errorLine(lineNumber, error);
    return false;
  }
  static Json reading;  // reused from line to line
  fillReadingJson(surname, given, career, &reading);
  *out = reading.dump();
  return true;
}

}  // namespace namori::cli
