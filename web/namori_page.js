// The page around the compiled module: it passes what is typed to the module
// and draws what comes back. Every reading, text, file name, check and list
// comes from the module; this script only lays them out.
"use strict";

(() => {
  const $ = (id) => document.getElementById(id);
  const PAGE_ROWS = 100;
  const COMPARE_MAX = 4;
  const TENUN = 1; // the grade the surname alone gives
  const TENUN_NOTE = "天運は姓だけで決まり、名前では変わりません";
  // The fortune classes the module names, as the page colours them.
  const CLASS_STYLES = { 大吉: "daikichi", 吉: "kichi", 半吉: "hankichi", 凶: "kyou", 大凶: "daikyou" };

  let namori = null; // the module, once loaded
  let facts = null; // the numbers the guide states, from the module
  let reading = null; // the reading on screen
  let naming = null; // the list on screen: {query, count, page, surname, csvFile}
  let typing = false; // a history entry is open for the name being typed
  let applied = false; // the fragment the page was opened with has been applied

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
    scope: "範囲",
    allReadings: "全読み",
    shortlist: "お気に入り",
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

  // The fragment's values by key; a key given more than once (お気に入り)
  // keeps the last in the map and every one in .all.
  function readFragment() {
    const values = new Map();
    values.all = [];
    for (const part of location.hash.slice(1).split("&")) {
      if (!part) continue;
      const eq = part.indexOf("=");
      const key = decode(eq < 0 ? part : part.slice(0, eq));
      const value = eq < 0 ? "" : decode(part.slice(eq + 1));
      values.set(key, value);
      values.all.push([key, value]);
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
      if (q.scope !== "common") add("scope", q.scope);
      add("allReadings", q.allReadings ? "1" : "");
    }
    return parts.length ? `#${parts.join("&")}` : "";
  }

  // A new history entry for each name or list the user settles on; the
  // keystrokes of one name share one entry, so Back goes to the name before.
  function recordState(newEntry) {
    if (!applied) return; // a shared link's fragment is read before anything replaces it
    flushTypedState();
    writeState(newEntry);
  }

  // While a name is typed, the address follows once the typing pauses: a
  // history update takes several milliseconds on a slow phone, too long for
  // every keystroke.
  let pendingEntry = null; // null, or whether the pending update opens an entry
  let stateTimer = 0;
  function recordTypedState(newEntry) {
    if (!applied) return;
    pendingEntry = pendingEntry || newEntry;
    clearTimeout(stateTimer);
    stateTimer = setTimeout(flushTypedState, 400);
  }
  function flushTypedState() {
    clearTimeout(stateTimer);
    if (pendingEntry !== null) writeState(pendingEntry);
    pendingEntry = null;
  }

  function writeState(newEntry) {
    const url = new URL(location.href);
    url.hash = fragmentOfState();
    if (url.href === location.href) return;
    if (newEntry) history.pushState(null, "", url);
    else history.replaceState(null, "", url);
  }

  // Puts the fragment into the form and shows what the form then holds: a
  // value a field cannot hold (性別=x, 文字数=2.5) is dropped with a note, so
  // that the form and the list always agree. True when the address holds
  // more than the page now shows (dropped values, shared お気に入り), to be
  // written again without it.
  function applyFragment() {
    clearTimeout(stateTimer); // Back wins over an address still to be written
    pendingEntry = null;
    const values = readFragment();
    const value = (key) => values.get(KEYS[key]) ?? "";
    const dropped = [];
    const check = (key, given, held) => {
      if (given !== held) dropped.push(`${KEYS[key]}=${given}`);
    };
    for (const key of ["surname", "given"]) {
      $(key).value = value(key);
      check(key, value(key), $(key).value);
    }
    showReading();
    typing = false;
    if (values.has(KEYS.namingSurname)) {
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
        scope: value("scope") || "common",
        allReadings: value("allReadings") === "1",
      };
      fillNamingForm(query);
      const held = namingQueryOfForm();
      for (const key of Object.keys(NAMING_FIELDS)) check(key, query[key], held[key]);
      if (values.has(KEYS.anyKanji)) check("anyKanji", value("anyKanji"), held.anyKanji ? "1" : "");
      if (values.has(KEYS.allReadings)) check("allReadings", value("allReadings"), held.allReadings ? "1" : "");
      if (!naming || JSON.stringify(naming.query) !== JSON.stringify(held)) runNaming(held);
    } else {
      clearNaming();
    }
    const shared = values.all.filter(([key]) => key === KEYS.shortlist).map(([, v]) => v);
    if (shared.length) addSharedNames(shared);
    const note = $("fragment-note");
    note.hidden = dropped.length === 0;
    note.textContent = dropped.length
      ? `リンクの ${dropped.map((d) => `「${d}」`).join("")} は入れられない値のため、使わずに表示しています。`
      : "";
    return dropped.length > 0 || shared.length > 0;
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

  // The reading's summary for a screen reader, once the typing pauses.
  let summaryTimer = 0;
  function announce(text) {
    clearTimeout(summaryTimer);
    if (!text) $("reading-summary").textContent = "";
    else summaryTimer = setTimeout(() => ($("reading-summary").textContent = text), 800);
  }

  function showReading() {
    if (!namori) return;
    const answer = JSON.parse(namori.reading($("surname").value, $("given").value));
    $("surname").removeAttribute("aria-invalid");
    $("given").removeAttribute("aria-invalid");
    if (answer.error || answer.missing) {
      reading = null;
      announce("");
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
    announce(`${answer.surname} ${answer.given} さん、得点 ${answer.score.total} 点`);
    $("result").replaceChildren(readingView(answer));
    $("reading-actions").hidden = false;
    $("download-hint").hidden = false;
    $("career").textContent = answer.careerReport.text;
    $("career-grade").textContent = `${answer.surname} ${answer.given} さんの外運は ${answer.career.outerGrade} です。`;
    $("career-actions").hidden = false;
  }

  const badge = (fortuneClass) => element("span", { class: `badge ${CLASS_STYLES[fortuneClass] ?? ""}` }, fortuneClass);
  // Bands of the score, for its colour only: the number is always written.
  const scoreBand = (total) => (Number(total) >= 80 ? "high" : Number(total) >= 60 ? "mid" : "low");
  // A space typed inside a name shows as a mark instead of an empty tile.
  const SPACES = new Set([" ", "　"]);
  const characterTile = (c) =>
    SPACES.has(c) ? element("span", { class: "ch space", title: "空白" }, "␣") : element("span", { class: "ch" }, c);

  function readingView(r) {
    const view = document.createDocumentFragment();
    view.append(
      element(
        "div",
        { class: "reading-head" },
        element("h3", { id: "reading-name", tabIndex: -1 }, `${r.surname} ${r.given} さん`),
        starButton(r.surname, r.given),
      ),
    );

    const characters = element("ul", { class: "characters", ariaLabel: "一文字ずつの画数" });
    const addCharacters = (list, strokes) =>
      list.forEach((c, i) =>
        characters.append(
          element(
            "li",
            { class: strokes[i] === 0 ? "zero" : "", data: { strokes: strokes[i] } },
            characterTile(c),
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

    const rows = r.grades.map((g, grade) => {
      const value = element("td", { class: "value" }, `${g.index}画`);
      if (g.value !== g.index) value.append(element("span", { class: "raw" }, `（元の数 ${g.value}）`));
      const fortune = element("td", {}, badge(g.class), " ", element("span", { class: "fortune" }, g.fortune));
      if (grade === TENUN) fortune.append(element("span", { class: "grade-note" }, TENUN_NOTE));
      return element(
        "tr",
        { data: { value: g.value, index: g.index, weight: g.weight, class: g.class } },
        element("th", { scope: "row" }, g.name),
        value,
        fortune,
        element("td", { class: "weight" }, String(g.weight)),
      );
    });
    view.append(
      element(
        "p",
        { class: `score band-${scoreBand(r.score.total)}`, data: { total: r.score.total } },
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
            element("th", { scope: "col", class: "num" }, "数"),
            element("th", { scope: "col" }, "吉凶"),
            element("th", { scope: "col", class: "num" }, "重み"),
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
    scope: "naming-scope",
  };
  const FIELD_NAMES = { surname: "姓", reading: "読み", with: "使いたい字", without: "使わない字", minScore: "最低得点" };

  function namingQueryOfForm() {
    const query = {};
    for (const [key, id] of Object.entries(NAMING_FIELDS)) query[key] = $(id).value;
    // A number input gives "" for text that is no number; the module's check
    // must still see that something was typed.
    if ($("naming-min-score").validity.badInput) query.minScore = "?";
    query.anyKanji = $("naming-any-kanji").checked;
    query.allReadings = $("naming-all-readings").checked;
    return query;
  }

  function fillNamingForm(query) {
    for (const [key, id] of Object.entries(NAMING_FIELDS)) $(id).value = query[key];
    if ($("naming-order").value === "") $("naming-order").value = "score";
    if ($("naming-scope").value === "") $("naming-scope").value = "common";
    $("naming-any-kanji").checked = query.anyKanji;
    $("naming-all-readings").checked = query.allReadings;
  }

  function clearNaming() {
    naming = null;
    $("naming-results").tBodies[0].replaceChildren();
    $("naming-table-wrap").hidden = true;
    $("naming-pager").hidden = true;
    $("naming-tenun").hidden = true;
    $("naming-count").textContent = "";
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
        query.scope,
        query.allReadings,
      ),
    );
    if (answer.error) {
      clearNaming();
      const { field, message, character } = answer.error;
      $(NAMING_FIELDS[field]).setAttribute("aria-invalid", "true");
      setStatus("naming-message", message ?? characterProblem(FIELD_NAMES[field], character), true);
      return false;
    }
    naming = { query, count: answer.count, page: 0, surname: answer.surname, csvFile: answer.csvFile };
    showPage(0);
    $("naming-table-wrap").hidden = answer.count === 0;
    $("naming-pager").hidden = answer.count === 0;
    $("naming-count").textContent = answer.count === 0 ? `0 件：${answer.advice}` : `${answer.count.toLocaleString("en-US")} 件の候補`;
    $("naming-csv").hidden = answer.count === 0;
    const t = answer.tenun;
    $("naming-tenun").hidden = false;
    $("naming-tenun").replaceChildren(
      `${answer.surname}の天運は ${t.index}`,
      t.value !== t.index ? `（元の数 ${t.value}）` : "",
      " ",
      badge(t.class),
      ` 「${t.fortune}」。${TENUN_NOTE}。この姓の名前の得点は最高 ${t.highestScore} 点です。`,
    );
    setStatus("naming-message", answer.warning);
    return true;
  }

  // A long readings cell wraps between readings, never inside one; past the
  // first reading it is a part a phone leaves out.
  function readingsCell(cell) {
    const [first, ...rest] = cell.split("・");
    const more = rest.flatMap((reading) => ["・", element("wbr"), reading]);
    return [element("span", {}, first), element("span", { class: "more" }, ...more)];
  }

  const numberText = (n) => n.toLocaleString("en-US");

  // One page of the list replaces the one before: the table never holds
  // more than PAGE_ROWS rows, however long the list. The first FIRST_ROWS
  // come at once and the rest a frame later, so that a slow phone paints the
  // top of the list in a fraction of the time; the table is aria-busy until
  // then.
  const FIRST_ROWS = 20;
  let pageDrawn = 0; // which drawing the rest of the rows belong to
  function showPage(page) {
    naming.page = page;
    const from = page * PAGE_ROWS;
    const rows = JSON.parse(namori.suggestionRows(from, PAGE_ROWS));
    const trs = [];
    for (const row of rows) {
      const cells = [
        element("td", { class: "c-rank" }, String(row.rank)),
        element("td", { class: "c-name" }, element("button", { type: "button", class: "pick", tabIndex: -1, title: "この名前で姓名判断" }, row.given)),
        element("td", { class: "c-readings" }, ...readingsCell(row.readings)),
        element("td", { class: "c-sex" }, row.sex),
      ];
      row.grades.forEach((value, g) => cells.push(element("td", { class: g === TENUN ? "c-grade c-tenun" : "c-grade" }, String(value))));
      cells.push(
        element("td", { class: "c-score" }, row.score),
        element("td", { class: "c-people" }, String(row.people)),
        element("td", { class: "c-familiarity" }, String(row.familiarity)),
        element("td", { class: "c-star" }, starButton(naming.surname, row.given, -1)),
      );
      trs.push(element("tr", { data: { given: row.given } }, ...cells));
    }
    const body = $("naming-results").tBodies[0];
    body.replaceChildren(...trs.slice(0, FIRST_ROWS));
    const drawing = ++pageDrawn;
    const wrap = $("naming-table-wrap");
    wrap.ariaBusy = String(trs.length > FIRST_ROWS);
    if (trs.length > FIRST_ROWS) {
      requestAnimationFrame(() =>
        setTimeout(() => {
          if (drawing !== pageDrawn) return;
          body.append(...trs.slice(FIRST_ROWS));
          wrap.ariaBusy = "false";
        }),
      );
    }
    const first = $("naming-results").querySelector("tbody button");
    if (first) first.tabIndex = 0;
    // In the next frame, where the layout is done anyway; here it would be
    // done twice.
    requestAnimationFrame(() => (wrap.scrollTop = 0));
    const last = from + rows.length;
    $("naming-page").textContent = naming.count ? `${numberText(from + 1)}〜${numberText(last)} 件目／${numberText(naming.count)} 件` : "";
    $("naming-prev").disabled = page === 0;
    $("naming-next").disabled = last >= naming.count;
  }

  // The table is one stop of the Tab key: the arrow keys move between its
  // buttons, up and down by row, left and right between a row's name and ☆.
  function moveInTable(event) {
    const button = event.target.closest("button");
    if (!button) return;
    const rows = [...$("naming-results").tBodies[0].rows];
    const row = button.closest("tr");
    const column = button.classList.contains("star") ? ".star" : ".pick";
    let target = null;
    const at = rows.indexOf(row);
    if (event.key === "ArrowDown") target = rows[at + 1]?.querySelector(column);
    else if (event.key === "ArrowUp") target = rows[at - 1]?.querySelector(column);
    else if (event.key === "Home") target = rows[0].querySelector(column);
    else if (event.key === "End") target = rows[rows.length - 1].querySelector(column);
    else if (event.key === "ArrowRight") target = row.querySelector(".star");
    else if (event.key === "ArrowLeft") target = row.querySelector(".pick");
    else return;
    event.preventDefault();
    if (target) focusInTable(target);
  }

  function focusInTable(target) {
    for (const b of $("naming-results").querySelectorAll("tbody button[tabindex='0']")) b.tabIndex = -1;
    target.tabIndex = 0;
    target.focus();
  }

  function turnPage(step) {
    if (!naming) return;
    showPage(naming.page + step);
    const first = $("naming-results").querySelector("tbody .pick");
    if (first) focusInTable(first);
  }

  function readPickedName(given) {
    $("surname").value = naming.surname;
    $("given").value = given;
    showReading();
    typing = false;
    recordState(true);
    $("reading-heading").scrollIntoView({ block: "start" });
    $("reading-name")?.focus({ preventScroll: true });
  }

  // ---- お気に入り ---------------------------------------------------------

  // [{surname, given, compare}], kept in this browser's localStorage.
  const STORE_KEY = "namori.shortlist";
  let shortlist = [];
  const sameName = (e, surname, given) => e.surname === surname && e.given === given;
  const isStarred = (surname, given) => shortlist.some((e) => sameName(e, surname, given));

  function loadShortlist() {
    try {
      const saved = JSON.parse(localStorage.getItem(STORE_KEY) ?? "[]");
      shortlist = Array.isArray(saved)
        ? saved.filter((e) => typeof e?.surname === "string" && typeof e?.given === "string").map((e) => ({ surname: e.surname, given: e.given, compare: e.compare === true }))
        : [];
    } catch {
      shortlist = [];
      setStatus("shortlist-message", "このブラウザではお気に入りを残せません（保存が許されていません）。ページを閉じると消えます。", true);
    }
  }

  function saveShortlist() {
    try {
      localStorage.setItem(STORE_KEY, JSON.stringify(shortlist));
      return true;
    } catch {
      setStatus("shortlist-message", "お気に入りを保存できませんでした（ブラウザの保存領域が使えないか、いっぱいです）。このページを閉じると消えます。", true);
      return false;
    }
  }

  function starButton(surname, given, tabIndex = 0) {
    const on = isStarred(surname, given);
    return element(
      "button",
      { type: "button", class: "star", tabIndex, ariaPressed: String(on), ariaLabel: `${surname} ${given} をお気に入りに`, data: { surname, given } },
      on ? "★" : "☆",
    );
  }

  function addToShortlist(surname, given) {
    if (isStarred(surname, given)) return;
    shortlist.push({ surname, given, compare: shortlist.filter((e) => e.compare).length < COMPARE_MAX });
  }

  function toggleStar(surname, given) {
    if (isStarred(surname, given)) shortlist = shortlist.filter((e) => !sameName(e, surname, given));
    else addToShortlist(surname, given);
    if (saveShortlist()) setStatus("shortlist-message", "");
    showShortlist();
  }

  // A link's お気に入り entries join the shortlist: each is the surname and
  // the given name with a tab between, which no name that reads can hold.
  function addSharedNames(values) {
    const before = shortlist.length;
    for (const value of values) {
      const [surname, given, ...rest] = value.split("\t");
      if (surname && given && !rest.length) addToShortlist(surname, given);
    }
    if (shortlist.length > before && saveShortlist()) {
      setStatus("shortlist-message", `リンクの名前 ${shortlist.length - before} 件をお気に入りに入れました。`);
    }
    showShortlist();
  }

  function showShortlist() {
    for (const star of document.querySelectorAll(".star")) {
      const on = isStarred(star.dataset.surname, star.dataset.given);
      star.ariaPressed = String(on);
      star.textContent = on ? "★" : "☆";
    }
    const comparing = shortlist.filter((e) => e.compare).length;
    $("shortlist-list").replaceChildren(
      ...shortlist.map((e) => {
        const name = `${e.surname} ${e.given}`;
        const compare = element("input", { type: "checkbox", checked: e.compare, disabled: !e.compare && comparing >= COMPARE_MAX });
        compare.addEventListener("change", () => {
          e.compare = compare.checked;
          saveShortlist();
          showShortlist();
        });
        const remove = element("button", { type: "button", class: "remove", ariaLabel: `${name} を外す` }, "外す");
        remove.addEventListener("click", () => {
          toggleStar(e.surname, e.given);
          $("shortlist-heading").focus();
        });
        return element("li", { data: { surname: e.surname, given: e.given } }, element("span", { class: "entry-name" }, name), element("label", {}, compare, "比べる", element("span", { class: "visually-hidden" }, `（${name}）`)), remove);
      }),
    );
    $("shortlist-actions").hidden = shortlist.length === 0;
    if (!shortlist.length && !$("shortlist-message").classList.contains("error")) {
      setStatus("shortlist-message", "まだありません。名前の横の ☆ を押すと、ここに入ります。");
    }
    const link = new URL(location.href);
    link.hash = shortlist.map((e) => `${encode(KEYS.shortlist)}=${encode(`${e.surname}\t${e.given}`)}`).join("&");
    $("shortlist-link").href = link.href;
    showComparison(shortlist.filter((e) => e.compare));
  }

  // The names side by side, one column each, every value from the module
  // (each asked for once: a name's card never changes).
  const cardCache = new Map();
  function cardOf(surname, given) {
    const key = `${surname}\t${given}`;
    if (!cardCache.has(key)) cardCache.set(key, JSON.parse(namori.nameCard(surname, given)));
    return cardCache.get(key);
  }

  function showComparison(entries) {
    const cards = entries.map((e) => cardOf(e.surname, e.given)).filter((c) => c.grades);
    $("compare").hidden = cards.length === 0;
    if (!cards.length) return;
    const row = (heading, cell) => element("tr", {}, element("th", { scope: "row" }, heading), ...cards.map((c) => element("td", {}, ...cell(c))));
    const strokes = (c) =>
      [...c.characters.surname.map((ch, i) => [ch, c.strokes.surname[i]]), null, ...c.characters.given.map((ch, i) => [ch, c.strokes.given[i]])].map((pair) =>
        pair ? element("span", { class: "stroke" }, `${pair[0]} ${pair[1]}`) : element("span", { class: "stroke-gap" }, "｜"),
      );
    const rows = [
      row("字と画数", (c) => strokes(c)),
      ...cards[0].grades.map((g, grade) =>
        row(g.name, (c) => {
          const x = c.grades[grade];
          return [element("span", { class: "value", data: { index: x.index, class: x.class } }, `${x.index}画`), " ", badge(x.class), element("span", { class: "fortune" }, x.fortune)];
        }),
      ),
      row("得点", (c) => [element("strong", { class: `total band-${scoreBand(c.score.total)}`, data: { total: c.score.total } }, c.score.total)]),
      row("読み", (c) => [c.readings ? c.readings : element("span", { class: "none" }, "―（名前の辞書にない名前）")]),
      row("職業運", (c) => [c.careerTitle ? c.careerTitle : element("span", { class: "none" }, "―（外運が 2〜31 でない）")]),
    ];
    $("compare-table").replaceChildren(
      element("caption", { class: "visually-hidden" }, "お気に入りの名前を並べた表"),
      element("thead", {}, element("tr", {}, element("td", {}), ...cards.map((c) => element("th", { scope: "col" }, `${c.surname} ${c.given}`)))),
      element("tbody", {}, ...rows),
    );
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
      recordTypedState(!typing);
      typing = true;
    };
    for (const id of ["surname", "given"]) {
      $(id).addEventListener("input", nameTyped);
      $(id).addEventListener("compositionend", nameTyped);
      $(id).addEventListener("change", () => {
        flushTypedState();
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
    $("naming-prev").addEventListener("click", () => turnPage(-1));
    $("naming-next").addEventListener("click", () => turnPage(1));
    $("naming-all-columns").addEventListener("change", (event) => {
      $("naming-results").classList.toggle("all-columns", event.target.checked);
    });
    $("naming-csv").addEventListener("click", () => {
      if (naming) download(namori.csvBytes().slice(), naming.csvFile, "text/csv");
    });
    // Only the name's button reads it: the rest of a row can be selected.
    $("naming-results").tBodies[0].addEventListener("click", (event) => {
      const pick = event.target.closest(".pick");
      if (pick && naming) readPickedName(pick.closest("tr").dataset.given);
    });
    $("naming-results").tBodies[0].addEventListener("keydown", moveInTable);
    $("naming-results").tBodies[0].addEventListener("focusin", (event) => {
      if (event.target.matches("button")) focusInTable(event.target);
    });
    document.addEventListener("click", (event) => {
      const star = event.target.closest(".star");
      if (star) toggleStar(star.dataset.surname, star.dataset.given);
    });
    $("shortlist-csv").addEventListener("click", () => {
      download(namori.shortlistCsv(JSON.stringify(shortlist.map((e) => [e.surname, e.given]))).slice(), "お気に入りの名前.CSV", "text/csv");
    });
    // Another tab's changes to the shortlist show here too.
    window.addEventListener("storage", (event) => {
      if (event.key !== STORE_KEY) return;
      loadShortlist();
      showShortlist();
    });
    // Back, Forward and a fragment typed into the address bar all come as
    // popstate (and then hashchange, which is left alone).
    window.addEventListener("popstate", () => {
      if (applyFragment()) writeState(false);
    });
    window.addEventListener("pagehide", flushTypedState);
  }

  // The module comes inside the page, gzip in base64.
  async function loadModule() {
    const text = $("namori-wasm").textContent.trim();
    let packed;
    if (Uint8Array.fromBase64) {
      packed = Uint8Array.fromBase64(text);
    } else {
      const binary = atob(text);
      packed = new Uint8Array(binary.length);
      for (let i = 0; i < binary.length; ++i) packed[i] = binary.charCodeAt(i);
    }
    const unpacked = new Blob([packed]).stream().pipeThrough(new DecompressionStream("gzip"));
    return createNamoriModule({ wasmBinary: await new Response(unpacked).arrayBuffer() });
  }

  // What the page cannot do without: said at once, with the browsers that
  // have it, instead of a script error.
  const missing = ["WebAssembly", "DecompressionStream"].filter((name) => !(name in window));
  if (missing.length) {
    setStatus(
      "reading-status",
      `このブラウザには ${missing.join(" と ")} の機能がないため、ナモリを動かせません。Chrome か Edge（80 以降）、Safari（16.4 以降）、Firefox（113 以降）で開いてください。`,
      true,
    );
    return;
  }
  setStatus("reading-status", "読み込み中です…");
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
      loadShortlist();
      const rewrite = applyFragment();
      showShortlist();
      applied = true;
      if (rewrite) writeState(false);
      if (!naming) mirrorSurname();
      for (const controls of document.querySelectorAll("fieldset")) controls.disabled = false;
      document.documentElement.dataset.ready = "true";
      window.namoriReadyAt = performance.now();
      // The candidates load on the first ranking; do it while nothing else
      // happens, so that the first list comes at once.
      const warm = () => {
        if (!naming) namori.suggest("山", "", 0, "", "", "", "", "score", false, "common", false);
      };
      if ("requestIdleCallback" in window) requestIdleCallback(warm);
      else setTimeout(warm, 200);
    })
    .catch((error) => {
      setStatus(
        "reading-status",
        `読み込みに失敗しました（${error?.message ?? error}）。メモリの少ない端末では、ほかのタブを閉じてから開き直してください。`,
        true,
      );
    });
})();
