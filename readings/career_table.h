// The 30 career texts, for outer grades 2 to 31.
#pragma once

namespace namori {

constexpr int kCareerFirstValue = 2;
constexpr int kCareerEntryCount = 30;
constexpr int kCareerMaxBodyLines = 9;

struct CareerEntry {
  const char* titleLine;  // framed: "\n******* title *******" + line end
  const char* lineEnd;    // "\n\n", or "\n" for values 27 and 29
  int bodyLineCount;
  const char* bodyLines[kCareerMaxBodyLines];  // indentation included
};

// Row k belongs to outer grade k + 2.
extern const CareerEntry CareerTable[kCareerEntryCount];

}  // namespace namori
