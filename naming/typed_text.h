// What a user types into the naming filters, read the same way by every
// front end, and the advice when a ranking finds nothing, in each front end's
// words. Shift-JIS throughout.
#pragma once

#include <string>

#include "naming.h"

namespace namori {

enum class Typed {
  kTrimmed,      // spaces (space, tab, U+3000) dropped at both ends
  kAscii,        // and full-width digits, ．and ＊ read as 0-9 . *
  kAsciiNoSpace  // and no space anywhere
};

// A field as typed, read as `how` says: 「 ＊ゆ 」 as kAscii is "*ゆ",
// 「８７．５」 is "87.5".
std::string readTyped(const std::string& sjis, Typed how);

// The front ends, for their words: each names its own controls.
enum class AdviceFor { kWindow, kPage, kCommandLine };

// When suggestGivenNames(surname, filter) finds nothing, what to tell the
// user (see emptyListHint): in Japanese for the window and the page
// (「条件に合う名前はありません。読みを「ゆうす*」にすると、…」), and for the
// command line the English to append to its message (" (ゆうす* finds the
// names whose reading starts so)", or empty when no one change would find
// names).
std::string emptyListAdvice(const char* surname, const SuggestFilter& filter, AdviceFor front);

}  // namespace namori
