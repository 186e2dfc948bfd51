// The five grades, including hostile byte strings.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "engine.h"

namespace namori {
namespace {

using Grades = std::array<int, kGradeCount>;

Grades grades(const char* surname, const char* given) {
  const GradeValues v = computeGrades(surname, given);
  return {v.value[0], v.value[1], v.value[2], v.value[3], v.value[4]};
}

TEST(Grades, WorkedExamples) {
  EXPECT_EQ(grades("山田", "太郎"), (Grades{26, 8, 18, 9, 17}));
  EXPECT_EQ(grades("田中", "一"), (Grades{10, 9, 1, 5, 5}));
  EXPECT_EQ(grades("林", "一"), (Grades{9, 8, 1, 9, 0}));
  // One-character surname: 外運 is the given name without its first character.
  EXPECT_EQ(grades("林", "太郎"), (Grades{26, 8, 18, 12, 14}));
  // Unknown characters count 0 wherever they are summed.
  EXPECT_EQ(grades("Ｕ田", "０郎"), (Grades{19, 5, 14, 5, 14}));
  const std::string seventeen = "驫驫驫驫驫驫驫驫驫驫驫驫驫驫驫驫驫";  // 30 each: no limit
  EXPECT_EQ(grades(seventeen.c_str(), seventeen.c_str()), (Grades{1020, 510, 510, 60, 960}));
}

TEST(Grades, SingleByteCharactersCountZeroAndKeepAlignment) {
  // "A山" is A (0) and 山 (3), never "A\x8E" "R" as a 2-byte stepper pairs it.
  EXPECT_EQ(grades("A山", "田"), (Grades{8, 3, 5, 8, 0}));
  EXPECT_EQ(countNameStrokes("A山").bytes, 3);
  // Half-width katakana are single-byte characters.
  EXPECT_EQ(grades("\xB1\xB2", "山"), (Grades{3, 0, 3, 3, 0}));
  // A lone lead byte before the terminator is one character of 0 strokes.
  EXPECT_EQ(grades("山\x8E", "田"), (Grades{8, 3, 5, 5, 3}));
  EXPECT_EQ(grades("", ""), (Grades{0, 0, 0, 0, 0}));
}

TEST(CutToWholeCharacters, NeverLeavesHalfACharacter) {
  struct Case {
    const char* in;
    std::size_t max;
    const char* out;
  } cases[] = {
      {"山田太郎", 34, "山田太郎"},
      {"山田太郎", 5, "山田"},
      {"山田太郎", 4, "山田"},
      {"山\x8E", 34, "山"},
      {"AB山", 3, "AB"},
      {"\xB1\xB2\xB3", 2, "\xB1\xB2"},
      {"", 34, ""},
      {"山十ソ表", 34, "山十ソ表"},
  };
  for (const Case& c : cases) {
    char buffer[64];
    std::strcpy(buffer, c.in);
    cutToWholeCharacters(buffer, c.max);
    EXPECT_STREQ(buffer, c.out) << c.in << " / " << c.max;
  }
}

}  // namespace
}  // namespace namori
