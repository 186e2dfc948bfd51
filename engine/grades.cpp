// The five grades of a name.
#include "engine.h"

namespace namori {

namespace {

// Stroke sums of one name as the grades need them.
struct NameStrokes {
  int all = 0;    // every character
  int first = 0;  // the first character
  int last = 0;   // the last character
};

NameStrokes countName(const char* name) {
  NameStrokes strokes;
  bool firstSeen = false;
  for (std::size_t length; (length = charLength(name)) != 0; name += length) {
    const int count = length == 2 ? strokeCount(static_cast<unsigned char>(name[0]),
                                                static_cast<unsigned char>(name[1]))
                                  : 0;
    strokes.all += count;
    strokes.last = count;
    if (!firstSeen) {
      strokes.first = count;
      firstSeen = true;
    }
  }
  return strokes;
}

}  // namespace

void cutToWholeCharacters(char* s, std::size_t maxBytes) {
  std::size_t end = 0;
  for (std::size_t length; (length = charLength(s + end)) != 0; end += length) {
    const bool loneLeadByte = length == 1 && isLeadByte(static_cast<unsigned char>(s[end]));
    if (loneLeadByte || end + length > maxBytes) break;
  }
  s[end] = '\0';
}

GradeValues computeGrades(const char* surname, const char* givenName) {
  const NameStrokes sur = countName(surname);
  const NameStrokes given = countName(givenName);
  GradeValues grades;
  grades.value[kSouun] = sur.all + given.all;
  grades.value[kTenun] = sur.all;
  grades.value[kChiun] = given.all;
  grades.value[kJinun] = sur.last + given.first;
  grades.value[kGaiun] = (sur.all - sur.last) + (given.all - given.first);
  return grades;
}

}  // namespace namori
