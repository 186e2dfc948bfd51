// Names in, readings out, in UTF-8. Texts that carry Japanese are u8
// literals here: every plain literal of this program is Shift-JIS.
#include "utf8_reading.h"

#include <algorithm>
#include <cstdio>

#include "career_table.h"
#include "engine.h"
#include "kana.h"
#include "readings.h"
#include "registrable.h"
#include "sjis_utf8.h"

namespace namori::text {

namespace {

// Calls visit(character, length) for each character of Shift-JIS text.
template <typename Visit>
void forEachSjisCharacter(std::string_view sjis, Visit visit) {
  const std::string text(sjis);  // charLength needs the terminator
  for (const char* p = text.c_str(); std::size_t length = charLength(p); p += length) {
    visit(p, length);
  }
}

// A kanji (仝 々 〆 〇 too) or a kana: what a Japanese name is written in,
// whether or not the stroke dictionary has it. A kanji is what Unicode files
// as an ideograph, so that the numerals and signs among code page 932's
// extension kanji (ⅰ ￤ ㈱ ∵) and the user-defined codes are none.
bool isNameCharacter(const char* p, std::size_t length) {
  if (length != 2) return false;
  if (isNameKana(static_cast<unsigned char>(p[0]) << 8 | static_cast<unsigned char>(p[1]))) {
    return true;
  }
  char utf8[4];
  std::size_t utf8Length = 0;
  if (!sjisToUtf8(p, length, utf8, sizeof utf8, &utf8Length)) return false;
  const unsigned long c = codePointOf(utf8, utf8Length);
  return (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0x3005 && c <= 0x3007);
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

constexpr std::string_view kIdeographicSpace = u8"　";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isSeparator(std::string_view line, std::size_t at, std::size_t* length) {
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

// Nothing but spaces, tabs and U+3000.
bool isBlank(std::string_view line) {
  for (std::size_t at = 0, length; at < line.size(); at += length) {
    if (!isSeparator(line, at, &length)) return false;
  }
  return true;
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

// C0 controls, DEL and C1 controls: nothing a name holds, and raw on a
// terminal or in a report they would act rather than show.
bool isControl(unsigned long codePoint) {
  return codePoint < 0x20 || (codePoint >= 0x7F && codePoint <= 0x9F);
}

std::string codePointText(unsigned long codePoint) {
  char text[16];
  std::snprintf(text, sizeof text, "U+%04lX", codePoint);
  return text;
}

// Calls visit(utf8Character, sjisCharacter) for each character of UTF-8
// text. Text that is not UTF-8, a control character, or a character without
// a code page 932 form stops the walk with false and a message naming `what`
// in *error.
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
    const unsigned long codePoint = codePointOf(p, length);
    if (isControl(codePoint)) {
      *error = std::string(what) + ": the control character " + codePointText(codePoint) +
               " cannot be part of a name";
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
  return std::string(utf8Character) + " (" +
         codePointText(codePointOf(utf8Character.data(), utf8Character.size())) + ")";
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

void collectUnregistrable(const Name& given, std::vector<std::string>* found) {
  for (const std::string& character : unregistrableCharacters(given.sjis.c_str())) {
    found->push_back(toUtf8(character));
  }
}

bool canBeRead(const Name& name, const char* what, std::string* error) {
  bool readable = name.sjis.empty();
  forEachSjisCharacter(name.sjis, [&](const char* p, std::size_t length) {
    readable = readable || characterStrokes(p) != 0 || isNameCharacter(p, length);
  });
  if (readable) return true;
  *error = std::string(what) + " has no kanji or kana and no character in the stroke dictionary:";
  const char* separator = " ";
  for (const std::string& character : zeroStrokeCharacters(name.sjis.c_str(), "")) {
    *error += separator + describeCharacter(toUtf8(character));
    separator = ", ";
  }
  return false;
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

}  // namespace

JsonReader::JsonReader(bool career)
    : career_(career),
      fortunes_(kFortuneCount),
      classes_(kFortuneClassCount),
      careers_(kCareerSlots) {}

const std::string& JsonReader::fortuneText(int index) {
  std::string& text = fortunes_[index];
  if (text.empty()) text = toUtf8(NumberFortuneTable[index].text);
  return text;
}

const std::string& JsonReader::fortuneClassName(FortuneClass fortuneClass) {
  std::string& text = classes_[static_cast<std::size_t>(fortuneClass)];
  if (text.empty()) text = toUtf8(fortuneClassText(fortuneClass));
  return text;
}

const std::string& JsonReader::careerText(int outerGrade) {
  std::string& text = careers_[careerSlot(outerGrade)];
  if (text.empty()) {
    std::vector<char> report(kCareerReportBytes);
    buildCareerReport(outerGrade, report.data());
    text = toUtf8(report.data());
  }
  return text;
}

void JsonReader::fill(const Name& surname, const Name& given, Json* reading) {
  Json& r = *reading;
  // Values are assigned in place, so that a reused object keeps its
  // allocations; the keys come out in the order they are first set.
  setString(r["surname"], surname.utf8);
  setString(r["given"], given.utf8);
  Json& cut = r["cut"];
  cut = Json::array();
  if (surname.wasCut) cut.push_back("surname");
  if (given.wasCut) cut.push_back("given");
  fillStrokes(surname, &r["strokes"]["surname"]);
  fillStrokes(given, &r["strokes"]["given"]);

  characters_.clear();
  for (const std::string& character :
       zeroStrokeCharacters(surname.sjis.c_str(), given.sjis.c_str())) {
    characters_.push_back(toUtf8(character));
  }
  r["unknown"] = characters_;
  characters_.clear();
  collectUnregistrable(given, &characters_);
  r["notRegistrable"] = characters_;

  const GradeValues grades = computeGrades(surname.sjis.c_str(), given.sjis.c_str());
  const GradeReading gradeReading = readGrades(grades);
  Json& gradeList = r["grades"];
  for (int grade = 0; grade < kGradeCount; ++grade) {
    Json& entry = gradeList[grade];
    entry["name"] = kGradeNames[grade];
    entry["value"] = grades.value[grade];
    entry["index"] = gradeReading.index[grade];
    setString(entry["fortune"], fortuneText(gradeReading.index[grade]));
    entry["weight"] = gradeReading.record[grade]->weight;
    setString(entry["class"], fortuneClassName(gradeReading.record[grade]->fortuneClass));
  }
  Json& scoreJson = r["score"];
  scoreJson["first"] = formatOneDecimal(gradeReading.score.firstPart);
  scoreJson["second"] = formatOneDecimal(gradeReading.score.secondPart);
  scoreJson["total"] = formatOneDecimal(gradeReading.score.total);

  if (career_) {
    const int outer = grades.value[kGaiun];
    r["career"]["outerGrade"] = outer;
    setString(r["career"]["text"], careerText(outer));
  } else {
    r.erase("career");
  }
}

Json JsonReader::reading(const Name& surname, const Name& given) {
  Json reading;
  fill(surname, given, &reading);
  return reading;
}

bool JsonReader::line(std::string_view text, std::size_t lineNumber, std::string* out) {
  if (text.find('\0') != std::string_view::npos) {
    *out = errorLine(lineNumber, "the line contains a NUL byte");
    return false;
  }
  if (!isUtf8(text)) {
    *out = errorLine(lineNumber, "the line is not valid UTF-8");
    return false;
  }
  const std::vector<std::string> fields = splitFields(text);
  if (fields.size() != 2) {
    *out = errorLine(lineNumber, "expected SURNAME and GIVEN separated by white space, found " +
                                     std::to_string(fields.size()) +
                                     (fields.size() == 1 ? " field" : " fields"));
    return false;
  }
  Name surname, given;
  std::string error;
  if (!convertName(fields[0], "SURNAME", &surname, &error) ||
      !convertName(fields[1], "GIVEN", &given, &error) || !canBeRead(surname, "SURNAME", &error) ||
      !canBeRead(given, "GIVEN", &error)) {
    *out = errorLine(lineNumber, error);
    return false;
  }
  reused_["line"] = lineNumber;
  fill(surname, given, &reused_);
  *out = reused_.dump();
  return true;
}

BatchReader::BatchReader(bool career) : reader_(career) {
  line_.reserve(kMaxLineBytes + kByteOrderMark.size());
}

bool BatchReader::feed(std::string_view bytes, const Emit& emit) {
  std::size_t at = 0;
  if (afterCr_ && !bytes.empty()) {
    afterCr_ = false;
    if (bytes[0] == '\n') at = 1;  // the LF of a CRLF cut between two feeds
  }
  while (at < bytes.size()) {
    std::size_t end = at;
    while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r') ++end;
    // Only what fits is kept; the rest of a long line is dropped as it comes.
    if (!tooLong_ && line_.size() + (end - at) <= kMaxLineBytes + kByteOrderMark.size()) {
      line_.append(bytes, at, end - at);
    } else {
      tooLong_ = true;
      line_.clear();
    }
    if (end == bytes.size()) break;
    at = end + 1;
    if (bytes[end] == '\r') {
      if (at == bytes.size()) {
        afterCr_ = true;
      } else if (bytes[at] == '\n') {
        ++at;
      }
    }
    if (!endLine(emit)) return false;
  }
  return true;
}

bool BatchReader::finish(const Emit& emit) {
  afterCr_ = false;
  return line_.empty() && !tooLong_ ? true : endLine(emit);
}

bool BatchReader::endLine(const Emit& emit) {
  ++lineNumber_;
  std::string_view text = line_;
  if (lineNumber_ == 1 && text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    text.remove_prefix(kByteOrderMark.size());
  }
  bool emitted = true;
  if (tooLong_ || text.size() > kMaxLineBytes) {
    out_ = errorLine(lineNumber_, "line too long");
    sawBadLine_ = true;
  } else if (isBlank(text)) {
    emitted = false;
  } else if (!reader_.line(text, lineNumber_, &out_)) {
    sawBadLine_ = true;
  }
  line_.clear();
  tooLong_ = false;
  if (!emitted) return true;
  out_ += '\n';
  return emit(out_);
}

}  // namespace namori::text
