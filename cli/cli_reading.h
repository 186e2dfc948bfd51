// What namori-cli does with one name, apart from its options and output:
// UTF-8 names made into what the name dialog would store, the characters
// that count 0 strokes, and the reading as a JSON object.
#pragma once

#include <cstddef>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

namespace namori::cli {

// A name as the dialog stores it: Shift-JIS, cut to 34 bytes at a whole
// character; utf8 is the same characters as typed.
struct Name {
  std::string sjis;
  std::string utf8;
  bool wasCut = false;
};

// Converts UTF-8 text to Shift-JIS as it is. Text that is not UTF-8, or a
// character without a code page 932 form, gives false and a message naming
// `what` in *error.
bool toSjis(std::string_view utf8, const char* what, std::string* sjis, std::string* error);

// Every character of Shift-JIS text with its stroke count, one "字\tN\n"
// line each, in UTF-8.
std::string strokeLines(std::string_view sjis);

// Converts a UTF-8 name as toSjis does, then cuts it like the dialog. An
// empty result is not an error here (the reading reports it).
bool convertName(std::string_view utf8, const char* what, Name* out, std::string* error);

// Shift-JIS text in UTF-8 ("" for bytes that are not code page 932).
std::string toUtf8(std::string_view sjis);

// Characters of the Shift-JIS name that count 0 strokes, in UTF-8, added to
// *found in order of first appearance, each once.
void collectUnknown(std::string_view sjis, std::vector<std::string>* found);

// "髙 (U+9AD9)": a UTF-8 character with its code point.
std::string describeCharacter(std::string_view utf8Character);

using Json = nlohmann::ordered_json;

// The reading of two non-empty names as one JSON object: the names, each
// character's strokes, the characters counting 0, the five grades with their
// fortunes and weights, the score as printed, and with career the career
// reading chosen by the raw 外運. The fixed texts are converted to UTF-8
// once, on first use.
Json readingJson(const Name& surname, const Name& given, bool career);

// One line of a batch, "SURNAME GIVEN" separated by white space (space, tab,
// U+3000). Stores the line's JSON text in *out (no line end): the reading, or
// {"line": N, "error": "..."}; returns false for the latter.
bool batchLine(std::string_view line, std::size_t lineNumber, bool career, std::string* out);

}  // namespace namori::cli
