// Naming support: the given names that read best with a surname. Every
// candidate is read as the given name after the surname, with exactly the
// grades and score of computeGrades/computeScore. Pure computation over data
// compiled into the program; no I/O.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "engine.h"

namespace namori {

// Sex tags of a candidate writing: the union of the tags of its dictionary
// entries.
enum NameSexTag : unsigned {
  kSexFemale = 1,    // f
  kSexMale = 2,      // m
  kSexUnstated = 4,  // g: a given name whose sex is not given
};

enum class SexFilter {
  kAny,
  kFemale,  // tagged f or g
  kMale,    // tagged m or g
};

struct SuggestFilter {
  SexFilter sex = SexFilter::kAny;
  int characters = 0;  // exactly this many characters; 0: any
  // A reading, Shift-JIS kana (katakana is read as hiragana); empty: any. A
  // reading with a character that no candidate reading has matches nothing.
  std::string reading;
  double minScore = 0;  // the score as printed (one decimal) is at least this
  std::size_t top = 0;  // the best this many; 0: all
};

struct Suggestion {
  const char* given;       // Shift-JIS, NUL-terminated, in constant data
  unsigned sex;            // NameSexTag bits
  GradeValues grades;      // raw, as computeGrades(surname, given)
  double score;            // computeScore(...).total of those grades
  std::uint32_t position;  // the candidate's place in data order
};

// The ranked candidates: best score first (by the score as printed with one
// decimal); equal printed scores in data order, which is the Shift-JIS code
// order of the writings. A Suggestion is made on access.
class Suggestions {
 public:
  std::size_t size() const { return order_.size(); }
  bool empty() const { return order_.empty(); }
  Suggestion operator[](std::size_t rank) const;

 private:
  friend Suggestions suggestGivenNames(const char*, const SuggestFilter&);
  std::vector<std::uint32_t> order_;  // candidate positions, best first
  std::vector<double> keyScore_;      // score per stroke key, for this surname
  NameStrokes surname_;
};

// Ranks the candidates for a Shift-JIS surname (null reads as empty). The
// first call loads the candidate data (about 2 ms); later calls and other
// threads share it.
Suggestions suggestGivenNames(const char* surname, const SuggestFilter& filter = {});

// Readings of the candidate at `position` in data order, as Shift-JIS
// hiragana (ヴ, which has no hiragana in code page 932, stays katakana), in
// code order.
std::vector<std::string> candidateReadings(std::uint32_t position);

// Number of candidates in the data.
std::size_t candidateCount();

}  // namespace namori
