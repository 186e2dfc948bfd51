// namori.html in Chromium, checked against the native build: readings,
// career texts and report files against namori-cli, the naming lists against
// namori-cli --suggest, the CSV against namori_suggest_csv (the Windows naming
// window's expected file). Also: file://, no
// request leaves the page, no horizontal scroll at 360 px, the fragment and
// Back. Prints the page's own timings; asserts none.
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

// The page's Event Timing entries of one kind while action runs: event to
// next paint (8 ms steps) and the handlers' time, for events of 16 ms or more.
async function eventTimings(page, kind, action) {
  await page.waitForTimeout(300); // the entries of earlier events come first
  await page.evaluate((name) => {
    window.slowEvents = [];
    window.eventCount = 0;
    document.addEventListener(name, () => ++window.eventCount, true);
    window.eventObserver = new PerformanceObserver((list) => {
      for (const e of list.getEntries()) {
        if (e.name === name) window.slowEvents.push({ duration: e.duration, processing: e.processingEnd - e.processingStart });
      }
    });
    window.eventObserver.observe({ type: "event", durationThreshold: 16 });
  }, kind);
  await action();
  await page.waitForTimeout(300);
  return page.evaluate(() => {
    window.eventObserver.disconnect();
    return { count: window.eventCount, slow: window.slowEvents };
  });
}

// "3 of 16 events painted 16 ms or later: 16-32 ms (handlers 1.5-4.4 ms)"
function describeTimings({ count, slow }, what) {
  if (!slow.length) return `all ${count} ${what} painted within 16 ms`;
  const range = (values) => `${Math.min(...values).toFixed(1)}-${Math.max(...values).toFixed(1)} ms`;
  return `${slow.length} of ${count} ${what} painted 16 ms or later: ${range(slow.map((e) => e.duration))} (handlers ${range(slow.map((e) => e.processing))})`;
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
    const start = performance.now();
    given.dispatchEvent(new Event("input", { bubbles: true }));
    const ms = performance.now() - start;
    const text = (selector) => result.querySelector(selector)?.textContent ?? "";
    return {
      ms,
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
    e.grades.map(({ name, value, index, fortune, weight }) => ({ name, value, index, fortune, weight })),
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

async function testReadings(context, timings) {
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
  const times = drawn.map((d) => d.ms).sort((a, b) => a - b);
  timings.push(`reading, input event to result in the page: median ${times[times.length >> 1].toFixed(2)} ms, max ${times[times.length - 1].toFixed(2)} ms over ${times.length} names`);

  // Typed with the keyboard: the browser's own Event Timing gives, for each
  // input, the time to the next paint, but only from 16 ms up.
  await page.fill("#surname", "田中");
  const names = ["太郎", "花子", "陽翔", "結愛", "蓮", "さくら", "悠真", "一"];
  const typed = await eventTimings(page, "input", async () => {
    for (const name of names) await page.fill("#given", name);
  });
  timings.push(`reading, input event to the result painted (Event Timing, bound 16 ms): ${describeTimings(typed, "input events")}`);
  assert.equal(await page.textContent("#result h3"), "田中 一 さん");

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
}

function suggestArgs(q) {
  const args = ["--suggest", q.surname, "--top", "0", "--json"];
  for (const [key, option] of Object.entries({ sex: "--sex", chars: "--chars", reading: "--reading", with: "--with", without: "--without", minScore: "--min-score", order: "--sort" })) {
    if (q[key]) args.push(option, q[key]);
  }
  if (q.anyKanji) args.push("--any-kanji");
  return args;
}

const tableRows = (page) =>
  page.$$eval("#naming-results tbody tr", (rows) => rows.map((tr) => [...tr.cells].map((td) => td.textContent)));

async function testNaming(context, timings) {
  const page = await openPage(context);
  const sets = [
    { surname: "佐藤", sex: "f", chars: "2", minScore: "85" },
    { surname: "林", sex: "m", reading: "ゆ*", without: "雄" },
    { surname: "山田" },
    { surname: "鈴木", with: "翔", order: "people", anyKanji: true },
  ];
  for (const q of sets) {
    await fillNaming(page, q);
    await page.click("#naming-run");
    const expected = JSON.parse(cliJson(suggestArgs(q))).candidates;
    const count = Number((await page.textContent("#naming-count")).match(/\d[\d,]*/)[0].replaceAll(",", ""));
    assert.ok(count > 0 && count === expected.length, `${JSON.stringify(q)}: ${count} listed`);
    if (count > 100) await page.click("#naming-more");
    const rows = await tableRows(page);
    assert.equal(rows.length, Math.min(count, 200), JSON.stringify(q));
    rows.forEach((cells, i) => {
      const e = expected[i];
      assert.deepEqual(
        cells,
        [
          String(i + 1),
          e.given,
          e.readings.map((r) => r.kana).join("・"),
          sexMark(e.sex),
          ...e.grades.map(String),
          e.score,
          String(e.people),
          String(e.familiarity),
        ],
        `${JSON.stringify(q)} rank ${i + 1}`,
      );
    });
  }

  // The CSV, byte for byte with the native module's.
  await fillNaming(page, sets[0]);
  await page.click("#naming-run");
  const csv = await downloaded(page, "#naming-csv");
  assert.equal(csv.name, "佐藤さんの名付け候補.CSV");
  assert.ok(run(csvToolPath, ["佐藤", "--sex", "f", "--chars", "2", "--min-score", "85"]).equals(csv.bytes), "CSV bytes");

  // A typed filter the module refuses lists nothing and says why.
  await fillNaming(page, { surname: "山田", reading: "y*" });
  await page.click("#naming-run");
  assert.equal(await page.getAttribute("#naming-reading", "aria-invalid"), "true");
  assert.equal(await page.$$eval("#naming-results tbody tr", (rows) => rows.length), 0);

  // An empty list says what would find names.
  await fillNaming(page, { surname: "山田", reading: "ゆうす" });
  await page.click("#naming-run");
  assert.match(await page.textContent("#naming-count"), /^0 件：.*「ゆうす\*」/);

  // A row reads its name.
  await fillNaming(page, { surname: "山田" });
  await page.click("#naming-run");
  const first = await page.textContent("#naming-results tbody tr:first-child td:nth-child(2)");
  await page.click("#naming-results tbody tr:first-child td:nth-child(5)");
  assert.equal(await page.textContent("#result h3"), `山田 ${first} さん`);

  // 山田 with no filters, from the click to the first 100 rows drawn.
  await fillNaming(page, { surname: "山田" });
  const click = await eventTimings(page, "click", () => page.click("#naming-run"));
  timings.push(`名付け 山田, click to the first 100 rows painted (Event Timing, bound 100 ms): ${describeTimings(click, "clicks")}`);
  await page.close();
}

// ---- The address, Back, small screens -----------------------------------

async function testFragmentAndLayout(browser, timings, requests) {
  const context = await browser.newContext({ viewport: { width: 360, height: 740 }, acceptDownloads: true });
  context.on("request", (request) => requests.push(request.url()));
  const page = await openPage(context, "#姓=佐藤&名=花子&名付け=佐藤&性別=f&文字数=2");
  timings.push(`navigation to ready (file://, 360 px): ${(await page.evaluate(() => window.namoriReadyAt)).toFixed(0)} ms`);
  assert.equal(await page.textContent("#result h3"), "佐藤 花子 さん");
  assert.equal(await page.inputValue("#naming-sex"), "f");
  assert.ok((await page.$$("#naming-results tbody tr")).length > 0);

  await page.fill("#given", "一郎");
  await page.press("#given", "Enter");
  assert.equal(await page.textContent("#result h3"), "佐藤 一郎 さん");
  await page.goBack();
  await page.waitForFunction(() => document.querySelector("#result h3")?.textContent === "佐藤 花子 さん");

  const overflow = () => document.documentElement.scrollWidth - document.documentElement.clientWidth;
  assert.equal(await page.evaluate(overflow), 0, "horizontal scroll at 360 px");
  if (screenshotDir) {
    await page.screenshot({ path: path.join(screenshotDir, "web-phone-reading.png"), fullPage: false });
    await page.locator("#naming-heading").scrollIntoViewIfNeeded();
    await page.evaluate(() => document.getElementById("naming-heading").scrollIntoView());
    await page.evaluate(() => window.scrollBy(0, document.getElementById("naming-run").getBoundingClientRect().top - 12));
    await page.screenshot({ path: path.join(screenshotDir, "web-phone-naming.png") });
  }
  // The longest name the dialog takes, and its warnings, still fit.
  await page.fill("#surname", "長谷川髙﨑");
  await page.fill("#given", "あいうえおかきくけこさしすせそたちつ");
  assert.equal(await page.evaluate(overflow), 0, "horizontal scroll with a long name");
  await context.close();
}

async function desktopScreenshots(browser) {
  const context = await browser.newContext({ viewport: { width: 1280, height: 900 } });
  const page = await openPage(context, "#姓=山田&名=太郎");
  await page.screenshot({ path: path.join(screenshotDir, "web-desktop-reading.png") });
  await fillNaming(page, { surname: "山田", sex: "f", chars: "2" });
  await page.click("#naming-run");
  await page.evaluate(() => window.scrollTo(0, document.getElementById("naming-heading").getBoundingClientRect().top + window.scrollY - 16));
  await page.screenshot({ path: path.join(screenshotDir, "web-desktop-naming.png") });
  await context.close();
}

(async () => {
  const browser = await chromium.launch({ executablePath: "/usr/bin/chromium", args: ["--no-sandbox"] });
  const timings = [];
  const requests = [];
  try {
    const context = await browser.newContext({ acceptDownloads: true });
    context.on("request", (request) => requests.push(request.url()));
    await testReadings(context, timings);
    await testNaming(context, timings);
    await context.close();
    await testFragmentAndLayout(browser, timings, requests);
    if (screenshotDir) await desktopScreenshots(browser);
    // Nothing but the page itself was asked for.
    const pageFile = pageUrl.split("#")[0];
    assert.deepEqual(
      requests.filter((url) => url.split("#")[0] !== pageFile && !/^(blob|data):/.test(url)),
      [],
      "requests that leave the page",
    );
    assert.deepEqual(pageErrors, [], "errors thrown in the page");
    for (const line of timings) console.log(line);
    console.log("web tests passed");
  } finally {
    await browser.close();
    fs.rmSync(scratch, { recursive: true, force: true });
  }
})().catch((error) => {
  console.error(error);
  process.exit(1);
});
