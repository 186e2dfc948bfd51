// namori.html from file:// in Chromium, against namori-cli (readings, report files, naming lists and
// their CSV) where it answers too, with the address, phone layout, keyboard, security policy and
// failure messages. bench/page_timing.js measures its speed.
//   node web_test.js PAGE.html NAMORI_CLI [SCREENSHOT_DIR]
"use strict";

const assert = require("node:assert/strict");
const { execFileSync, spawnSync } = require("node:child_process");
const fs = require("node:fs");
const os = require("node:os");
const path = require("node:path");
const { pathToFileURL } = require("node:url");
const { chromium } = require("playwright-core");

const [pagePath, cliPath, screenshotDir] = process.argv.slice(2).map((a) => path.resolve(a));
const pageUrl = pathToFileURL(pagePath).href;
const scratch = fs.mkdtempSync(path.join(os.tmpdir(), "namori-web-"));
const [pageErrors, requests] = [[], []];

const run = (program, args, options = {}) => execFileSync(program, args, { maxBuffer: 1 << 30, stdio: ["pipe", "pipe", "ignore"], ...options });
const cli = (args) => JSON.parse(run(cliPath, args, { encoding: "utf8" }));

async function downloaded(page, selector) {
  const [download] = await Promise.all([page.waitForEvent("download"), page.click(selector)]);
  return { name: download.suggestedFilename(), bytes: fs.readFileSync(await download.path()) };
}

// The page in a context of its own, keeping every request it makes and every error it throws.
async function open(browser, url = pageUrl, { init, ready = true, ...options } = {}) {
  const context = await browser.newContext({ acceptDownloads: true, ...options });
  context.on("request", (request) => requests.push(request.url()));
  if (init) await context.addInitScript(init);
  const page = await context.newPage();
  page.on("pageerror", (error) => pageErrors.push(error.message));
  await page.goto(url);
  if (ready) await page.waitForSelector("html[data-ready=true]", { timeout: 60000 });
  return page;
}

// A picture for the README, when asked for, scrolled to an element or the top.
async function picture(page, name, id, margin) {
  if (!screenshotDir) return;
  await page.evaluate(([id, margin]) => {
    window.scrollTo(0, id ? document.getElementById(id).getBoundingClientRect().top + window.scrollY - margin : 0);
    return new Promise((painted) => requestAnimationFrame(() => requestAnimationFrame(painted)));
  }, [id, margin]);
  await page.screenshot({ path: path.join(screenshotDir, name) });
}

// Names of table kanji, kana and 0-stroke characters; then a name cut to 34 bytes, 0-stroke names.
function samplePairs(count) {
  const [KANJI, KANA, ZERO] = ["山田佐藤鈴木高橋渡辺伊中小林森清水原井上太郎一花子陽翔結愛蓮大和悠真美咲優奈沢藤浩道隆桜", "あいうかがさしたちなはぱまゆよりわんアイカガサタナハパユラワンーっゃ々", "髙﨑德凜熙ヶＵ１ｱa"].map((s) => [...s]);
  let seed = 20261207;
  const next = (n) => Math.floor(((seed = (seed * 1103515245 + 12345) % 2147483648) / 2147483648) * n);
  const char = (pool = [KANJI, KANJI, KANJI, KANA, KANA, ZERO][next(6)]) => pool[next(pool.length)];
  const name = () => Array.from({ length: 1 + next(4) }, () => char()).join("");
  return [...Array.from({ length: count }, () => [name(), name()]), ["林", "一"], ["長谷川", "あいうえおかきくけこさしすせそたちつ"], ["髙", "﨑"]];
}

// What the page draws for each pair typed in, in namori-cli's terms; notes: score parts, warnings.
function drawReadings(pairs) {
  const $ = (id) => document.getElementById(id);
  const result = $("result");
  return pairs.map(([s, g]) => {
    [$("surname").value, $("given").value] = [s, g];
    $("given").dispatchEvent(new Event("input", { bubbles: true }));
    const text = (selector) => result.querySelector(selector)?.textContent ?? "";
    const characters = [...result.querySelectorAll(".characters li:not(.gap)")];
    return {
      refused: $("reading-status").classList.contains("error"),
      heading: text("h3"),
      characters: characters.map((li) => li.querySelector(".ch").textContent).join(""),
      strokes: characters.map((li) => Number(li.dataset.strokes)),
      grades: [...result.querySelectorAll(".grades tbody tr")].map((tr) => ({ name: tr.querySelector("th").textContent, value: +tr.dataset.value, index: +tr.dataset.index, fortune: tr.querySelector(".fortune").textContent, weight: +tr.dataset.weight, class: tr.dataset.class })),
      total: result.querySelector(".score")?.dataset.total,
      career: $("career").textContent,
      notes: text(".score .parts") + text(".warnings"),
    };
  });
}

async function testReadings(page) {
  const pairs = samplePairs(300);
  const batch = spawnSync(cliPath, ["--batch", "--career"], { input: pairs.map((p) => p.join(" ")).join("\n") + "\n", encoding: "utf8", maxBuffer: 1 << 30 });
  assert.equal(batch.status, 2, "namori-cli --batch: 2 for a bad line"); // the others still come
  const expected = batch.stdout.trim().split("\n").map((line) => JSON.parse(line));
  (await page.evaluate(drawReadings, pairs)).forEach(({ notes, ...d }, i) => {
    const [e, label] = [expected[i], pairs[i].join(" ")];
    if (e.error) return assert.ok(d.refused, `${label}: not refused`); // as namori-cli refuses it
    const strokes = [...e.strokes.surname, ...e.strokes.given];
    assert.deepEqual(d, { refused: false, heading: `${e.surname} ${e.given} さん`, characters: e.surname + e.given, strokes, grades: e.grades, total: e.score.total, career: e.career.text }, label);
    for (const text of [`${e.score.first}／70`, `${e.score.second}／30`, ...e.unknown, ...(e.notRegistrable ?? [])]) assert.ok(notes.includes(text), `${label}: ${text}`);
    for (const [field, text] of [["surname", "姓が 34 バイト"], ["given", "名が 34 バイト"]]) assert.equal(notes.includes(text), (e.cut ?? []).includes(field), `${label}: cut`);
  });
  // A character code page 932 lacks is refused, as namori-cli refuses it.
  await page.fill("#surname", "田中");
  await page.fill("#given", "𠮷");
  const refusal = [await page.getAttribute("#given", "aria-invalid"), /𠮷 \(U\+20BB7\)/.test(await page.textContent("#reading-status")), await page.isVisible("#download-sjis")];
  assert.deepEqual(refusal, ["true", true, false], "𠮷 refused");
  // Text the input method is still composing is not read; the committed is.
  await page.fill("#given", "");
  const ime = await page.context().newCDPSession(page);
  await ime.send("Input.imeSetComposition", { text: "たろう", selectionStart: 3, selectionEnd: 3 });
  assert.equal(await page.$("#result h3"), null);
  await ime.send("Input.insertText", { text: "太郎" });
  assert.equal(await page.textContent("#result h3"), "田中 太郎 さん");
  // The report files, byte for byte with namori-cli --save.
  await page.fill("#given", "一");
  for (const [selector, ...options] of [["#download-sjis"], ["#download-utf8", "--file-encoding", "utf-8"], ["#download-career", "--career"]]) {
    const dir = fs.mkdtempSync(path.join(scratch, "cli-"));
    run(cliPath, ["--save", ...options, "田中", "一"], { cwd: dir });
    assert.deepEqual([await downloaded(page, selector)], fs.readdirSync(dir).map((name) => ({ name, bytes: fs.readFileSync(path.join(dir, name)) })), selector);
  }
}

// The naming form's fields in order, with their defaults; minScore is #naming-min-score and
// namori-cli's --min-score, save where OPTION says.
const NAMING = { surname: "", sex: "", chars: "", reading: "", with: "", without: "", minScore: "", order: "score", scope: "common", allReadings: false, anyKanji: false };
const OPTION = { order: "--sort", scope: "--names" };
const kebab = (key) => key.replace(/[A-Z]/g, (c) => `-${c.toLowerCase()}`);
const CONTROLS = Object.keys(NAMING).map((key) => `#naming-${kebab(key)}`).join();
const suggestArgs = (q) => ["--suggest", q.surname, "--top", "0", "--json", ...Object.keys(NAMING).slice(1).filter((key) => q[key]).flatMap((key) => [OPTION[key] ?? `--${kebab(key)}`, ...(q[key] === true ? [] : [q[key]])])];
const listed = (q) => cli(suggestArgs(q)).candidates;

async function runNaming(page, q) {
  await page.$$eval(CONTROLS, (controls, values) => controls.forEach((c, i) => (c[c.type === "checkbox" ? "checked" : "value"] = values[i])), Object.values({ ...NAMING, ...q }));
  await page.click("#naming-run");
}

// The cells of today's columns (the ☆ column comes after them), once every row is drawn.
async function tableRows(page) {
  await page.waitForSelector("#naming-table-wrap[aria-busy=false]");
  return page.$$eval("#naming-results tbody tr", (rows) => rows.map((tr) => [...tr.cells].slice(0, 12).map((td) => td.textContent)));
}

const listedCount = async (page) => Number((await page.textContent("#naming-count")).match(/^\d[\d,]*/)?.[0].replaceAll(",", "") ?? -1);
const focused = (page) => page.evaluate(() => `${document.activeElement.id || document.activeElement.className} ${document.activeElement.closest("tr")?.rowIndex ?? "-"}`);

async function testNaming(page) {
  for (const q of [
    { surname: "林", sex: "m", reading: "ゆ*", without: "雄" },
    { surname: "山田" },
    { surname: "鈴木", with: "翔", order: "people", anyKanji: true },
    { surname: "鈴木", with: "翔", order: "popular", scope: "all", allReadings: true },
    { surname: "佐藤", sex: "f", chars: "2", minScore: "85" },
  ]) {
    await runNaming(page, q);
    const expected = listed(q);
    const from = expected.length > 100 ? 100 : 0; // the second page, when there is one, replaces the first
    if (from) await page.click("#naming-next");
    const rows = expected.slice(from, from + 100).map((e, i) => [String(from + i + 1), e.given, e.readings.map((r) => r.kana).join("・"), (e.sex.includes("m") ? "男" : "") + (e.sex.includes("f") ? "女" : ""), ...e.grades.map(String), e.score, String(e.people), String(e.familiarity)]);
    assert.deepEqual([await listedCount(page), await tableRows(page)], [expected.length, rows], JSON.stringify(q));
  }
  // The whole list's CSV, byte for byte namori-cli's; above it 天運 (佐藤: 28, 大凶数, 70 + 20.5).
  const csvArgs = ["--suggest", "佐藤", "--top", "0", "--csv", "--sjis", "--sex", "f", "--chars", "2", "--min-score", "85"];
  assert.deepEqual(await downloaded(page, "#naming-csv"), { name: "佐藤さんの名付け候補.CSV", bytes: run(cliPath, csvArgs) });
  assert.match(await page.textContent("#naming-tenun"), /天運は 28 大凶 「変人奇運の大凶数.*最高 90\.5 点/);
  // A filter the module refuses lists nothing and says why; an empty list says what would help.
  await runNaming(page, { surname: "山田", reading: "y*" });
  const refusal = [await page.getAttribute("#naming-reading", "aria-invalid"), await page.isVisible("#naming-table-wrap")];
  assert.deepEqual(refusal, ["true", false]);
  await runNaming(page, { surname: "山田", reading: "ゆうす" });
  assert.match(await page.textContent("#naming-count"), /^0 件：.*「ゆうす\*」/);
  // The table is one Tab stop between the page buttons and the CSV; arrows move in it.
  await runNaming(page, { surname: "山田" }); // which leaves the focus on its button
  const stops = [];
  for (const key of ["Tab", "Tab", "Tab", "Shift+Tab", "ArrowDown", "ArrowRight"]) stops.push(await page.keyboard.press(key).then(() => focused(page)));
  assert.deepEqual(stops, ["naming-next -", "pick 1", "naming-csv -", "pick 1", "pick 2", "star 2"], "tab order and arrow keys");
  // 40 pages on, the table holds one page, says where, and focuses its first row.
  for (let i = 0; i < 40; ++i) await page.click("#naming-next");
  await page.click("#naming-prev");
  const where = [(await tableRows(page)).length, await page.textContent("#naming-page"), await focused(page)];
  assert.deepEqual(where, [100, `3,901〜4,000 件目／${listed({ surname: "山田" }).length.toLocaleString("en-US")} 件`, "pick 1"]);
  // Only the name picks (the rest of a row can be selected); a pick focuses its reading's heading.
  await page.click("#naming-results tbody tr:first-child td:nth-child(5)");
  assert.equal(await page.textContent("#result h3"), "田中 一 さん");
  const first = await page.textContent("#naming-results tbody tr:first-child .pick");
  await page.click("#naming-results tbody tr:first-child .pick");
  assert.deepEqual([await page.textContent("#result h3"), await focused(page)], [`山田 ${first} さん`, "reading-name -"]);
  // The policy runs only the page's own scripts: an injected one would throw, failing the test.
  const injected = `<img src="data:," onerror="throw 'an injected onerror ran'"><script>throw "an injected script ran"</script>`;
  await page.evaluate((html) => document.body.append(document.createRange().createContextualFragment(html)), injected);
}

// On a phone, with storage that refuses the shortlist.
async function testPhone(browser) {
  const refuse = () => (Storage.prototype.setItem = () => { throw new DOMException("full", "QuotaExceededError"); });
  const opened = "#姓=佐藤&名=花子&名付け=佐藤&性別=f&文字数=2";
  const page = await open(browser, pageUrl + opened, { viewport: { width: 360, height: 740 }, init: refuse });
  assert.equal(await page.textContent("#result h3"), "佐藤 花子 さん");
  // Its first fragment, then hostile ones: the form keeps what it can, the note names the rest.
  for (const [i, [fragment, form, dropped]] of [
    [opened, { surname: "佐藤", sex: "f", chars: "2" }, []],
    ["#名付け=山田&文字数=2.5&性別=x&並び順=<img src=x>", { surname: "山田" }, ["性別=x", "文字数=2.5", "並び順=<img src=x>"]],
    ["#名付け=山田&文字数=4294967298&最低得点=abc&避ける字も=2", { surname: "山田" }, ["文字数=4294967298", "最低得点=abc", "避ける字も=2"]],
    ["#名付け=林&性別=m&文字数=1&読み=*と", { surname: "林", sex: "m", chars: "1", reading: "*と" }, []],
  ].entries()) {
    if (i) await page.goto(pageUrl + fragment);
    await page.waitForFunction((text) => document.getElementById("naming-surname").value === text, form.surname);
    const shown = await page.$$eval(CONTROLS, (controls) => controls.map((c) => (c.type === "checkbox" ? c.checked : c.value)));
    assert.deepEqual(shown, Object.values({ ...NAMING, ...form }), fragment);
    const note = (await page.isVisible("#fragment-note")) ? await page.textContent("#fragment-note") : "";
    assert.deepEqual(note.match(/「.*?」/g) ?? [], dropped.map((d) => `「${d}」`), fragment);
    assert.equal(await listedCount(page), listed(form).length, fragment);
  }
  // A naming surname over 34 bytes is refused, never cut.
  await page.goto(pageUrl + `#名付け=${"山".repeat(18)}`);
  await page.waitForSelector("#naming-surname[aria-invalid=true]");
  const refusal = [/34 バイト/.test(await page.textContent("#naming-message")), await page.isVisible("#naming-table-wrap")];
  assert.deepEqual(refusal, [true, false], "34 bytes");
  await page.goto(pageUrl + opened);
  await page.fill("#given", "一郎");
  await page.press("#given", "Enter");
  await page.goBack(); // to the name before the one typed
  await page.waitForFunction(() => document.querySelector("#result h3")?.textContent === "佐藤 花子 さん");
  await tableRows(page);
  await picture(page, "web-phone-reading.png");
  await picture(page, "web-phone-naming.png", "naming-count", 12);
  await page.click("#result .star"); // storage that refuses: a message, never an error
  assert.match(await page.textContent("#shortlist-message"), /保存できませんでした/);
  // Rows show name, reading, score and ☆ (not 天運) below a fixed header; nothing scrolls sideways.
  await page.fill("#surname", "長谷川髙﨑");
  await page.fill("#given", "あいうえおかきくけこさしすせそたちつ");
  const layout = await page.evaluate(() => {
    const wrap = document.getElementById("naming-table-wrap");
    const row = wrap.querySelector("tbody tr:nth-child(40)");
    row.scrollIntoView({ block: "center" });
    const [box, rect] = [wrap.getBoundingClientRect(), (selector) => (row.querySelector(selector) ?? wrap.querySelector(selector)).getBoundingClientRect()];
    const shown = [".c-name", ".c-readings", ".c-score", ".c-star"].map(rect).map((r) => r.width > 0 && r.left >= box.left && r.right <= box.right);
    const { scrollWidth, clientWidth } = document.documentElement;
    return [...shown, rect(".c-tenun").width === 0, Math.abs(rect("thead th.c-name").top - box.top) < 2, scrollWidth === clientWidth];
  });
  assert.deepEqual(layout, [true, true, true, true, true, true, true], "phone layout");
  await page.context().close();
}

// The comparison's columns: name, strokes, grades, score, readings, career.
function comparisonCards() {
  const table = document.getElementById("compare-table");
  return [...table.tHead.rows[0].cells].slice(1).map((th, i) => {
    const [strokes, ...rows] = [...table.tBodies[0].rows].map((tr) => tr.cells[i + 1]);
    const text = (cell) => (cell.querySelector(".none") ? "" : cell.textContent);
    return {
      name: th.textContent,
      strokes: [...strokes.querySelectorAll(".stroke")].map((s) => Number(s.textContent.split(" ")[1])),
      grades: rows.slice(0, 5).map((td) => [Number(td.querySelector(".value").dataset.index), td.querySelector(".value").dataset.class, td.querySelector(".fortune").textContent]),
      total: rows[5].querySelector("[data-total]").dataset.total,
      readings: text(rows[6]),
      career: text(rows[7]),
    };
  });
}

// A column as namori-cli --json --career reads it, readings as --suggest lists.
function expectedCard(name) {
  const [surname, given] = name.split(" ");
  const e = cli(["--json", "--career", surname, given]);
  const candidate = listed({ surname, with: given, anyKanji: true }).find((c) => c.given === given);
  const [strokes, grades] = [[...e.strokes.surname, ...e.strokes.given], e.grades.map((g) => [g.index, g.class, g.fortune])];
  return { name, strokes, grades, total: e.score.total, readings: candidate?.readings.map((r) => r.kana).join("・") ?? "", career: e.career.text.match(/\*{7} (.*) \*{7}/)?.[1] ?? "" };
}

const shortlisted = (page) => page.$$eval("#shortlist-list li .entry-name", (e) => e.map((x) => x.textContent));

// On a desktop: the reading and two of a list starred, kept across a reload.
async function testShortlist(browser) {
  const page = await open(browser, pageUrl + "#姓=山田&名=太郎", { viewport: { width: 1280, height: 900 } });
  await picture(page, "web-desktop-reading.png");
  await runNaming(page, { surname: "山田", sex: "f", chars: "2" });
  const picked = await page.$$eval("#naming-results tbody tr:is(:nth-child(1), :nth-child(3))", (rows) => rows.map((tr) => tr.dataset.given));
  for (const given of picked) await page.click(`#naming-results tbody tr[data-given="${given}"] .star`);
  await page.click("#result .star");
  assert.equal(await page.getAttribute("#result .star", "aria-pressed"), "true");
  await picture(page, "web-desktop-naming.png", "naming-heading", 16);
  await picture(page, "web-desktop-shortlist.png", "shortlist", 16);
  // Kept across a reload; up to four compared, each as namori-cli reads it.
  await page.reload();
  await page.waitForSelector("html[data-ready=true]");
  const names = [...picked.map((g) => `山田 ${g}`), "山田 太郎"];
  assert.deepEqual([await shortlisted(page), await page.evaluate(comparisonCards)], [names, names.map(expectedCard)]);
  // Exported as CSV and as a link another browser opens; removed one by one.
  const csv = await downloaded(page, "#shortlist-csv");
  assert.deepEqual([csv.name, csv.bytes.toString("latin1").split("\r\n").length], ["お気に入りの名前.CSV", 1 + names.length + 1]);
  const link = await page.getAttribute("#shortlist-link", "href");
  await page.click("#shortlist-list li:first-child button.remove");
  assert.equal((await shortlisted(page)).length, 2);
  assert.deepEqual(await shortlisted(await open(browser, link)), names);
}

// Without DecompressionStream: which browsers work, the form disabled; without JavaScript: the notice.
async function testMissingFeatures(browser) {
  const old = await open(browser, pageUrl, { ready: false, init: () => delete window.DecompressionStream });
  const told = [/DecompressionStream.*Safari（16\.4 以降）/.test(await old.textContent("#reading-status")), await old.isDisabled("#surname")];
  assert.deepEqual(told, [true, true], "without DecompressionStream");
  const bare = await (await open(browser, pageUrl, { ready: false, javaScriptEnabled: false })).innerText("main");
  assert.deepEqual([/JavaScript を有効に/.test(bare), /読み込み中/.test(bare)], [true, false], "without JavaScript");
}

(async () => {
  const browser = await chromium.launch({ executablePath: "/usr/bin/chromium", args: ["--no-sandbox"] });
  try {
    const page = await open(browser);
    for (const test of [testReadings, testNaming]) await test(page);
    for (const test of [testShortlist, testPhone, testMissingFeatures]) await test(browser);
    assert.deepEqual(requests.filter((url) => url.split("#")[0] !== pageUrl && !/^(blob|data):/.test(url)), [], "requests that leave the page");
    assert.deepEqual(pageErrors, [], "errors thrown in the page");
    console.log("web tests passed");
  } finally {
    await browser.close();
    fs.rmSync(scratch, { recursive: true, force: true });
  }
})(); // a failure is an unhandled rejection: Node prints it and exits with 1
