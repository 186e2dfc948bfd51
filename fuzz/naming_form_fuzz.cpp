// The naming form as the Windows naming window and the page pass it: the
// text fields as Shift-JIS bytes (anything but NUL, as a window's text may
// hold), separated here by NUL, after three bytes for the drop-down lists and
// the check box. A form the reader takes must give a surname that counts, at
// most 34 bytes of whole characters, a reading the ranking takes, a minimum
// score from 0 to 100, 1 to 3 characters or none, and 使いたい字 and 使わない字
// without space characters; then the ranking and its status line run on it.
// A form it refuses must name a field and say why.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "naming.h"
#include "naming_window.h"
#include "readings.h"
#include "typed_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  namori::NamingForm form;
  form.sex = data[0] % 4;  // 3 is no choice of the list: read as 指定なし
  form.characters = data[1] % 5;
  form.order = data[2] % 2;
  form.anyKanji = data[2] & 2;
  std::string* fields[] = {&form.surname, &form.reading, &form.with, &form.without, &form.minScore};
  std::size_t field = 0;
  for (std::size_t at = 3; at < size; ++at) {
    if (data[at] == 0) {
      if (++field == sizeof fields / sizeof fields[0]) break;
    } else {
      fields[field]->push_back(static_cast<char>(data[at]));
    }
  }

  std::string surname;
  namori::SuggestFilter filter;
  namori::NamingField bad;
  const std::string message = namori::readNamingForm(form, &surname, &filter, &bad);
  if (!message.empty()) return 0;
  char cut[namori::kNameBytes + 1] = {};
  std::memcpy(cut, surname.c_str(), surname.size() <= namori::kNameBytes ? surname.size() : 0);
  namori::cutToWholeCharacters(cut, namori::kNameBytes);
  if (surname.empty() || surname != cut || !namori::surnameCounts(surname.c_str())) std::abort();
  if (!filter.reading.empty() && !namori::isReadingPattern(filter.reading)) std::abort();
  if (!(filter.minScore >= 0 && filter.minScore <= 100)) std::abort();
  if (filter.characters < 0 || filter.characters > 3) std::abort();
  // Spaces only separate: none is left as a character, whatever bytes stand
  // beside it (a lead byte takes the next byte as its trail, as everywhere).
  for (const std::string* text : {&filter.with, &filter.without}) {
    for (const char* p = text->c_str(); std::size_t n = namori::charLength(p); p += n) {
      if (namori::isTypedSpace(p, n)) std::abort();
    }
  }
  filter.top = 20;
  const namori::Suggestions list = namori::suggestGivenNames(surname.c_str(), filter);
  if (list.size() > 20 || namori::namingStatus(list.size(), filter, surname.c_str()).empty()) {
    std::abort();
  }
  for (std::size_t rank = 0; rank < list.size(); ++rank) {
    if (list[rank].score < filter.minScore - 0.05) std::abort();
  }
  return 0;
}
