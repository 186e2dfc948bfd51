// Arbitrary bytes as namori-cli --batch input. The first byte picks where
// the rest is cut into two feeds. Every output line must be a JSON object
// with the number of a line that is not blank (or is too long), in order,
// one per such line (the lines counted here on their own: LF, CRLF or a lone
// CR ends one);
// a reading's 総運 must be 天運 + 地運; and the output must not depend on
// where the input was cut.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

#include "utf8_reading.h"

namespace {

std::string readAll(std::string_view input, std::size_t cut) {
  std::string out;
  namori::text::BatchReader reader(false);
  const namori::text::BatchReader::Emit emit = [&](std::string_view line) {
    out.append(line);
    return true;
  };
  reader.feed(input.substr(0, cut), emit);
  reader.feed(input.substr(cut), emit);
  reader.finish(emit);
  return out;
}

// The numbers of the lines that should give an object.
std::vector<std::size_t> expectedLines(std::string_view input) {
  std::vector<std::size_t> numbers;
  std::size_t number = 0;
  std::size_t at = 0;
  while (at < input.size()) {
    const std::size_t end = std::min(input.find('\n', at), input.find('\r', at));
    std::string_view line = input.substr(at, end == std::string_view::npos ? end : end - at);
    ++number;
    if (number == 1 && line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);
    bool blank = true;
    for (std::size_t i = 0; i < line.size() && blank; ++i) {
      if (line[i] == ' ' || line[i] == '\t') continue;
      if (line.substr(i, 3) == "\xE3\x80\x80") {
        i += 2;
        continue;
      }
      blank = false;
    }
    // A line too long to keep is reported, whatever it holds.
    if (!blank || line.size() > namori::text::BatchReader::kMaxLineBytes) numbers.push_back(number);
    if (end == std::string_view::npos) break;
    at = end + (input.substr(end, 2) == "\r\n" ? 2 : 1);
  }
  return numbers;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::string out = readAll(input, data[0] % size);
  if (out != readAll(input, input.size())) std::abort();

  const std::vector<std::size_t> expected = expectedLines(input);
  std::size_t count = 0;
  for (std::size_t at = 0, end; at < out.size(); at = end + 1) {
    end = out.find('\n', at);
    if (end == std::string::npos) std::abort();  // every line ends
    const auto object = nlohmann::json::parse(out.begin() + at, out.begin() + end, nullptr, false);
    if (!object.is_object() || count >= expected.size()) std::abort();
    if (object.value("line", std::size_t{0}) != expected[count++]) std::abort();
    if (object.contains("error")) {
      if (!object["error"].is_string() || object.size() != 2) std::abort();
      continue;
    }
    const auto& grades = object.at("grades");
    if (grades.size() != 5) std::abort();
    if (grades[0]["value"].get<int>() !=
        grades[1]["value"].get<int>() + grades[2]["value"].get<int>()) {
      std::abort();
    }
  }
  if (count != expected.size()) std::abort();
  return 0;
}
