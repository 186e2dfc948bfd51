// Shared by the readings tests: expected reports, a fresh current directory
// per test with whole-file reads and writes, and UTF-8 written by hand.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "expected_texts.h"
#include "readings.h"

namespace namori {

using expected::kNotice;
using expected::kYamadaTaroCareer;
using expected::kYamadaTaroReport;

class InTempDirectory : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::filesystem::current_path();
    std::string pattern = (std::filesystem::temp_directory_path() / "namori-test-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    directory_ = pattern;
    std::filesystem::current_path(directory_);
  }

  void TearDown() override {
    std::filesystem::current_path(previous_);
    std::error_code ignored;  // a test may have made the directory read-only
    std::filesystem::permissions(directory_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(directory_, ignored);
  }

  std::size_t entryCount() const {
    const std::filesystem::directory_iterator all(directory_);
    return static_cast<std::size_t>(std::distance(begin(all), end(all)));
  }

  std::filesystem::path previous_, directory_;
};

// A reading state as at start-up; the tests never touch the process-wide one.
class WithState : public InTempDirectory {
 protected:
  void read(const char* surname, const char* given) {
    ASSERT_TRUE(storeNames(s, surname, given));
    runNameReading(s);
  }

  ReadingState s{};
};

inline std::string readFile(const std::string& path) {
  std::ostringstream content;
  content << std::ifstream(path, std::ios::binary).rdbuf();
  return content.str();
}

// One code point in UTF-8, written out here rather than by the code under test.
inline std::string utf8Of(char32_t c) {
  const int n = c < 0x80 ? 0 : c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;  // continuation bytes
  std::string out(1, static_cast<char>(n == 0 ? c : (0xFF00 >> (n + 1) | c >> 6 * n)));
  for (int i = n - 1; i >= 0; --i) out += static_cast<char>(0x80 | (c >> 6 * i & 0x3F));
  return out;
}

inline void writeFile(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

}  // namespace namori
