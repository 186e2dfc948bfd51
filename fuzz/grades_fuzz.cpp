// Arbitrary bytes as surname and given name for the grade computation. Each
// name lives in a heap block of exactly its length plus the terminator, so
// any read past a terminator is an AddressSanitizer report.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "engine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // The first byte splits the rest into the two names.
  if (size == 0) return 0;
  const std::size_t split = size > 1 ? data[0] % size : 0;
  const std::uint8_t* rest = data + 1;
  const std::size_t restSize = size - 1;
  const std::size_t surnameSize = split < restSize ? split : restSize;

  auto copy = [](const std::uint8_t* bytes, std::size_t n) {
    std::unique_ptr<char[]> s(new char[n + 1]);
    std::memcpy(s.get(), bytes, n);
    s[n] = '\0';
    return s;
  };
  auto surname = copy(rest, surnameSize);
  auto given = copy(rest + surnameSize, restSize - surnameSize);

  const namori::GradeValues g = namori::computeGrades(surname.get(), given.get());
  if (g.value[namori::kSouun] != g.value[namori::kTenun] + g.value[namori::kChiun]) std::abort();
  if (g.value[namori::kGaiun] != g.value[namori::kSouun] - g.value[namori::kJinun]) std::abort();
  for (int v : g.value) {
    if (v < 0) std::abort();
    const namori::FortuneRecord& r = namori::lookupFortune(namori::foldGradeValue(v));
    if (r.text == nullptr || std::strlen(r.text) == 0) std::abort();
  }
  return 0;
}
