// The page's way into the engine, the readings and the naming module: UTF-8
// text and JSON towards JavaScript, Shift-JIS inside, exactly as namori-cli
// does it. Nothing is worked out here that the libraries already work out;
// this file only gathers their answers into the objects the page draws.
// Texts that carry Japanese are u8 literals: every plain literal is Shift-JIS.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "utf8_reading.h"
#include "naming.h"
#include "naming_csv.h"
#include "naming_window.h"
#include "readings.h"
#include "sjis_utf8.h"
#include "typed_text.h"

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

// What the page says of a name cut to 34 bytes, as the name dialog cuts it.
std::string cutWarning(const char* what, const std::string& keptUtf8) {
  return std::string(what) + u8"が " + std::to_string(kNameBytes) + u8" バイト（全角 " +
         std::to_string(kNameBytes / 2) + u8" 文字）を超えたため、Windows 版と同じく「" +
         keptUtf8 + u8"」までで判断しました。";
}

// The two reports of the last reading, in the Windows program's bytes.
std::string nameReportBytes;
std::string careerReportBytes;

// The last ranking, shown a page at a time.
Suggestions suggestions;
std::string namingSurname;  // Shift-JIS, as ranked
std::string csvBytes;

}  // namespace

// The reading of two names as JSON text: namori-cli --career --json's object
// with what the page shows besides; {"error": {...}} for a character the
// engine cannot take or a name namori-cli would not read; {"missing": [...]}
// while a field is empty.
std::string reading(const std::string& surnameUtf8, const std::string& givenUtf8) {
  Name surname, given;
  Json error;
  if (!convertField(surnameUtf8, &surname, &error)) {
    error["field"] = "surname";
    return Json{{"error", error}}.dump();
  }
  if (!convertField(givenUtf8, &given, &error)) {
    error["field"] = "given";
    return Json{{"error", error}}.dump();
  }
  static ReadingState state;
  if (!storeNames(state, surname.sjis.c_str(), given.sjis.c_str())) {
    Json missing = Json::array();
    if (surname.sjis.empty()) missing.push_back("surname");
    if (given.sjis.empty()) missing.push_back("given");
    return Json{{"missing", missing}}.dump();
  }
  std::string message;
  for (const auto& [name, field] : {std::pair{&surname, "surname"}, std::pair{&given, "given"}}) {
    if (!text::canBeRead(*name, field, &message)) {
      return Json{{"error", {{"field", field}, {"unreadable", true}}}}.dump();
    }
  }
  runNameReading(state);
  nameReportBytes = state.nameReport;
  const std::string nameFile = text::toUtf8(state.reportFileName);
  runCareerCommand(state);
  careerReportBytes = state.careerReport;

  static text::JsonReader reader(true);
  Json r = reader.reading(surname, given);
  r["characters"] = {{"surname", charactersOf(surname.sjis)}, {"given", charactersOf(given.sjis)}};
  r["cutWarnings"] = Json::array();
  if (surname.wasCut) r["cutWarnings"].push_back(cutWarning(u8"姓", surname.utf8));
  if (given.wasCut) r["cutWarnings"].push_back(cutWarning(u8"名", given.utf8));
  r["zeroStrokeWarning"] = text::toUtf8(zeroStrokeWarning(surname.sjis.c_str(), given.sjis.c_str()));
  r["report"] = {{"text", text::toUtf8(nameReportBytes)}, {"file", nameFile}};
  r["careerReport"] = {{"text", r["career"]["text"]}, {"file", text::toUtf8(state.reportFileName)}};
  return r.dump();
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
// {"count", "advice", "surname", "csvFile", "warning"}, where advice, for an
// empty list, is what to tell the user (emptyListAdvice), else empty; or {"error": {"field", "message"}} for the field to correct, with
// "character" instead of "message" for a character the engine cannot take;
// nothing is ranked then.
std::string suggest(const std::string& surnameUtf8, const std::string& sex, int characters,
                    const std::string& readingUtf8, const std::string& withUtf8,
                    const std::string& withoutUtf8, const std::string& minScoreUtf8,
                    const std::string& order, bool anyKanji) {
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
  form.order = order == "people" ? 1 : 0;
  form.anyKanji = anyKanji;

  std::string surname;
  SuggestFilter filter;
  NamingField bad;
  const std::string message = readNamingForm(form, &surname, &filter, &bad);
  if (!message.empty()) {
    const char* field = bad == NamingField::kSurname   ? "surname"
                        : bad == NamingField::kReading ? "reading"
                                                       : "minScore";
    return Json{{"error", {{"field", field}, {"message", text::toUtf8(message)}}}}.dump();
  }
  namingSurname = surname;
  suggestions = suggestGivenNames(namingSurname.c_str(), filter);
  csvBytes.clear();
  return Json{{"count", suggestions.size()},
              {"advice", suggestions.empty() ? text::toUtf8(emptyListAdvice(
                                                   namingSurname.c_str(), filter, AdviceFor::kPage))
                                             : ""},
              {"surname", text::toUtf8(namingSurname)},
              {"csvFile", text::toUtf8(suggestionsCsvFileName(namingSurname.c_str()))},
              {"warning", text::toUtf8(zeroStrokeWarning(namingSurname.c_str(), ""))}}
      .dump();
}

// Rows [from, from + count) of the last ranking, as the table shows them.
std::string suggestionRows(std::size_t from, std::size_t count) {
  Json rows = Json::array();
  for (std::size_t rank = from; rank < suggestions.size() && rank - from < count; ++rank) {
    const Suggestion s = suggestions[rank];
    rows.push_back({{"rank", rank + 1},
                    {"given", text::toUtf8(s.given)},
                    {"readings", text::toUtf8(readingsCell(suggestions, rank))},
                    {"sex", text::toUtf8(sexLabel(s.sex))},
                    {"grades", s.grades.value},
                    {"score", formatOneDecimal(s.score)},
                    {"people", s.people},
                    {"familiarity", s.familiarity}});
  }
  return rows.dump();
}

// The last ranking as the Windows naming window exports it (Shift-JIS CSV).
const std::string& suggestionCsvBytes() {
  if (csvBytes.empty()) csvBytes = suggestionsCsv(suggestions);
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

}  // namespace

EMSCRIPTEN_BINDINGS(namori) {
  emscripten::function("reading", &namori::web::reading);
  emscripten::function("reportBytes", &reportBytesView);
  emscripten::function("suggest", &namori::web::suggest);
  emscripten::function("suggestionRows", &namori::web::suggestionRows);
  emscripten::function("csvBytes", &csvBytesView);
  emscripten::function("guideFacts", &namori::web::guideFacts);
}
#endif
