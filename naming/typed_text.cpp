// Typed filters and the advice for an empty list. Every literal here
// compiles to Shift-JIS.
#include "typed_text.h"

#include <cstring>

namespace namori {

namespace {

bool isSpace(const char* p, std::size_t length) {
  return (length == 1 && (*p == ' ' || *p == '\t')) ||
         (length == 2 && std::memcmp(p, "　", 2) == 0);
}

}  // namespace

std::string readTyped(const std::string& sjis, Typed how) {
  std::string out;
  std::size_t kept = 0;  // out's length up to its last character that is no space
  for (const char* p = sjis.c_str(); std::size_t length = charLength(p); p += length) {
    if (isSpace(p, length)) {
      if (how != Typed::kAsciiNoSpace && !out.empty()) out.append(p, length);
      continue;
    }
    const unsigned code = how != Typed::kTrimmed && length == 2
                              ? static_cast<unsigned char>(p[0]) << 8 |
                                    static_cast<unsigned char>(p[1])
                              : 0;
    if (code >= 0x824F && code <= 0x8258) {
      out += static_cast<char>('0' + (code - 0x824F));
    } else if (code == 0x8144) {
      out += '.';
    } else if (code == 0x8196) {
      out += '*';
    } else {
      out.append(p, length);
    }
    kept = out.size();
  }
  out.resize(kept);
  return out;
}

std::string emptyListAdvice(const char* surname, const SuggestFilter& filter, AdviceFor front) {
  const EmptyListHint hint = emptyListHint(surname, filter);
  if (front == AdviceFor::kCommandLine) {
    switch (hint) {
      case EmptyListHint::kAnyKanji:
        return " (names with a kanji parents avoid are left out; --any-kanji shows them)";
      case EmptyListHint::kReadingPrefix:
        return " (" + filter.reading + "* finds the names whose reading starts so)";
      case EmptyListHint::kNone:
        return "";
    }
  }
  std::string advice = "条件に合う名前はありません。";
  switch (hint) {
    case EmptyListHint::kAnyKanji:
      advice += front == AdviceFor::kWindow ? "「意味のよくない字も含める」"
                                            : "「名付けで避けられがちな字を含む名前も出す」";
      return advice + "にチェックを入れると見つかります。";
    case EmptyListHint::kReadingPrefix:
      return advice + "読みを「" + filter.reading + "*」にすると、「" + filter.reading +
             "」で始まる名が見つかります。";
    case EmptyListHint::kNone:
      break;
  }
  return advice + "条件を減らしてみてください。";
}

}  // namespace namori
