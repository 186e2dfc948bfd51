// The five grades of a name.
#include "engine.h"

namespace namori {

NameStrokes countNameStrokes(const char* name) {
  NameStrokes strokes;
  for (std::size_t length; (length = charLength(name)) != 0; name += length) {
    const int count = characterStrokes(name);
    strokes.all += count;
    strokes.last = count;
    if (strokes.characters++ == 0) strokes.first = count;
    strokes.bytes += static_cast<int>(length);
  }
  return strokes;
}

void cutToWholeCharacters(char* s, std::size_t maxBytes) {
  std::size_t end = 0;
  for (std::size_t length; (length = charLength(s + end)) != 0; end += length) {
    const bool loneLeadByte = length == 1 && isLeadByte(static_cast<unsigned char>(s[end]));
    if (loneLeadByte || end + length > maxBytes) break;
  }
  s[end] = '\0';
}

GradeValues gradesOf(const NameStrokes& sur, const NameStrokes& given) {
  GradeValues grades;
  grades.value[kSouun] = sur.all + given.all;
  grades.value[kTenun] = sur.all;
  grades.value[kChiun] = given.all;
  grades.value[kJinun] = sur.last + given.first;
  grades.value[kGaiun] = (sur.all - sur.last) + (given.all - given.first);
  return grades;
}

GradeValues computeGrades(const char* surname, const char* givenName) {
  return gradesOf(countNameStrokes(surname), countNameStrokes(givenName));
}

}  // namespace namori
