// Typed filters and the advice for an empty list. Every literal here
// compiles to Shift-JIS.
#include "typed_text.h"

#include <cstring>

namespace namori {

bool isTypedSpace(const char* p, std::size_t length) {
  return (length == 1 && (*p == ' ' || *p == '\t')) ||
         (length == 2 && std::memcmp(p, "　", 2) == 0);
}

std::string readTyped(const std::string& sjis, Typed how) {
  std::string out;
  std::size_t kept = 0;  // out's length up to its last character that is no space
  for (const char* p = sjis.c_str(); std::size_t length = charLength(p); p += length) {
    if (isTypedSpace(p, length)) {
      if (!out.empty()) out.append(p, length);
      continue;
    }
    const unsigned code =
        how != Typed::kTrimmed && length == 2
            ? static_cast<unsigned char>(p[0]) << 8 | static_cast<unsigned char>(p[1])
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
      case EmptyListHint::kAllNames:
        return " (the list holds names in use; --names all --all-readings lists every name and "
               "reading)";
      case EmptyListHint::kAllNamesAnyKanji:
        return " (the list holds names in use, without the kanji parents avoid; --names all "
               "--all-readings --any-kanji lists every name and reading)";
      case EmptyListHint::kReadingPrefix:
        return " (" + filter.reading + "* finds the names whose reading starts so)";
      case EmptyListHint::kNone:
        return "";
    }
  }
  // The page's check boxes say more than the window's.
  const bool page = front == AdviceFor::kPage;
  const std::string anyKanji =
      page ? "「名付けで避けられがちな字を含む名前も出す」" : "「意味のよくない字も含める」";
  const std::string allReadings = "「使われた記録がなく字の読みにもない読みも出す」";
  const std::string advice = page ? "条件に合う名前はありません。" : "";
  switch (hint) {
    case EmptyListHint::kAnyKanji:
      return advice + anyKanji + "にチェックを入れると見つかります。";
    case EmptyListHint::kAllNames:
      return advice + "名前の範囲を「すべての名」にし、" +
             (page ? allReadings + "にチェックを入れると" : "すべての読みを出すと") +
             "見つかります。";
    case EmptyListHint::kAllNamesAnyKanji:
      return advice + "名前の範囲を「すべての名」にし、" +
             (page ? allReadings + "と" + anyKanji + "にチェックを入れると"
                   : "すべての読みと意味のよくない字も含めると") +
             "見つかります。";
    case EmptyListHint::kReadingPrefix:
      return advice + "読みを「" + filter.reading + "*」にすると、「" + filter.reading +
             "」で始まる" + (page ? "名前" : "名") + "が見つかります。";
    case EmptyListHint::kNone:
      break;
  }
  return advice + "条件を減らしてみてください。";
}

}  // namespace namori
