// What a user types into the naming filters, read the same way by every
// front end, and the advice when a ranking finds nothing, in each front end's
// words. Shift-JIS throughout.
#pragma once

#include <cstddef>
#include <string>

#include "naming.h"

namespace namori {

// True for the character of charLength length at p that a field's text
// treats as a space: space, tab or U+3000.
bool isTypedSpace(const char* p, std::size_t length);

enum class Typed {
  kTrimmed,  // spaces (space, tab, U+3000) dropped at both ends
  kAscii     // and full-width digits, ．and ＊ read as 0-9 . *
};

// A field as typed, read as `how` says: 「 ＊ゆ 」 as kAscii is "*ゆ",
// 「８７．５」 is "87.5".
std::string readTyped(const std::string& sjis, Typed how);

// The front ends, for their words: each names its own controls.
enum class AdviceFor { kWindow, kPage, kCommandLine };

// When suggestGivenNames(surname, filter) finds nothing, what to tell the
// user (see emptyListHint), naming each front end's own controls: in
// Japanese for the window (「読みを「ゆうす*」にすると、「ゆうす」で始まる名が
// 見つかります。」) and the page (after 「条件に合う名前はありません。」), and
// for the command line the English to append to its message (" (ゆうす*
// finds the names whose reading starts so)", or empty when no one change
// would find names).
std::string emptyListAdvice(const char* surname, const SuggestFilter& filter, AdviceFor front);

}  // namespace namori
