// A reading through UTF-8, for every front end whose text is UTF-8: names
// made into what the name dialog would store and checked, the reading as a
// JSON object, and --batch input split into lines. Nothing here keeps state of its own between
// calls: the readers below own theirs, so two of them, or two threads with one each, never meet.
#pragma once

#include <cstddef>
#include <functional>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "engine.h"

namespace namori::text {

// A name as the dialog stores it: Shift-JIS, cut to 34 bytes at a whole
// character; utf8 is the same characters as typed.
struct Name {
  std::string sjis;
  std::string utf8;
  bool wasCut = false;
};

// Converts UTF-8 text to Shift-JIS as it is. Text that is not UTF-8, a
// control character (C0, DEL, C1) or a character without a code page 932
// form gives false and a message naming `what` in *error.
bool toSjis(std::string_view utf8, const char* what, std::string* sjis, std::string* error);

// Every character of Shift-JIS text with its stroke count, one "字\tN\n"
// line each, in UTF-8.
std::string strokeLines(std::string_view sjis);

// Converts a UTF-8 name as toSjis does, then cuts it like the dialog. An
// empty result is not an error here (the reading reports it).
bool convertName(std::string_view utf8, const char* what, Name* out, std::string* error);

// A name that is not empty, yet has no character in the stroke dictionary
// and no kanji or kana either ("abc", "\""), cannot be read: false, and a
// message naming `what` and each of its characters in *error. A kanji the
// dictionary lacks is read, counting 0, as the name dialog reads it.
bool canBeRead(const Name& name, const char* what, std::string* error);

// Shift-JIS text in UTF-8 ("" for bytes that are not code page 932).
std::string toUtf8(std::string_view sjis);

// Characters of the given name that a child's name cannot be registered
// with, in UTF-8, added to *found in order of first appearance, each once.
// Only the characters are checked, never the reading.
void collectUnregistrable(const Name& given, std::vector<std::string>* found);

// "髙 (U+9AD9)": a UTF-8 character with its code point.
std::string describeCharacter(std::string_view utf8Character);

using Json = nlohmann::ordered_json;

// Readings as JSON objects. It keeps the fixed texts in UTF-8 and, for batch
// lines, one object whose allocations each line reuses.
class JsonReader {
 public:
  // With career, each reading carries the career reading chosen by its raw
  // 外運.
  explicit JsonReader(bool career);

  // The reading of two non-empty names: the names, which were cut, each
  // character's strokes, the characters counting 0, the given name's
  // characters that cannot be registered, the five grades with their
  // fortunes, weights and fortune classes (大吉 吉 半吉 凶 大凶), and the
  // score as printed.
  Json reading(const Name& surname, const Name& given);

  // One batch line without its line end, "SURNAME GIVEN" separated by white
  // space (space, tab, U+3000). Stores the line's JSON text in *out (no line
  // end): {"line": N, ...the reading...}, or {"line": N, "error": "..."} and
  // false.
  bool line(std::string_view text, std::size_t lineNumber, std::string* out);

 private:
  void fill(const Name& surname, const Name& given, Json* reading);
  const std::string& fortuneText(int index);
  const std::string& fortuneClassName(FortuneClass fortuneClass);
  const std::string& careerText(int outerGrade);

  bool career_;
  // The fixed texts in UTF-8, each converted when first needed.
  std::vector<std::string> fortunes_;
  std::vector<std::string> classes_;     // by FortuneClass
  std::vector<std::string> careers_;     // by career slot
  std::vector<std::string> characters_;  // scratch, reused from line to line
  Json reused_;
};

// namori-cli --batch: a byte stream in, one JSON line out per line that is
// not blank. Lines end with LF, CRLF or a lone CR; a UTF-8 byte-order mark
// at the very start is skipped; a line of only spaces, tabs and U+3000 is
// blank and skipped but counted. A line longer than kMaxLineBytes is not
// kept: it gives {"line": N, "error": "line too long"}, so memory stays the
// same whatever the input.
class BatchReader {
 public:
  static constexpr std::size_t kMaxLineBytes = 4096;

  // Receives each output line, line end included; false stops the reading.
  using Emit = std::function<bool(std::string_view)>;

  explicit BatchReader(bool career);

  // The next bytes of the input, cut anywhere. False when emit stopped it.
  bool feed(std::string_view bytes, const Emit& emit);
  // The end of the input: reads a last line that has no line end.
  bool finish(const Emit& emit);

  bool sawBadLine() const { return sawBadLine_; }

 private:
  bool endLine(const Emit& emit);

  JsonReader reader_;
  std::string line_;  // never longer than kMaxLineBytes plus a byte-order mark
  std::string out_;
  std::size_t lineNumber_ = 0;  // of the lines already ended
  bool tooLong_ = false;
  bool afterCr_ = false;
  bool sawBadLine_ = false;
};

}  // namespace namori::text
