// The page's way into the engine, the readings and the naming module: UTF-8
// text and JSON towards JavaScript, Shift-JIS inside, exactly as namori-cli
// does it. Nothing is worked out here that the libraries already work out;
// this file only gathers their answers into the objects the page draws.
// Texts that carry Japanese are u8 literals: every plain literal is Shift-JIS.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "naming.h"
#include "naming_csv.h"
#include "naming_window.h"
#include "readings.h"
#include "sjis_utf8.h"
#include "typed_text.h"
#include "utf8_reading.h"

#ifdef __EMSCRIPTEN__
#include <emscripten/bind.h>
#include <emscripten/val.h>
#endif

namespace namori::web {

namespace {

using text::Json;
using text::Name;

// What the engine cannot take in UTF-8 text: {"character": "髙 (U+9AD9)"}
// for the first character without a code page 932 form, {"character": ""}
// for text that is not UTF-8.
Json unconvertible(const std::string& utf8) {
  for (std::size_t at = 0, length; at < utf8.size(); at += length) {
    const char* p = utf8.c_str() + at;
    char sjis[2];
    std::size_t sjisLength;
    if ((length = utf8CharLength(p)) == 0) break;
    if (!utf8CharToSjis(p, length, sjis, &sjisLength)) {
      return {{"character", text::describeCharacter(std::string(p, length))}};
    }
  }
  return {{"character", ""}};
}

// Converts a field as namori-cli converts a name (cut to 34 bytes like the
// dialog); on failure says why in *error.
bool convertField(const std::string& utf8, Name* name, Json* error) {
  std::string message;
  if (text::convertName(utf8, "", name, &message)) return true;
  *error = unconvertible(utf8);
  return false;
}

std::vector<std::string> charactersOf(const std::string& sjis) {
  std::vector<std::string> characters;
  for (const char* p = sjis.c_str(); std::size_t length = charLength(p); p += length) {
    characters.push_back(text::toUtf8(std::string_view(p, length)));
  }
  return characters;
}

// The two reports of the last reading, in the Windows program's bytes.
std::string nameReportBytes;
std::string careerReportBytes;

// The last ranking, shown a page at a time in the order of `shownRanks`.
Suggestions suggestions;
SuggestFilter namingFilter;
NamingSort namingSort;
std::vector<std::size_t> shownRanks;
std::string namingSurname;  // Shift-JIS, as ranked
std::string csvBytes;

// Shift-JIS text without the spaces, tabs and ideographic spaces at either
// end, as the naming form drops them before it cuts the surname.
std::string withoutOuterSpaces(const std::string& sjis) {
  std::size_t start = std::string::npos, end = 0;
  for (std::size_t at = 0, length; at < sjis.size(); at += length) {
    length = charLength(sjis.c_str() + at);
    if (length == 0) break;
    const std::string_view c(sjis.data() + at, length);
    if (c == " " || c == "\t" || c == "　") continue;
    if (start == std::string::npos) start = at;
    end = at + length;
  }
  return start == std::string::npos ? "" : sjis.substr(start, end - start);
}

// Converts and checks two names as a reading takes them: an empty Json when
// both can be read, else the answer that says why not ({"error": ...} or
// {"missing": [...]}).
Json checkNames(const std::string& surnameUtf8, const std::string& givenUtf8, Name* surname,
                Name* given) {
  Json error;
  if (!convertField(surnameUtf8, surname, &error)) {
    error["field"] = "surname";
    return Json{{"error", error}};
  }
  if (!convertField(givenUtf8, given, &error)) {
    error["field"] = "given";
    return Json{{"error", error}};
  }
  if (surname->sjis.empty() || given->sjis.empty()) {
    Json missing = Json::array();
    if (surname->sjis.empty()) missing.push_back("surname");
    if (given->sjis.empty()) missing.push_back("given");
    return Json{{"missing", missing}};
  }
  std::string message;
  for (const auto& [name, field] : {std::pair{surname, "surname"}, std::pair{given, "given"}}) {
    if (!text::canBeRead(*name, field, &message)) {
      return Json{{"error", {{"field", field}, {"unreadable", true}}}};
    }
  }
  return {};
}

// What the page says of a name cut to 34 bytes, as the name dialog cuts it.
std::string cutWarning(const char* what, const std::string& keptUtf8) {
  return std::string(what) + u8"が " + std::to_string(kNameBytes) + u8" バイト（全角 " +
         std::to_string(kNameBytes / 2) + u8" 文字）を超えたため、Windows 版と同じく「" + keptUtf8 +
         u8"」までで判断しました。";
}

// namori-cli --career --json's reading with each name's characters, as the
// page draws them one tile each.
Json readingOf(const Name& surname, const Name& given) {
  static text::JsonReader reader(true);
  Json r = reader.reading(surname, given);
  r["characters"] = {{"surname", charactersOf(surname.sjis)}, {"given", charactersOf(given.sjis)}};
  return r;
}

// The readings of a given name as the naming list shows them unfiltered
// ("ゆい・ゆう"), or "" for a name that is not among the candidates.
std::string candidateReadingsOf(const std::string& surnameSjis, const std::string& givenSjis) {
  SuggestFilter filter;
  filter.with = givenSjis;
  filter.anyKanji = true;
  const Suggestions found = suggestGivenNames(surnameSjis.c_str(), filter);
  for (std::size_t rank = 0; rank < found.size(); ++rank) {
    if (givenSjis == found[rank].given) return readingsCell(found, rank);
  }
  return "";
}

// What the 名付け list says above it about the surname's 天運: its value,
// fortune and class, and the highest score a given name can reach with it.
Json tenunOfSurname(const std::string& sjis) {
  const int value = countNameStrokes(sjis.c_str()).all;
  const FortuneRecord& record = lookupFortune(foldGradeValue(value));
  return {{"value", value},
          {"index", foldGradeValue(value)},
          {"fortune", text::toUtf8(record.text)},
          {"class", text::toUtf8(fortuneClassText(record.fortuneClass))},
          {"highestScore", formatOneDecimal(highestScoreWithSurname(sjis.c_str()).total)}};
}

}  // namespace

// The reading of two names as JSON text: namori-cli --career --json's object
// with what the page shows besides; {"error": {...}} for a character the
// engine cannot take or a name namori-cli would not read; {"missing": [...]}
// while a field is empty.
std::string reading(const std::string& surnameUtf8, const std::string& givenUtf8) {
  Name surname, given;
  if (Json refused = checkNames(surnameUtf8, givenUtf8, &surname, &given); !refused.empty()) {
    return refused.dump();
  }
  static ReadingState state;
  storeNames(state, surname.sjis.c_str(), given.sjis.c_str());
  runNameReading(state);
  nameReportBytes = state.nameReport;
  const std::string nameFile = text::toUtf8(state.reportFileName);
  runCareerCommand(state);
  careerReportBytes = state.careerReport;

  Json r = readingOf(surname, given);
  r["cutWarnings"] = Json::array();
  if (surname.wasCut) r["cutWarnings"].push_back(cutWarning(u8"姓", surname.utf8));
  if (given.wasCut) r["cutWarnings"].push_back(cutWarning(u8"名", given.utf8));
  r["zeroStrokeWarning"] =
      text::toUtf8(zeroStrokeWarning(surname.sjis.c_str(), given.sjis.c_str()));
  r["report"] = {{"text", text::toUtf8(nameReportBytes)}, {"file", nameFile}};
  r["careerReport"] = {{"text", r["career"]["text"]}, {"file", text::toUtf8(state.reportFileName)}};
  return r.dump();
}

// One name of the shortlist as the comparison shows it: the reading of
// reading() without its reports and warnings (the last reading's files stay
// as they were), the readings of the given name among the candidates
// ("readings", "" for a name that is not one) and the career entry's title
// ("careerTitle", "" past 31); or the refusal reading() would give.
static Json nameCardJson(const std::string& surnameUtf8, const std::string& givenUtf8) {
  Name surname, given;
  if (Json refused = checkNames(surnameUtf8, givenUtf8, &surname, &given); !refused.empty()) {
    return refused;
  }
  Json r = readingOf(surname, given);
  r.erase("career");
  r["readings"] = text::toUtf8(candidateReadingsOf(surname.sjis, given.sjis));
  r["careerTitle"] = text::toUtf8(careerTitle(r["grades"][kGaiun]["value"].get<int>()));
  return r;
}

std::string nameCard(const std::string& surnameUtf8, const std::string& givenUtf8) {
  return nameCardJson(surnameUtf8, givenUtf8).dump();
}

// The shortlist as CSV for Excel (Shift-JIS, CRLF): 姓,名,読み, the five raw
// grades, 得点 and 職業運, one row per name that can be read, in the order
// given. names is a JSON array of [surname, given].
std::string shortlistCsv(const std::string& namesJson) {
  const auto field = [](const std::string& utf8) {
    std::string sjis, message, quoted = "\"";
    text::toSjis(utf8, "", &sjis, &message);
    for (char c : sjis) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
  };
  std::string csv = "姓,名,読み,総運,天運,地運,人運,外運,得点,職業運\r\n";
  for (const Json& pair : Json::parse(namesJson, nullptr, false)) {
    if (!pair.is_array() || pair.size() != 2 || !pair[0].is_string() || !pair[1].is_string()) {
      continue;
    }
    const Json card = nameCardJson(pair[0], pair[1]);
    if (!card.contains("grades")) continue;
    csv += field(card["surname"]) + ',' + field(card["given"]) + ',' + field(card["readings"]);
    for (const Json& grade : card["grades"]) csv += ',' + std::to_string(grade["value"].get<int>());
    csv +=
        ',' + card["score"]["total"].get<std::string>() + ',' + field(card["careerTitle"]) + "\r\n";
  }
  return csv;
}

// The numbers the page's guide states, as the libraries hold them:
// {"nameBytes": 34, "nameCharacters": 17, "weights": every weight of the
// fortune table, highest first, "firstPartPoints": 70, "secondPartPoints":
// 30, "fixedKanji": 141}.
std::string guideFacts() {
  std::vector<double> weights;
  for (const FortuneRecord& record : NumberFortuneTable) {
    if (std::find(weights.begin(), weights.end(), record.weight) == weights.end()) {
      weights.push_back(record.weight);
    }
  }
  std::sort(weights.rbegin(), weights.rend());
  return Json{{"nameBytes", kNameBytes},
              {"nameCharacters", kNameBytes / 2},
              {"weights", weights},
              {"firstPartPoints", kFirstPartPoints},
              {"secondPartPoints", kSecondPartPoints},
              {"fixedKanji", kFixedKanjiCount}}
      .dump();
}

// The Shift-JIS bytes of the last reading's name report ("name") or career
// report ("career"), exactly as the Windows program writes them.
const std::string& reportBytes(const std::string& which) {
  return which == "career" ? careerReportBytes : nameReportBytes;
}

// Ranks the given names with the page's 名付け fields as typed, read exactly
// as the Windows naming window reads its own (readNamingForm). Returns
// {"count", "advice", "tenun", "surname", "csvFile", "warning"}, where tenun
// is the surname's 天運 (tenunOfSurname) and advice, for an empty list, is
// what to tell the user (emptyListAdvice), else empty; or {"error": {"field", "message"}} for the
// field to correct, with "character" instead of "message" for a character the engine cannot take;
// nothing is ranked then. A surname over 34 bytes is refused rather than cut,
// so that the list is never for another surname than the one typed.
std::string suggest(const std::string& surnameUtf8, const std::string& sex, int characters,
                    const std::string& readingUtf8, const std::string& withUtf8,
                    const std::string& withoutUtf8, const std::string& minScoreUtf8,
                    const std::string& order, bool anyKanji, const std::string& scope,
                    bool allReadings) {
  NamingForm form;
  const struct {
    const std::string& utf8;
    const char* field;
    std::string* sjis;
  } fields[] = {{surnameUtf8, "surname", &form.surname},
                {readingUtf8, "reading", &form.reading},
                {withUtf8, "with", &form.with},
                {withoutUtf8, "without", &form.without},
                {minScoreUtf8, "minScore", &form.minScore}};
  for (const auto& field : fields) {
    std::string message;
    if (!text::toSjis(field.utf8, field.field, field.sjis, &message)) {
      Json error = unconvertible(field.utf8);
      error["field"] = field.field;
      return Json{{"error", error}}.dump();
    }
  }
  form.sex = sex == "f" ? 1 : sex == "m" ? 2 : 0;
  form.characters = characters;
  form.order = order == "people" ? 1 : order == "popular" ? 2 : 0;
  form.anyKanji = anyKanji;
  form.scope = scope == "people" ? 1 : scope == "all" ? 2 : 0;
  form.allReadings = allReadings;

  if (withoutOuterSpaces(form.surname).size() > kNameBytes) {
    return Json{
        {"error",
         {{"field", "surname"},
          {"message", u8"姓が長すぎます。全角 17 文字（34 バイト）までで入れてください。"}}}}
        .dump();
  }
  std::string surname;
  SuggestFilter filter;
  NamingField bad;
  const std::string message = readNamingForm(form, &surname, &filter, &bad);
  if (!message.empty()) {
    const char* field = bad == NamingField::kSurname   ? "surname"
                        : bad == NamingField::kReading ? "reading"
                        : bad == NamingField::kWith    ? "with"
                        : bad == NamingField::kWithout ? "without"
                                                       : "minScore";
    return Json{{"error", {{"field", field}, {"message", text::toUtf8(message)}}}}.dump();
  }
  namingSurname = surname;
  namingFilter = filter;
  suggestions = suggestGivenNames(namingSurname.c_str(), filter);
  namingSort = NamingSort{};
  shownRanks = sortedRanks(suggestions, namingSort);
  csvBytes.clear();
  return Json{{"count", suggestions.size()},
              {"advice", suggestions.empty() ? text::toUtf8(emptyListAdvice(
                                                   namingSurname.c_str(), filter, AdviceFor::kPage))
                                             : ""},
              {"tenun", tenunOfSurname(namingSurname)},
              {"surname", text::toUtf8(namingSurname)},
              {"csvFile", text::toUtf8(suggestionsCsvFileName(namingSurname.c_str()))},
              {"warning", text::toUtf8(zeroStrokeWarning(namingSurname.c_str(), ""))}}
      .dump();
}

// A click on the header of column `column` (kNamingColumnTitles' order)
// sorts the last ranking as the Windows naming window does: that column, or
// reversed on a second click. Returns {"column", "descending", "order"},
// order as the window's count line names it (「総運の大きい順」).
std::string sortSuggestions(int column) {
  if (column >= 0 && column < kNamingColumns) {
    namingSort = nextSort(namingSort, column);
    shownRanks = sortedRanks(suggestions, namingSort);
    csvBytes.clear();
  }
  return Json{{"column", namingSort.column},
              {"descending", namingSort.descending},
              {"order", text::toUtf8(sortName(namingFilter, namingSort))}}
      .dump();
}

// Rows [from, from + count) of the last ranking in the order shown, as the
// table shows them; rank stays each row's rank in the ranking.
std::string suggestionRows(std::size_t from, std::size_t count) {
  Json rows = Json::array();
  for (std::size_t row = from; row < shownRanks.size() && row - from < count; ++row) {
    const std::size_t rank = shownRanks[row];
    const Suggestion s = suggestions[rank];
    rows.push_back(
        {{"rank", rank + 1},
         {"given", text::toUtf8(s.given)},
         {"readings", text::toUtf8(readingsCell(suggestions, rank))},
         {"sex", text::toUtf8(sexLabel(s.sex))},
         {"grades", s.grades.value},
         {"score", formatOneDecimal(s.score)},
         {"people", s.people},
         {"familiarity", s.familiarity},
         {"rank", s.rank.rank ? Json{{"rank", s.rank.rank}, {"year", s.rank.year}} : Json()}});
  }
  return rows.dump();
}

// The last ranking as the Windows naming window exports it (Shift-JIS CSV),
// in the order shown.
const std::string& suggestionCsvBytes() {
  if (csvBytes.empty()) csvBytes = suggestionsCsv(suggestions, shownRanks);
  return csvBytes;
}

}  // namespace namori::web

#ifdef __EMSCRIPTEN__
namespace {

// Bytes for JavaScript: a view into the module's memory, which the page
// copies at once.
emscripten::val bytesView(const std::string& bytes) {
  return emscripten::val(emscripten::typed_memory_view(
      bytes.size(), reinterpret_cast<const std::uint8_t*>(bytes.data())));
}

emscripten::val reportBytesView(const std::string& which) {
  return bytesView(namori::web::reportBytes(which));
}

emscripten::val csvBytesView() {
  return bytesView(namori::web::suggestionCsvBytes());
}

emscripten::val shortlistCsvView(const std::string& namesJson) {
  static std::string csv;
  csv = namori::web::shortlistCsv(namesJson);
  return bytesView(csv);
}

}  // namespace

EMSCRIPTEN_BINDINGS(namori) {
  emscripten::function("reading", &namori::web::reading);
  emscripten::function("reportBytes", &reportBytesView);
  emscripten::function("suggest", &namori::web::suggest);
  emscripten::function("suggestionRows", &namori::web::suggestionRows);
  emscripten::function("sortSuggestions", &namori::web::sortSuggestions);
  emscripten::function("csvBytes", &csvBytesView);
  emscripten::function("nameCard", &namori::web::nameCard);
  emscripten::function("shortlistCsv", &shortlistCsvView);
  emscripten::function("guideFacts", &namori::web::guideFacts);
}
#endif
