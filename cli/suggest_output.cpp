// Printing the ranked given names. Texts that carry Japanese are u8 literals.
#include "suggest_output.h"

#include <algorithm>
#include <array>
#include <vector>

#include "sjis_utf8.h"

namespace namori::cli {

namespace {

// The sex tags as the dictionary writes them: f, m, g.
std::vector<std::string> sexTags(unsigned sex) {
  std::vector<std::string> tags;
  if (sex & kSexFemale) tags.push_back("f");
  if (sex & kSexMale) tags.push_back("m");
  if (sex & kSexUnstated) tags.push_back("g");
  return tags;
}

// Display width in a terminal: the table holds ASCII and the kanji, kana and
// punctuation of names, which take two columns (none is half-width).
std::size_t displayWidth(std::string_view utf8) {
  std::size_t width = 0;
  for (const char c : utf8) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if ((byte & 0xC0) != 0x80) width += byte < 0xE1 ? 1 : 2;  // a lead byte: below U+1000, one
  }
  return width;
}

// Readings joined by "・" up to this many columns, so that one much-read
// writing does not widen the whole table; "+N" stands for the N left out.
// The marker is ASCII: "…" is of ambiguous width and lines up in some
// terminals only. The readings the pattern matches come first and are always
// shown whole.
constexpr std::size_t kReadingsColumns = 24;

std::string tableReadingsCell(const Suggestions& suggestions, std::size_t rank) {
  const std::vector<CandidateReading> readings = suggestions.readings(rank);
  const std::size_t matched = suggestions.matchedReadings(rank);
  std::string cell;
  std::size_t shown = 0;
  for (const CandidateReading& reading : readings) {
    const std::string kana = toUtf8(reading.kana);
    const std::string next = cell.empty() ? kana : cell + u8"・" + kana;
    if (shown >= std::max<std::size_t>(matched, 1) && displayWidth(next) > kReadingsColumns) break;
    cell = next;
    ++shown;
  }
  if (shown < readings.size()) cell += " +" + std::to_string(readings.size() - shown);
  return cell;
}

void appendPadded(std::string& line, const std::string& text, std::size_t width, bool right) {
  const std::string padding(width - std::min(width, displayWidth(text)), ' ');
  line += right ? padding + text : text + padding;
}

}  // namespace

std::string suggestionTable(const Suggestions& suggestions) {
  constexpr int kColumns = 10;
  const bool rightAligned[kColumns] = {true, false, false, false, true,
                                       true, true,  true,  true,  true};
  std::vector<std::array<std::string, kColumns>> rows;
  rows.push_back({u8"順位", u8"名", u8"読み", u8"性別", u8"総運", u8"天運", u8"地運", u8"人運",
                  u8"外運", u8"得点"});
  for (std::size_t rank = 0; rank < suggestions.size(); ++rank) {
    const Suggestion s = suggestions[rank];
    std::string sex;
    for (const std::string& tag : sexTags(s.sex)) sex += tag;
    std::array<std::string, kColumns> row = {std::to_string(rank + 1), toUtf8(s.given),
                                             tableReadingsCell(suggestions, rank), sex};
    for (int grade = 0; grade < kGradeCount; ++grade) {
      row[4 + grade] = std::to_string(s.grades.value[grade]);
    }
    row[9] = formatOneDecimal(s.score);
    rows.push_back(std::move(row));
  }
  std::size_t widths[kColumns] = {};
  for (const auto& row : rows) {
    for (int c = 0; c < kColumns; ++c) widths[c] = std::max(widths[c], displayWidth(row[c]));
  }
  std::string table;
  for (const auto& row : rows) {
    std::string line;
    for (int c = 0; c < kColumns; ++c) {
      if (c > 0) line += "  ";
      appendPadded(line, row[c], widths[c], rightAligned[c]);
    }
    table += line.erase(line.find_last_not_of(' ') + 1) + "\n";
  }
  return table;
}

Json suggestionJson(const std::string& surnameUtf8, const Suggestions& suggestions) {
  const auto rankJson = [](const NameRank& r) {
    return r.rank ? Json{{"rank", r.rank}, {"year", r.year}} : Json();
  };
  Json candidates = Json::array();
  for (std::size_t rank = 0; rank < suggestions.size(); ++rank) {
    const Suggestion s = suggestions[rank];
    Json readings = Json::array();
    for (const CandidateReading& reading : suggestions.readings(rank)) {
      Json ranked = Json::array();
      for (const auto& [sex, r] : {std::pair{"f", reading.girls}, std::pair{"m", reading.boys}}) {
        if (r.rank) ranked.push_back({{"sex", sex}, {"rank", r.rank}, {"year", r.year}});
      }
      readings.push_back({{"kana", toUtf8(reading.kana)},
                          {"sex", sexTags(reading.sex)},
                          {"enamdict", sexTags(reading.enamdict)},
                          {"ranked", std::move(ranked)},
                          {"gimei", sexTags(reading.gimei)},
                          {"people", reading.people},
                          {"plain", reading.plain}});
    }
    candidates.push_back({{"given", toUtf8(s.given)},
                          {"readings", std::move(readings)},
                          {"sex", sexTags(s.sex)},
                          {"grades", s.grades.value},
                          {"score", formatOneDecimal(s.score)},
                          {"rank", rankJson(s.rank)},
                          {"gimei", s.gimei},
                          {"people", s.people},
                          {"familiarity", s.familiarity}});
  }
  return {{"surname", surnameUtf8}, {"candidates", std::move(candidates)}};
}

}  // namespace namori::cli
