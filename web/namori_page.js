// The page around the compiled module: it passes what is typed to the module
// and draws what comes back. Every reading, text, file name, check and list
// comes from the module; this script only lays them out.
"use strict";

(() => {
  const $ = (id) => document.getElementById(id);
  const PAGE_ROWS = 100;

  let namori = null; // the module, once loaded
  let facts = null; // the numbers the guide states, from the module
  let reading = null; // the reading on screen
  let naming = null; // the list on screen: {query, count, shown, surname, csvFile}
  let typing = false; // a history entry is open for the name being typed

  // ---- The fragment: #姓=山田&名=太郎&名付け=山田&性別=f... ----------------

  const KEYS = {
    surname: "姓",
    given: "名",
    namingSurname: "名付け",
    sex: "性別",
    chars: "文字数",
    reading: "読み",
    with: "使いたい字",
    without: "使わない字",
    minScore: "最低得点",
    order: "並び順",
    anyKanji: "避ける字も",
  };

  const decode = (text) => {
    try {
      return decodeURIComponent(text);
    } catch {
      return text;
    }
  };
  // Japanese stays readable in the address bar; only what would break the
  // fragment apart is escaped.
  const encode = (text) => text.replace(/[%&=#+\s]/gu, (c) => encodeURIComponent(c));

  function readFragment() {
    const values = new Map();
    for (const part of location.hash.slice(1).split("&")) {
      if (!part) continue;
      const eq = part.indexOf("=");
      values.set(decode(eq < 0 ? part : part.slice(0, eq)), eq < 0 ? "" : decode(part.slice(eq + 1)));
    }
    return values;
  }

  function fragmentOfState() {
    const parts = [];
    const add = (key, value) => {
      if (value !== "" && value !== false) parts.push(`${encode(KEYS[key])}=${encode(String(value))}`);
    };
    add("surname", $("surname").value);
    add("given", $("given").value);
    if (naming) {
      const q = naming.query;
      add("namingSurname", q.surname);
      add("sex", q.sex);
      add("chars", q.chars);
      add("reading", q.reading);
      add("with", q.with);
      add("without", q.without);
      add("minScore", q.minScore);
      if (q.order !== "score") add("order", q.order);
      add("anyKanji", q.anyKanji ? "1" : "");
    }
    return parts.length ? `#${parts.join("&")}` : "";
  }

  // A new history entry for each name or list the user settles on; the
  // keystrokes of one name share one entry, so Back goes to the name before.
  function recordState(newEntry) {
    const url = new URL(location.href);
    url.hash = fragmentOfState();
    if (url.href === location.href) return;
    if (newEntry) history.pushState(null, "", url);
    else history.replaceState(null, "", url);
  }

  function applyFragment() {
    const values = readFragment();
    const value = (key) => values.get(KEYS[key]) ?? "";
    $("surname").value = value("surname");
    $("given").value = value("given");
    showReading();
    typing = false;
    if (!values.has(KEYS.namingSurname)) {
      clearNaming();
      return;
    }
    const query = {
      surname: value("namingSurname"),
      sex: value("sex"),
      chars: value("chars"),
      reading: value("reading"),
      with: value("with"),
      without: value("without"),
      minScore: value("minScore"),
      order: value("order") || "score",
      anyKanji: value("anyKanji") === "1",
    };
    fillNamingForm(query);
    if (!naming || JSON.stringify(naming.query) !== JSON.stringify(query)) runNaming(query);
  }

  // ---- Elements ---------------------------------------------------------

  function element(tag, props = {}, ...children) {
    const node = document.createElement(tag);
    for (const [key, value] of Object.entries(props)) {
      if (key === "class") node.className = value;
      else if (key === "data") Object.assign(node.dataset, value);
      else node[key] = value;
    }
    node.append(...children);
    return node;
  }

  function setStatus(id, text, isError = false) {
    const status = $(id);
    status.textContent = text;
    status.classList.toggle("error", isError);
  }

  function download(data, fileName, type) {
    const url = URL.createObjectURL(new Blob([data], { type }));
    const link = element("a", { href: url, download: fileName, hidden: true });
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(url), 60000);
  }

  const quoted = (characters) => characters.map((c) => `「${c}」`).join("");

  function characterProblem(what, character) {
    return character
      ? `${what}の ${character} はシフト JIS にない字のため、判断できません。`
      : `${what}に読み取れない文字があります。`;
  }

  // ---- 姓名判断 -----------------------------------------------------------

  function showReading() {
    if (!namori) return;
    const answer = JSON.parse(namori.reading($("surname").value, $("given").value));
    $("surname").removeAttribute("aria-invalid");
    $("given").removeAttribute("aria-invalid");
    if (answer.error || answer.missing) {
      reading = null;
      $("reading-summary").textContent = "";
      $("result").replaceChildren();
      $("reading-actions").hidden = true;
      $("download-hint").hidden = true;
      $("career-actions").hidden = true;
      $("career").textContent = "姓と名を入れると表示します。";
      $("career-grade").textContent = "";
      if (answer.error) {
        const field = answer.error.field;
        $(field).setAttribute("aria-invalid", "true");
        const what = field === "surname" ? "姓" : "名";
        setStatus(
          "reading-status",
          answer.error.unreadable
            ? `${what}に、画数を数えられる字がありません。漢字かかなで入れてください。`
            : characterProblem(what, answer.error.character),
          true,
        );
      } else {
        const missing = answer.missing.map((f) => (f === "surname" ? "姓" : "名")).join("と");
        setStatus("reading-status", `${missing}を入れてください。入れると、その場で判断します。`);
      }
      return;
    }
    reading = answer;
    setStatus("reading-status", "");
    $("reading-summary").textContent = `${answer.surname} ${answer.given} さん、得点 ${answer.score.total} 点`;
    $("result").replaceChildren(readingView(answer));
    $("reading-actions").hidden = false;
    $("download-hint").hidden = false;
    $("career").textContent = answer.careerReport.text;
    $("career-grade").textContent = `${answer.surname} ${answer.given} さんの外運は ${answer.career.outerGrade} です。`;
    $("career-actions").hidden = false;
  }

  function readingView(r) {
    const view = document.createDocumentFragment();
    view.append(element("h3", {}, `${r.surname} ${r.given} さん`));

    const characters = element("ul", { class: "characters", ariaLabel: "一文字ずつの画数" });
    const addCharacters = (list, strokes) =>
      list.forEach((c, i) =>
        characters.append(
          element(
            "li",
            { class: strokes[i] === 0 ? "zero" : "", data: { strokes: strokes[i] } },
            element("span", { class: "ch" }, c),
            element("span", { class: "n" }, `${strokes[i]}画`),
          ),
        ),
      );
    addCharacters(r.characters.surname, r.strokes.surname);
    characters.append(element("li", { class: "gap", ariaHidden: "true" }));
    addCharacters(r.characters.given, r.strokes.given);
    view.append(characters);

    const warnings = [...r.cutWarnings];
    if (r.zeroStrokeWarning) warnings.push(r.zeroStrokeWarning);
    if (r.notRegistrable.length) {
      warnings.push(`${quoted(r.notRegistrable)}は出生届で名前に使えない字です（使えるのは常用漢字・人名用漢字・ひらがな・カタカナなど）。`);
    }
    if (warnings.length) {
      view.append(element("ul", { class: "warnings" }, ...warnings.map((w) => element("li", {}, w))));
    }

    const rows = r.grades.map((g) => {
      const value = element("td", { class: "value" }, `${g.index}画`);
      if (g.value !== g.index) value.append(element("span", { class: "raw" }, `（元の数 ${g.value}）`));
      return element(
        "tr",
        { data: { value: g.value, index: g.index, weight: g.weight } },
        element("th", { scope: "row" }, g.name),
        value,
        element("td", { class: "fortune" }, g.fortune),
        element("td", { class: "weight" }, String(g.weight)),
      );
    });
    view.append(
      element(
        "p",
        { class: "score", data: { total: r.score.total } },
        "得点",
        element("strong", {}, r.score.total),
        "点／100",
        element(
          "span",
          { class: "parts" },
          element("span", {}, `総運+人運 ${r.score.first}／${facts.firstPartPoints}`),
          " ",
          element("span", {}, `天運+地運+外運 ${r.score.second}／${facts.secondPartPoints}`),
        ),
      ),
    );
    view.append(
      element(
        "table",
        { class: "grades" },
        element(
          "thead",
          {},
          element(
            "tr",
            {},
            element("th", { scope: "col" }, "運"),
            element("th", { scope: "col" }, "数"),
            element("th", { scope: "col" }, "吉凶"),
            element("th", { scope: "col" }, "重み"),
          ),
        ),
        element("tbody", {}, ...rows),
      ),
    );
    view.append(
      element(
        "details",
        {},
        element("summary", {}, "Windows 版の表示（ファイル出力の中身）"),
        element("pre", { class: "report" }, r.report.text),
      ),
    );
    return view;
  }

  // ---- 名付け -------------------------------------------------------------

  const NAMING_FIELDS = {
    surname: "naming-surname",
    sex: "naming-sex",
    chars: "naming-chars",
    reading: "naming-reading",
    with: "naming-with",
    without: "naming-without",
    minScore: "naming-min-score",
    order: "naming-order",
  };
  const FIELD_NAMES = { surname: "姓", reading: "読み", with: "使いたい字", without: "使わない字", minScore: "最低得点" };

  function namingQueryOfForm() {
    const query = {};
    for (const [key, id] of Object.entries(NAMING_FIELDS)) query[key] = $(id).value;
    // A number input gives "" for text that is no number; the module's check
    // must still see that something was typed.
    if ($("naming-min-score").validity.badInput) query.minScore = "?";
    query.anyKanji = $("naming-any-kanji").checked;
    return query;
  }

  function fillNamingForm(query) {
    for (const [key, id] of Object.entries(NAMING_FIELDS)) $(id).value = query[key];
    if ($("naming-order").value === "") $("naming-order").value = "score";
    $("naming-any-kanji").checked = query.anyKanji;
  }

  function clearNaming() {
    naming = null;
    $("naming-results").tBodies[0].replaceChildren();
    $("naming-table-wrap").hidden = true;
    $("naming-count").textContent = "";
    $("naming-shown").textContent = "";
    $("naming-more").hidden = true;
    $("naming-csv").hidden = true;
    setStatus("naming-message", "");
  }

  // Ranks with the query; returns false when a field cannot be taken.
  function runNaming(query) {
    if (!namori) return false;
    for (const id of Object.values(NAMING_FIELDS)) $(id).removeAttribute("aria-invalid");
    const answer = JSON.parse(
      namori.suggest(
        query.surname,
        query.sex,
        Number(query.chars || 0),
        query.reading,
        query.with,
        query.without,
        query.minScore,
        query.order,
        query.anyKanji,
      ),
    );
    if (answer.error) {
      clearNaming();
      const { field, message, character } = answer.error;
      $(NAMING_FIELDS[field]).setAttribute("aria-invalid", "true");
      setStatus("naming-message", message ?? characterProblem(FIELD_NAMES[field], character), true);
      return false;
    }
    naming = { query, count: answer.count, shown: 0, surname: answer.surname, csvFile: answer.csvFile };
    $("naming-results").tBodies[0].replaceChildren();
    showMoreRows();
    $("naming-table-wrap").hidden = answer.count === 0;
    $("naming-count").textContent = answer.count === 0 ? `0 件：${answer.advice}` : `${answer.count.toLocaleString("en-US")} 件の候補`;
    $("naming-csv").hidden = answer.count === 0;
    setStatus("naming-message", answer.warning);
    return true;
  }

  // A long readings cell wraps between readings, never inside one.
  function readingsWithBreaks(cell) {
    return cell.split("・").flatMap((reading, i) => (i ? ["・", element("wbr"), reading] : [reading]));
  }

  function showMoreRows() {
    const rows = JSON.parse(namori.suggestionRows(naming.shown, PAGE_ROWS));
    const body = document.createDocumentFragment();
    for (const row of rows) {
      const cells = [
        element("td", {}, String(row.rank)),
        element("td", {}, element("button", { type: "button", class: "pick", title: "この名前で姓名判断" }, row.given)),
        element("td", {}, ...readingsWithBreaks(row.readings)),
        element("td", {}, row.sex),
      ];
      for (const grade of row.grades) cells.push(element("td", {}, String(grade)));
      cells.push(element("td", {}, row.score), element("td", {}, String(row.people)), element("td", {}, String(row.familiarity)));
      body.append(element("tr", { data: { given: row.given } }, ...cells));
    }
    $("naming-results").tBodies[0].append(body);
    naming.shown += rows.length;
    $("naming-more").hidden = naming.shown >= naming.count;
    $("naming-shown").textContent = naming.count ? `上位 ${naming.shown.toLocaleString("en-US")} 件を表示しています。` : "";
  }

  function readPickedName(given) {
    $("surname").value = naming.surname;
    $("given").value = given;
    showReading();
    typing = false;
    recordState(true);
    $("reading-heading").scrollIntoView({ block: "start" });
  }

  // ---- Wiring ------------------------------------------------------------

  // The naming surname follows the reading's until it is typed on its own.
  let mirroredSurname = "";
  function mirrorSurname() {
    const namingSurname = $("naming-surname");
    if (namingSurname.value !== mirroredSurname) return;
    mirroredSurname = namingSurname.value = $("surname").value;
  }

  function wire() {
    // Text still being composed by the input method (かな before 変換) is
    // not read; the reading follows once it is committed.
    const nameTyped = (event) => {
      if (event.isComposing) return;
      if (event.target.id === "surname") mirrorSurname();
      showReading();
      recordState(!typing);
      typing = true;
    };
    for (const id of ["surname", "given"]) {
      $(id).addEventListener("input", nameTyped);
      $(id).addEventListener("compositionend", nameTyped);
      $(id).addEventListener("change", () => {
        typing = false;
      });
    }
    $("reading-form").addEventListener("submit", (event) => {
      event.preventDefault();
      showReading();
      recordState(!typing);
      typing = false;
    });
    $("download-sjis").addEventListener("click", () => {
      if (reading) download(namori.reportBytes("name").slice(), reading.report.file, "text/plain");
    });
    $("download-utf8").addEventListener("click", () => {
      if (reading) download(reading.report.text, reading.report.file, "text/plain;charset=utf-8");
    });
    $("download-career").addEventListener("click", () => {
      if (reading) download(namori.reportBytes("career").slice(), reading.careerReport.file, "text/plain");
    });
    $("naming-form").addEventListener("submit", (event) => {
      event.preventDefault();
      if (runNaming(namingQueryOfForm())) {
        typing = false;
        recordState(true);
      }
    });
    $("naming-more").addEventListener("click", () => {
      if (naming) showMoreRows();
    });
    $("naming-csv").addEventListener("click", () => {
      if (naming) download(namori.csvBytes().slice(), naming.csvFile, "text/csv");
    });
    $("naming-results").tBodies[0].addEventListener("click", (event) => {
      const row = event.target.closest("tr");
      if (row && naming) readPickedName(row.dataset.given);
    });
    window.addEventListener("popstate", applyFragment);
    window.addEventListener("hashchange", applyFragment);
  }

  // The module comes inside the page, gzip in base64.
  async function loadModule() {
    const text = $("namori-wasm").textContent.trim();
    const packed = new Uint8Array(text.length);
    const binary = atob(text);
    for (let i = 0; i < binary.length; ++i) packed[i] = binary.charCodeAt(i);
    const unpacked = new Blob([packed.subarray(0, binary.length)]).stream().pipeThrough(new DecompressionStream("gzip"));
    return createNamoriModule({ wasmBinary: await new Response(unpacked).arrayBuffer() });
  }

  wire();
  loadModule()
    .then((module) => {
      namori = module;
      facts = JSON.parse(namori.guideFacts());
      for (const span of document.querySelectorAll("[data-fact]")) {
        span.textContent = String(span.dataset.fact.split(".").reduce((value, key) => value[key], facts));
      }
      // The first reading sets up the fixed texts; do that before anyone waits.
      namori.reading("山", "田");
      if (location.hash) {
        applyFragment();
      } else {
        showReading();
      }
      if (!naming) mirrorSurname();
      document.documentElement.dataset.ready = "true";
      window.namoriReadyAt = performance.now();
      // The candidates load on the first ranking; do it while nothing else
      // happens, so that the first list comes at once.
      const warm = () => {
        if (!naming) namori.suggest("山", "", 0, "", "", "", "", "score", false);
      };
      if ("requestIdleCallback" in window) requestIdleCallback(warm);
      else setTimeout(warm, 200);
    })
    .catch((error) => {
      setStatus("reading-status", `読み込みに失敗しました（${error}）。ページを開き直してください。`, true);
    });
})();
