// The web page's speed in Debian's Chromium, at full speed and at 4x CPU
// throttling (Chrome DevTools' Emulation.setCPUThrottlingRate): a reading
// from input to the next frame (median of 11), 名付け for 佐藤 from the click
// to its first rows painted (median of 5), and navigation to ready. Takes the
// Playwright that the browser tests install in tests/web (npm ci there).
//   node bench/page_timing.js PAGE.html
"use strict";

const path = require("node:path");
const { pathToFileURL } = require("node:url");
const { chromium } = require(path.join(__dirname, "..", "tests", "web", "node_modules", "playwright-core"));

if (process.argv.length !== 3) {
  console.error("usage: node bench/page_timing.js PAGE.html");
  process.exit(2);
}
const pageUrl = pathToFileURL(path.resolve(process.argv[2])).href;

// In the page: the timings, once the candidates have loaded.
async function measure() {
  const $ = (id) => document.getElementById(id);
  const afterNextFrame = () => new Promise((resolve) => requestAnimationFrame(() => setTimeout(resolve)));
  // The median time from setting the control to each value and acting on it.
  const median = async (id, values, action) => {
    const times = [];
    for (const value of values) {
      await afterNextFrame();
      const start = performance.now();
      $(id).value = value;
      action();
      await afterNextFrame();
      times.push(performance.now() - start);
    }
    return times.sort((a, b) => a - b)[times.length >> 1];
  };
  [$("surname").value, $("naming-surname").value] = ["田中", "佐藤"];
  const ranked = await median("naming-sex", ["", "f", "", "m", ""], () => $("naming-run").click());
  const names = ["太郎", "花子", "陽翔", "結愛", "蓮", "さくら", "悠真", "一", "翔太", "美咲", "大和"];
  const typed = await median("given", names, () => $("given").dispatchEvent(new Event("input", { bubbles: true })));
  return [typed, ranked, window.namoriReadyAt];
}

(async () => {
  const browser = await chromium.launch({ executablePath: "/usr/bin/chromium", args: ["--no-sandbox"] });
  try {
    for (const cpu of [1, 4]) {
      const page = await browser.newPage();
      await (await page.context().newCDPSession(page)).send("Emulation.setCPUThrottlingRate", { rate: cpu });
      await page.goto(pageUrl);
      await page.waitForSelector("html[data-ready=true]", { timeout: 60000 });
      await page.waitForTimeout(3000); // the candidates load while the page is idle
      const [typed, ranked, ready] = (await page.evaluate(measure)).map((ms) => ms.toFixed(0));
      console.log(`CPU ${cpu}x: reading, input to next frame ${typed} ms (median); ` +
        `名付け 佐藤, click to first rows painted ${ranked} ms (median); navigation to ready ${ready} ms`);
      await page.close();
    }
  } finally {
    await browser.close();
  }
})();
