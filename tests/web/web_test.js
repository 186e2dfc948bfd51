// namori.html in Chromium, checked against the native build: readings,
// career texts and report files against namori-cli, the naming lists against
// namori-cli --suggest, the CSV against namori_suggest_csv (the Windows naming
// window's expected file). Also: file://, no
// request leaves the page, no horizontal scroll at 360 px, the fragment and
// Back, the bounded list, the shortlist and its comparison, hostile
// fragments, the security policy and the missing-feature message. Prints the
// timings at full speed and at 4x CPU throttling; asserts none.
//
//   node web_test.js PAGE.html NAMORI_CLI NAMORI_SUGGEST_CSV [SCREENSHOT_DIR]
"use strict";

const assert = require("node:assert/strict");
const { execFileSync } = require("node:child_process");
const fs = require("node:fs");
const os = require("node:os");
const path = require("node:path");
const { pathToFileURL } = require("node:url");
const { chromium } = require("playwright-core");

const [pagePath, cliPath, csvToolPath, screenshotDir] = process.argv.slice(2).map((a) => path.resolve(a));
const pageUrl = pathToFileURL(path.resolve(pagePath)).href;
const scratch = fs.mkdtempSync(path.join(os.tmpdir(), "namori-web-"));
const pageErrors = [];

function run(program, args, options = {}) {
  return execFileSync(program, args, { maxBuffer: 1 << 30, stdio: ["pipe", "pipe", "ignore"], ...options });
}
const cliJson = (args, input) => run(cliPath, args, { input, encoding: "utf8" });

// Files a program writes into a directory of its own: {name: bytes}.
function filesWritten(program, args) {
  const dir = fs.mkdtempSync(path.join(scratch, "out-"));
  run(program, args, { cwd: dir });
  return Object.fromEntries(fs.readdirSync(dir).map((name) => [name, fs.readFileSync(path.join(dir, name))]));
}

async function downloaded(page, selector) {
  const [download] = await Promise.all([page.waitForEvent("download"), page.click(selector)]);
  const file = path.join(scratch, `download-${Date.now()}`);
  await download.saveAs(file);
  return { name: download.suggestedFilename(), bytes: fs.readFileSync(file) };
}

async function openPage(context, fragment = "") {
  const page = await context.newPage();
  page.on("pageerror", (error) => pageErrors.push(error.message));
  await page.goto(pageUrl + fragment);
  await page.waitForSelector("html[data-ready=true]", { timeout: 30000 });
  return page;
}

// ---- Sampled names ---------------------------------------------------------

// Kanji of the stroke table, kana, and characters that count 0 strokes
// (outside the table, half-width, ASCII).
const KANJI = [..."山田佐藤鈴木高橋渡辺伊中小林森清水原井上太郎一花子陽翔結愛蓮大和悠真美咲優奈沢藤浩道隆桜"];
const KANA = [..."あいうかがさしたちなはぱまゆよりわんアイカガサタナハパユラワンーっゃ々"];
const ZERO = [..."髙﨑德凜熙ヶＵ１ｱa"];

function samplePairs(count) {
  let seed = 20261207;
  const next = (n) => {
    seed = (seed * 1103515245 + 12345) % 2147483648;
    return Math.floor((seed / 2147483648) * n);
  };
  const name = () => {
    const length = 1 + next(4);
    let text = "";
    for (let i = 0; i < length; ++i) {
      const pool = [KANJI, KANJI, KANJI, KANA, KANA, ZERO][next(6)];
      text += pool[next(pool.length)];
    }
    return text;
  };
  const pairs = [];
  for (let i = 0; i < count; ++i) pairs.push([name(), name()]);
  // A given name cut to 34 bytes, and one of a single 0-stroke character.
  pairs.push(["林", "一"], ["長谷川", "あいうえおかきくけこさしすせそたちつ"], ["髙", "﨑"]);
  return pairs;
}

// What the page draws for each pair, typed into the fields one after another.
function drawReadings(pairs) {
  const surname = document.getElementById("surname");
  const given = document.getElementById("given");
  const result = document.getElementById("result");
  return pairs.map(([s, g]) => {
    surname.value = s;
    given.value = g;
    given.dispatchEvent(new Event("input", { bubbles: true }));
    const text = (selector) => result.querySelector(selector)?.textContent ?? "";
    return {
      heading: text("h3"),
      characters: [...result.querySelectorAll(".characters li:not(.gap)")].map((li) => [
        li.querySelector(".ch").textContent,
        Number(li.dataset.strokes),
      ]),
      warnings: text(".warnings"),
      grades: [...result.querySelectorAll(".grades tbody tr")].map((tr) => ({
        name: tr.querySelector("th").textContent,
        value: Number(tr.dataset.value),
        index: Number(tr.dataset.index),
        fortune: tr.querySelector(".fortune").textContent,
        weight: Number(tr.dataset.weight),
        class: tr.dataset.class,
      })),
      total: result.querySelector(".score")?.dataset.total,
      parts: text(".score .parts"),
      refused: document.getElementById("reading-status").classList.contains("error"),
      career: document.getElementById("career").textContent,
    };
  });
}

function checkReading(drawn, expected, label) {
  const e = expected;
  // A name namori-cli will not read is refused on the page too.
  assert.equal(drawn.refused, "error" in e, `${label}: refused`);
  if (e.error) return;
  assert.equal(drawn.heading, `${e.surname} ${e.given} さん`, label);
  assert.deepEqual(
    drawn.characters.map(([, strokes]) => strokes),
    [...e.strokes.surname, ...e.strokes.given],
    `${label}: strokes`,
  );
  assert.equal(drawn.characters.map(([c]) => c).join(""), e.surname + e.given, `${label}: characters`);
  assert.deepEqual(
    drawn.grades,
    e.grades.map(({ name, value, index, fortune, weight, class: c }) => ({ name, value, index, fortune, weight, class: c })),
    `${label}: grades`,
  );
  assert.equal(drawn.total, e.score.total, `${label}: score`);
  assert.ok(drawn.parts.includes(`${e.score.first}／70`) && drawn.parts.includes(`${e.score.second}／30`), label);
  for (const c of [...e.unknown, ...(e.notRegistrable ?? [])]) assert.ok(drawn.warnings.includes(c), `${label}: ${c}`);
  for (const [field, text] of [["surname", "姓が 34 バイト"], ["given", "名が 34 バイト"]]) {
    if (e.cut) assert.equal(drawn.warnings.includes(text), e.cut.includes(field), `${label}: cut`);
  }
  assert.equal(drawn.career, e.career.text, `${label}: career`);
}

async function testReadings(context) {
  const page = await openPage(context);
  const pairs = samplePairs(300);
  let batch;
  try {
    batch = cliJson(["--batch", "--career"], pairs.map((p) => p.join(" ")).join("\n") + "\n");
  } catch (error) {
    assert.equal(error.status, 2, "namori-cli --batch: 2 for a bad line"); // the others still come
    batch = error.stdout;
  }
  const expected = batch
    .trim()
    .split("\n")
    .map((line) => JSON.parse(line));
  const drawn = await page.evaluate(drawReadings, pairs);
  drawn.forEach((d, i) => checkReading(d, expected[i], pairs[i].join(" ")));
  // The warnings the command line gives on stderr, on the page.
  const cut = drawn[pairs.length - 2];
  assert.match(cut.warnings, /名が 34 バイト/);
  await page.fill("#surname", "田中");

  // Text the input method is still composing is not read; the committed is.
  const ime = await page.context().newCDPSession(page);
  await page.fill("#given", "");
  await ime.send("Input.imeSetComposition", { text: "たろう", selectionStart: 3, selectionEnd: 3 });
  assert.equal(await page.$("#result h3"), null);
  await ime.send("Input.insertText", { text: "太郎" });
  assert.equal(await page.textContent("#result h3"), "田中 太郎 さん");

  // A character code page 932 lacks is refused, as namori-cli refuses it.
  await page.fill("#given", "𠮷");
  assert.equal(await page.getAttribute("#given", "aria-invalid"), "true");
  assert.match(await page.textContent("#reading-status"), /𠮷 \(U\+20BB7\)/);
  assert.equal(await page.isVisible("#download-sjis"), false);
  await page.fill("#given", "一");

  // The report files, byte for byte with namori-cli --save.
  for (const [selector, args] of [
    ["#download-sjis", ["--save", "田中", "一"]],
    ["#download-utf8", ["--save", "--file-encoding", "utf-8", "田中", "一"]],
    ["#download-career", ["--career", "--save", "田中", "一"]],
  ]) {
    const got = await downloaded(page, selector);
    const files = filesWritten(cliPath, args);
    assert.deepEqual(Object.keys(files), [got.name], selector);
    assert.ok(files[got.name].equals(got.bytes), `${selector}: bytes`);
  }
  await page.close();
}

// ---- 名付け ----------------------------------------------------------------

// 男 before 女; unstated sex is blank.
const sexMark = (sex) => (sex.includes("m") ? "男" : "") + (sex.includes("f") ? "女" : "");

async function fillNaming(page, q) {
  await page.fill("#naming-surname", q.surname);
  await page.selectOption("#naming-sex", q.sex ?? "");
  await page.selectOption("#naming-chars", q.chars ?? "");
  await page.fill("#naming-reading", q.reading ?? "");
  await page.fill("#naming-with", q.with ?? "");
  await page.fill("#naming-without", q.without ?? "");
  await page.fill("#naming-min-score", q.minScore ?? "");
  await page.selectOption("#naming-order", q.order ?? "score");
  await page.setChecked("#naming-any-kanji", q.anyKanji ?? false);
  await page.selectOption("#naming-scope", q.scope ?? "common");
  await page.setChecked("#naming-all-readings", q.allReadings ?? false);
}

function suggestArgs(q) {
  const args = ["--suggest", q.surname, "--top", "0", "--json"];
  for (const [key, option] of Object.entries({ sex: "--sex", chars: "--chars", reading: "--reading", with: "--with", without: "--without", minScore: "--min-score", order: "--sort", scope: "--names" })) {
    if (q[key]) args.push(option, q[key]);
  }
  if (q.anyKanji) args.push("--any-kanji");
  if (q.allReadings) args.push("--all-readings");
  return args;
}

// The cells of today's columns (the ☆ column comes after them), once every
// row of the page is drawn.
async function tableRows(page) {
  await page.waitForSelector("#naming-table-wrap[aria-busy=false]");
  return page.$$eval("#naming-results tbody tr", (rows) => rows.map((tr) => [...tr.cells].slice(0, 12).map((td) => td.textContent)));
}

const listedCount = async (page) => Number((await page.textContent("#naming-count")).match(/^\d[\d,]*/)?.[0].replaceAll(",", "") ?? -1);
const focusedLabel = (page) => page.evaluate(() => document.activeElement.id || document.activeElement.className);

async function testNaming(context) {
  const page = await openPage(context);
  const sets = [
    { surname: "佐藤", sex: "f", chars: "2", minScore: "85" },
    { surname: "林", sex: "m", reading: "ゆ*", without: "雄" },
    { surname: "山田" },
    { surname: "鈴木", with: "翔", order: "people", anyKanji: true },
    { surname: "鈴木", with: "翔", order: "popular", scope: "all", allReadings: true },
  ];
  for (const q of sets) {
    await fillNaming(page, q);
    await page.click("#naming-run");
    const expected = JSON.parse(cliJson(suggestArgs(q))).candidates;
    const count = await listedCount(page);
    assert.ok(count > 0 && count === expected.length, `${JSON.stringify(q)}: ${count} listed`);
    // The second page, when there is one, replaces the first.
    const from = count > 100 ? 100 : 0;
    if (from) await page.click("#naming-next");
    const rows = await tableRows(page);
    assert.equal(rows.length, Math.min(count - from, 100), JSON.stringify(q));
    rows.forEach((cells, i) => {
      const e = expected[from + i];
      assert.deepEqual(
        cells,
        [
          String(from + i + 1),
          e.given,
          e.readings.map((r) => r.kana).join("・"),
          sexMark(e.sex),
          ...e.grades.map(String),
          e.score,
          String(e.people),
          String(e.familiarity),
        ],
        `${JSON.stringify(q)} rank ${from + i + 1}`,
      );
    });
  }

  // The CSV, byte for byte with the native module's: the whole list, not
  // the page shown. Above the list, the surname's 天運 and the highest score
  // it allows (佐藤: 7 + 21 = 28, 大凶数, 0.05: 70 + 20.5).
  await fillNaming(page, sets[0]);
  await page.click("#naming-run");
  const csv = await downloaded(page, "#naming-csv");
  assert.equal(csv.name, "佐藤さんの名付け候補.CSV");
  assert.ok(run(csvToolPath, ["佐藤", "--sex", "f", "--chars", "2", "--min-score", "85"]).equals(csv.bytes), "CSV bytes");
  assert.match(await page.textContent("#naming-tenun"), /天運は 28 大凶 「変人奇運の大凶数.*最高 90\.5 点/);

  // A typed filter the module refuses lists nothing and says why.
  await fillNaming(page, { surname: "山田", reading: "y*" });
  await page.click("#naming-run");
  assert.equal(await page.getAttribute("#naming-reading", "aria-invalid"), "true");
  assert.equal(await page.$$eval("#naming-results tbody tr", (rows) => rows.length), 0);

  // An empty list says what would find names.
  await fillNaming(page, { surname: "山田", reading: "ゆうす" });
  await page.click("#naming-run");
  assert.match(await page.textContent("#naming-count"), /^0 件：.*「ゆうす\*」/);

  // Many pages later the table still holds one page; the position says where.
  await fillNaming(page, { surname: "山田" });
  await page.click("#naming-run");
  const total = await listedCount(page);
  for (let i = 0; i < 40; ++i) await page.click("#naming-next");
  await page.click("#naming-prev");
  assert.equal((await tableRows(page)).length, 100);
  assert.equal(await page.textContent("#naming-page"), `3,901〜4,000 件目／${total.toLocaleString("en-US")} 件`);
  assert.equal(await page.evaluate(() => document.activeElement.closest("tr")?.rowIndex), 1, "focus on the first row");

  // Keyboard: the table is one stop between the page buttons and the CSV,
  // and the arrow keys move in it.
  await page.click("#naming-run");
  await tableRows(page);
  await page.focus("#naming-run");
  const stops = [];
  for (let i = 0; i < 3; ++i) {
    await page.keyboard.press("Tab");
    stops.push(await focusedLabel(page));
  }
  assert.deepEqual(stops, ["naming-next", "pick", "naming-csv"], "tab order");
  await page.keyboard.press("Shift+Tab");
  await page.keyboard.press("ArrowDown");
  await page.keyboard.press("ArrowRight");
  assert.equal(await page.evaluate(() => `${document.activeElement.className} ${document.activeElement.closest("tr").rowIndex}`), "star 2");

  // Only the name picks: text in the rest of a row can be selected. A pick
  // reads the name and puts the focus on its heading.
  await page.click("#naming-results tbody tr:first-child td:nth-child(5)");
  assert.equal(await page.$("#result h3"), null);
  const first = await page.textContent("#naming-results tbody tr:first-child .pick");
  await page.click("#naming-results tbody tr:first-child .pick");
  assert.equal(await page.textContent("#result h3"), `山田 ${first} さん`);
  assert.equal(await page.evaluate(() => document.activeElement.id), "reading-name");
  await page.close();
}

// ---- The address, Back, small screens -----------------------------------

async function testFragmentAndLayout(browser, requests) {
  const context = await browser.newContext({ viewport: { width: 360, height: 740 }, acceptDownloads: true });
  context.on("request", (request) => requests.push(request.url()));
  const page = await openPage(context, "#姓=佐藤&名=花子&名付け=佐藤&性別=f&文字数=2");
  assert.equal(await page.textContent("#result h3"), "佐藤 花子 さん");
  assert.equal(await page.inputValue("#naming-sex"), "f");
  assert.ok((await page.$$("#naming-results tbody tr")).length > 0);

  await page.fill("#given", "一郎");
  await page.press("#given", "Enter");
  assert.equal(await page.textContent("#result h3"), "佐藤 一郎 さん");
  await page.goBack();
  await page.waitForFunction(() => document.querySelector("#result h3")?.textContent === "佐藤 花子 さん");

  // On a phone a row shows the name, the first reading, the score and ☆ in
  // the table's box, and the header stays at the top of the box.
  const overflow = () => document.documentElement.scrollWidth - document.documentElement.clientWidth;
  assert.equal(await page.evaluate(overflow), 0, "horizontal scroll at 360 px");
  await tableRows(page);
  const layout = await page.evaluate(() => {
    const wrap = document.getElementById("naming-table-wrap");
    const row = wrap.querySelector("tbody tr:nth-child(40)");
    row.scrollIntoView({ block: "center" });
    const box = wrap.getBoundingClientRect();
    const inBox = (cell) => {
      const r = cell.getBoundingClientRect();
      return r.width > 0 && r.left >= box.left && r.right <= box.right;
    };
    return {
      shown: [".c-name", ".c-readings", ".c-score", ".c-star"].map((c) => inBox(row.querySelector(c))),
      tenunHidden: row.querySelector(".c-tenun").getBoundingClientRect().width === 0,
      headerAtTop: Math.abs(wrap.querySelector("thead th.c-name").getBoundingClientRect().top - box.top) < 2,
    };
  });
  assert.deepEqual(layout, { shown: [true, true, true, true], tenunHidden: true, headerAtTop: true }, "phone layout");
  if (screenshotDir) {
    await page.evaluate(() => window.scrollTo(0, 0));
    await page.screenshot({ path: path.join(screenshotDir, "web-phone-reading.png"), fullPage: false });
    await page.evaluate(() => {
      document.getElementById("naming-table-wrap").scrollTop = 0;
      window.scrollBy(0, document.getElementById("naming-count").getBoundingClientRect().top - 12);
    });
    await page.screenshot({ path: path.join(screenshotDir, "web-phone-naming.png") });
  }
  // The longest name the dialog takes, and its warnings, still fit.
  await page.fill("#surname", "長谷川髙﨑");
  await page.fill("#given", "あいうえおかきくけこさしすせそたちつ");
  assert.equal(await page.evaluate(overflow), 0, "horizontal scroll with a long name");

  // Hostile fragments: what a field cannot hold is dropped with a note, and
  // the list is the one of what the form shows (as namori-cli lists it). A
  // naming surname over 34 bytes is refused, never cut.
  for (const [fragment, form, dropped] of [
    ["#名付け=山田&文字数=2.5&性別=x&並び順=<img src=x>", { surname: "山田" }, ["文字数=2.5", "性別=x", "並び順=<img src=x>"]],
    ["#名付け=山田&文字数=4294967298&最低得点=abc&避ける字も=2", { surname: "山田" }, ["文字数=4294967298", "最低得点=abc", "避ける字も=2"]],
    ["#名付け=林&性別=m&文字数=1&読み=*と", { surname: "林", sex: "m", chars: "1", reading: "*と" }, []],
  ]) {
    await page.goto(pageUrl + fragment);
    await page.waitForFunction((text) => document.getElementById("naming-surname").value === text, form.surname);
    const shown = await page.evaluate(() => ({
      surname: document.getElementById("naming-surname").value,
      sex: document.getElementById("naming-sex").value,
      chars: document.getElementById("naming-chars").value,
      reading: document.getElementById("naming-reading").value,
      minScore: document.getElementById("naming-min-score").value,
      order: document.getElementById("naming-order").value,
    }));
    assert.deepEqual(shown, { sex: "", chars: "", reading: "", minScore: "", order: "score", ...form }, fragment);
    const note = await page.textContent("#fragment-note");
    for (const d of dropped) assert.ok(note.includes(`「${d}」`), `${fragment}: ${note}`);
    assert.equal(await page.isVisible("#fragment-note"), dropped.length > 0, fragment);
    assert.equal(await listedCount(page), JSON.parse(cliJson(suggestArgs(form))).candidates.length, fragment);
  }
  await page.goto(pageUrl + `#名付け=${"山".repeat(18)}`);
  await page.waitForFunction(() => document.getElementById("naming-surname").getAttribute("aria-invalid") === "true");
  assert.match(await page.textContent("#naming-message"), /34 バイト/);
  assert.equal(await page.isVisible("#naming-table-wrap"), false);
  await context.close();
}

// ---- お気に入り and the comparison ------------------------------------------

// One column of the comparison against namori-cli --json --career and the
// naming list's readings from namori-cli --suggest.
function checkCard(card, surname, given) {
  const label = `${surname} ${given}`;
  const e = JSON.parse(cliJson(["--json", "--career", surname, given]));
  assert.equal(card.name, label);
  assert.deepEqual(card.strokes, [...e.strokes.surname, ...e.strokes.given], label);
  assert.deepEqual(card.grades, e.grades.map((g) => [g.index, g.class, g.fortune]), label);
  assert.equal(card.total, e.score.total, label);
  assert.equal(card.career, e.career.text.match(/\*{7} (.*) \*{7}/)?.[1] ?? "", label);
  const listed = JSON.parse(cliJson(["--suggest", surname, "--with", given, "--any-kanji", "--top", "0", "--json"])).candidates.find((c) => c.given === given);
  assert.equal(card.readings, listed ? listed.readings.map((r) => r.kana).join("・") : "", label);
}

function comparisonCards() {
  const table = document.getElementById("compare-table");
  const rows = [...table.tBodies[0].rows];
  return [...table.tHead.rows[0].cells].slice(1).map((th, i) => {
    const cell = (r) => rows[r].cells[i + 1];
    return {
      name: th.textContent,
      strokes: [...cell(0).querySelectorAll(".stroke")].map((s) => Number(s.textContent.split(" ")[1])),
      grades: [1, 2, 3, 4, 5].map((r) => {
        const value = cell(r).querySelector(".value");
        return [Number(value.dataset.index), value.dataset.class, cell(r).querySelector(".fortune").textContent];
      }),
      total: cell(6).querySelector("[data-total]").dataset.total,
      readings: cell(7).querySelector(".none") ? "" : cell(7).textContent,
      career: cell(8).querySelector(".none") ? "" : cell(8).textContent,
    };
  });
}

async function testShortlist(browser) {
  const context = await browser.newContext({ acceptDownloads: true });
  const page = await openPage(context, "#姓=田中&名=太郎&名付け=佐藤&性別=f");
  await tableRows(page);
  const picked = await page.$$eval("#naming-results tbody tr:nth-child(-n+2)", (rows) => rows.map((tr) => tr.dataset.given));
  await page.click("#result .star");
  for (const given of picked) await page.click(`#naming-results tbody tr[data-given="${given}"] .star`);
  assert.equal(await page.getAttribute("#result .star", "aria-pressed"), "true");

  // Kept across a reload; up to four compared, each as namori-cli reads it.
  await page.reload();
  await page.waitForSelector("html[data-ready=true]");
  const names = [["田中", "太郎"], ...picked.map((g) => ["佐藤", g])];
  assert.deepEqual(await page.$$eval("#shortlist-list li .entry-name", (e) => e.map((x) => x.textContent)), names.map((n) => n.join(" ")));
  const cards = await page.evaluate(comparisonCards);
  assert.equal(cards.length, 3);
  cards.forEach((card, i) => checkCard(card, ...names[i]));

  // Exported as CSV and as a link another browser opens; removed one by one.
  const csv = await downloaded(page, "#shortlist-csv");
  assert.equal(csv.name, "お気に入りの名前.CSV");
  assert.equal(csv.bytes.toString("latin1").split("\r\n").length, 1 + names.length + 1);
  const link = await page.getAttribute("#shortlist-link", "href");
  await page.click('#shortlist-list li:first-child button.remove');
  assert.equal(await page.$$eval("#shortlist-list li", (e) => e.length), 2);
  const other = await browser.newContext();
  const shared = await other.newPage();
  await shared.goto(link);
  await shared.waitForSelector("html[data-ready=true]");
  assert.deepEqual(await shared.$$eval("#shortlist-list li .entry-name", (e) => e.map((x) => x.textContent)), names.map((n) => n.join(" ")));
  await other.close();
  await context.close();

  // Storage that refuses: a message, never an error.
  const full = await browser.newContext();
  await full.addInitScript(() => {
    Storage.prototype.setItem = () => {
      throw new DOMException("full", "QuotaExceededError");
    };
  });
  const refused = await openPage(full, "#姓=田中&名=太郎");
  await refused.click("#result .star");
  assert.match(await refused.textContent("#shortlist-message"), /保存できませんでした/);
  await full.close();
}

// ---- Locked down, and failure said plainly ----------------------------------

async function testLockedDown(browser) {
  const context = await browser.newContext();
  const page = await openPage(context);
  // The policy lets only the page's own scripts run: neither an injected
  // script element nor an event handler attribute does.
  const ran = await page.evaluate(async () => {
    window.injected = [];
    const holder = document.createElement("div");
    holder.innerHTML = '<img src="data:," onerror="window.injected.push(\'onerror\')">';
    const script = document.createElement("script");
    script.textContent = "window.injected.push('script')";
    document.body.append(holder, script);
    await new Promise((resolve) => setTimeout(resolve, 200));
    return window.injected;
  });
  assert.deepEqual(ran, [], "injected script ran");
  await context.close();

  // A browser without DecompressionStream is told which browsers work, and
  // the form stays disabled.
  const old = await browser.newContext();
  await old.addInitScript(() => delete window.DecompressionStream);
  const oldPage = await old.newPage();
  await oldPage.goto(pageUrl);
  assert.match(await oldPage.textContent("#reading-status"), /DecompressionStream.*Safari（16\.4 以降）/);
  assert.equal(await oldPage.isDisabled("#surname"), true);
  await old.close();

  // Without JavaScript: the notice, never 「読み込み中」.
  const noScript = await browser.newContext({ javaScriptEnabled: false });
  const bare = await noScript.newPage();
  await bare.goto(pageUrl);
  assert.match(await bare.innerText("main"), /JavaScript を有効に/);
  assert.doesNotMatch(await bare.innerText("main"), /読み込み中/);
  await noScript.close();
}

// ---- Timings, printed -------------------------------------------------------

// At full speed and at 4x CPU throttling: a reading from input to the next
// frame (median of 11 names), 名付け for 佐藤 from the click to its first rows
// painted (median of 5), and navigation to ready.
async function measureTimings(browser) {
  const lines = [];
  for (const rate of [1, 4]) {
    const context = await browser.newContext();
    const page = await context.newPage();
    const cdp = await context.newCDPSession(page);
    await cdp.send("Emulation.setCPUThrottlingRate", { rate });
    await page.goto(pageUrl);
    await page.waitForSelector("html[data-ready=true]", { timeout: 60000 });
    const ready = await page.evaluate(() => window.namoriReadyAt);
    await page.fill("#naming-surname", "佐藤");
    await page.waitForTimeout(3000); // the candidates load while the page is idle
    const [typed, ranked] = await page.evaluate(async () => {
      const afterNextFrame = () => new Promise((resolve) => requestAnimationFrame(() => setTimeout(resolve)));
      const timed = async (action) => {
        await afterNextFrame();
        const start = performance.now();
        action();
        await afterNextFrame();
        return performance.now() - start;
      };
      const median = (values) => values.sort((a, b) => a - b)[values.length >> 1];
      const ranked = [];
      for (const sex of ["", "f", "", "m", ""]) {
        document.getElementById("naming-sex").value = sex;
        ranked.push(await timed(() => document.getElementById("naming-run").click()));
      }
      const given = document.getElementById("given");
      document.getElementById("surname").value = "田中";
      const typed = [];
      for (const name of ["太郎", "花子", "陽翔", "結愛", "蓮", "さくら", "悠真", "一", "翔太", "美咲", "大和"]) {
        typed.push(await timed(() => {
          given.value = name;
          given.dispatchEvent(new Event("input", { bubbles: true }));
        }));
      }
      return [median(typed), median(ranked)];
    });
    lines.push(`CPU ${rate}x: reading, input to next frame ${typed.toFixed(0)} ms (median); 名付け 佐藤, click to first rows painted ${ranked.toFixed(0)} ms (median); navigation to ready ${ready.toFixed(0)} ms`);
    await context.close();
  }
  return lines;
}

async function desktopScreenshots(browser) {
  const context = await browser.newContext({ viewport: { width: 1280, height: 900 } });
  const page = await openPage(context, "#姓=山田&名=太郎");
  await page.screenshot({ path: path.join(screenshotDir, "web-desktop-reading.png") });
  await fillNaming(page, { surname: "山田", sex: "f", chars: "2" });
  await page.click("#naming-run");
  await tableRows(page);
  for (const n of [1, 3]) await page.click(`#naming-results tbody tr:nth-child(${n}) .star`);
  await page.click("#result .star");
  await page.evaluate(() => window.scrollTo(0, document.getElementById("naming-heading").getBoundingClientRect().top + window.scrollY - 16));
  await page.screenshot({ path: path.join(screenshotDir, "web-desktop-naming.png") });
  await page.evaluate(() => window.scrollTo(0, document.getElementById("shortlist").getBoundingClientRect().top + window.scrollY - 16));
  await page.screenshot({ path: path.join(screenshotDir, "web-desktop-shortlist.png") });
  await context.close();
}

(async () => {
  const browser = await chromium.launch({ executablePath: "/usr/bin/chromium", args: ["--no-sandbox"] });
  const requests = [];
  try {
    const context = await browser.newContext({ acceptDownloads: true });
    context.on("request", (request) => requests.push(request.url()));
    await testReadings(context);
    await testNaming(context);
    await context.close();
    await testFragmentAndLayout(browser, requests);
    await testShortlist(browser);
    await testLockedDown(browser);
    if (screenshotDir) await desktopScreenshots(browser);
    // Nothing but the page itself was asked for.
    const pageFile = pageUrl.split("#")[0];
    assert.deepEqual(
      requests.filter((url) => url.split("#")[0] !== pageFile && !/^(blob|data):/.test(url)),
      [],
      "requests that leave the page",
    );
    assert.deepEqual(pageErrors, [], "errors thrown in the page");
    for (const line of await measureTimings(browser)) console.log(line);
    console.log("web tests passed");
  } finally {
    await browser.close();
    fs.rmSync(scratch, { recursive: true, force: true });
  }
})().catch((error) => {
  console.error(error);
  process.exit(1);
});
