// The map page in Debian's chromium, opened from the file system and served
// over http: what links, clicks and the box show, in the page's own words;
// the batch with comments, errors, its CSV, its limit, and 100,000 lines
// with progress while the page stays responsive; no sideways scroll down to
// 320 CSS pixels; and that nothing is fetched from the network.
// Usage: node page_test.mjs BUILD/web/index.html BUILD/npm [SCREENSHOT.png]
import { createRequire } from "node:module";
import { createServer } from "node:http";
import { existsSync, readFileSync } from "node:fs";
import { pathToFileURL } from "node:url";
import path from "node:path";

const [pagePath, npmDir, screenshot] = process.argv.slice(2);
const browserPath = "/usr/bin/chromium";
if (!existsSync(browserPath) || !existsSync(pagePath)) {
  console.log(`skipped: ${existsSync(browserPath) ? pagePath : browserPath} is not there`);
  process.exit(77);
}
const { chromium } = createRequire(path.resolve(npmDir, "package.json"))("playwright-core");
const browser = await chromium.launch({ executablePath: browserPath, args: ["--no-sandbox"] });
const failures = [];
const check = (what, got, want) => {
  if (got !== want) failures.push(`${what}: got ${JSON.stringify(got)}, want ${JSON.stringify(want)}`);
};
const text = (page, selector) => page.textContent(selector).then((t) => t.trim());
// Until the page has answered whatever it was asked; a page that never
// does fails the check at hand.
const settled = (page) =>
  page.waitForSelector('body[data-ready=true]:is(:not([data-pending]), [data-pending="0"])', { timeout: 20_000 })
    .catch(() => failures.push(`the page at ${page.url().slice(0, 80)} did not answer`));

// The page at `url` with `hash`, loaded afresh; what it shows.
async function open(page, url, hash) {
  await page.goto("about:blank");
  await page.goto(`${url}#${hash}`);
  await settled(page);
  return text(page, "#result");
}

// The batch box's lines converted; the status line once done.
async function convertLines(page, lines) {
  // The box laid out with its lines before they are submitted, as when they
  // were pasted a moment before.
  await page.evaluate((t) => {
    const box = document.getElementById("lines");
    box.value = t;
    return box.scrollHeight;
  }, lines);
  await page.click("#many button[type=submit]");
  await page.waitForFunction(() => !document.querySelector("#status").textContent.endsWith("…") &&
                                   !/ of [\d,]+ lines$/.test(document.querySelector("#status").textContent));
  return text(page, "#status");
}
const tableOutputs = (page) => page.$$eval("#table tbody tr", (trs) => trs.map((tr) => tr.cells[1].textContent));

const errorOf = (quoted, reason) => `ERROR: '${quoted}' is not a position: ${reason}`;
const lengthError = (n) => `ERROR: the line holds ${n} characters; the page reads at most 1,000 characters in one position or code`;
// Hash, and what the page shows for it: the library's rules and words, the
// text as decoded from the link, and the page's own words where the library
// names a command-line flag.
const links = [
  ["50,10", "m11:6.6 r236.8"],
  [encodeURIComponent("m11:6.6 r236.8"), "49.99996 N 9.99933 E"],
  [encodeURIComponent("48°8′13″N 11°34′31″E"), "m5:0 r0"],
  [encodeURIComponent("m13:6.6 r236.8"), "ERROR: hour '13' is not a whole number from 1 to 12"],
  ["50,370", "m11:6.6 r236.8"],
  ["95,10", errorOf("95,10", "its latitude 95 lies outside -90..90")],
  ["50%0010", errorOf("50\\x0010", "'\\x00' cannot be part of one")],
  ["50%0A10", errorOf("50\\n10", "'\\n' cannot be part of one")],
  ["%E0%A4%A", "ERROR: the link's text after # is not valid percent-encoding: '%E0%A4%A'"],
  [encodeURIComponent("m11:6.612 r236.834"), "ERROR: this is a precise code with 3 decimals: choose 3 under Precise codes to read it"],
  [encodeURIComponent("m11:6.6123456 r236.8"), "ERROR: offset '6.6123456' has more decimals than codes write; " +
                                               "choose the decimals of precise codes on the page to read it"],
  ["x".repeat(1001), lengthError("1,001")],
  ["x".repeat(2_000_000), lengthError("2,000,000")],
  ["-33.87,151.21", "m2:1184.2 r16326.8"],
];

// Every check on the page at `url`; `full` adds those that need no second
// run over http.
async function checkPage(url, full, where) {
  const page = await browser.newPage({ viewport: { width: 1200, height: 760 } });
  const away = [];
  page.on("request", (r) => {
    if (!/^(file|data|blob|about):/.test(r.url()) && new URL(r.url()).origin !== new URL(url).origin) away.push(r.url());
  });
  const pageErrors = [];
  page.on("pageerror", (e) => pageErrors.push(e.message));

  const shown = [];
  for (const [hash, want] of full ? links : links.slice(0, 2)) {
    shown.push(await open(page, url, hash));
    check(`${where} #${hash.slice(0, 40)}`, shown.at(-1), want);
  }
  check(`${where}: no message names a command-line flag`, shown.filter((m) => /--[a-z]/.test(m)).join(), "");

  await open(page, url, "");
  await page.fill("#lines", "50 10\n# a comment\n\nbad\r\nm11:6.6 r236.8\nm11:6.612 r236.834\n");
  await page.click("#many button[type=submit]");
  await page.waitForFunction(() => /converted/.test(document.querySelector("#status").textContent));
  check(`${where}: the table's outputs`, JSON.stringify(await tableOutputs(page)), JSON.stringify([
    "m11:6.6 r236.8", "# a comment", "", "ERROR: 'bad' is not a position: 'b' cannot be part of one",
    "49.999964966777256 9.99932533031054", "ERROR: this is a precise code with 3 decimals: choose 3 under Precise codes to read it"]));
  check(`${where}: the batch's status`, await text(page, "#status"), "6 lines converted, 2 failed.");
  const [download] = await Promise.all([page.waitForEvent("download"), page.click("#csv")]);
  const csv = readFileSync(await download.path(), "utf8").split("\n");
  check(`${where}: the CSV's header and rows`, JSON.stringify(csv.slice(0, 4)), JSON.stringify([
    "input,latitude,longitude,hour,distanceKm,offsetKm,bearingDegrees,sectorAngleDegrees,code,preciseCode,error",
    "50 10,50,10,11,236.7795803439312,6.64327619466684,331.6079588743926,1.607958874392608,m11:6.6 r236.8,,",
    "# a comment,,,,,,,,,,", ",,,,,,,,,,"]));
  check(`${where}: the CSV of a code`, csv[5], "m11:6.6 r236.8,49.999964966777256,9.99932533031054,11,236.8,6.6,,,m11:6.6 r236.8,,");

  if (full) {
    // A click on the reference point's dot, and one outside the map's disc.
    const dot = await page.locator("circle.reference").boundingBox();
    await page.mouse.click(dot.x + dot.width / 2, dot.y + dot.height / 2);
    await settled(page);
    check("a click on the reference point", await text(page, "#result"), "m5:0 r0");
    const map = await page.locator("#map").boundingBox();
    await page.mouse.click(map.x + 3, map.y + 3);
    await settled(page);
    check("a click outside the map", await text(page, "#result"),
          "ERROR: that point lies outside the map, whose rim is the antipode of the reference point");

    // Precise codes both ways, and how far a code's positions can lie.
    await open(page, url, encodeURIComponent("m11:6.6 r236.8"));
    check("farthest of m11:6.6 r236.8", (await text(page, "#parts dd:last-of-type")).split(":")[0], "0.072 km");
    await page.selectOption("#decimals", "3");
    for (const [typed, want] of [["50 10", "m11:6.643 r236.780"], ["m11:6.612 r236.834", "50.00028 N 9.99922 E"]]) {
      await page.fill("#entry", typed);
      await page.keyboard.press("Enter");
      await settled(page);
      check(`${typed} with 3 decimals`, await text(page, "#result"), want);
    }
    await page.selectOption("#decimals", "");

    // The box's limit, said before anything is converted.
    check("1 MB and a byte", await convertLines(page, "5".repeat(1_000_001)),
          "ERROR: the lines hold 1,000,001 bytes; the page converts at most 1 MB (1,000,000 bytes) at a time: convert them in parts");

    // 100,000 lines: progress shown, and the page answering a timer from the
    // moment they are submitted (laying out the box that holds them is the
    // browser's own work before).
    const many = Array.from({ length: 100_000 }, (_, i) => `${(i % 170) - 85} ${i % 360}`).join("\n");
    await page.evaluate(() => {
      const status = document.querySelector("#status");
      window.seen = [];
      new MutationObserver(() => window.seen.push(status.textContent))
        .observe(status, { childList: true, characterData: true, subtree: true });
      document.querySelector("#many").addEventListener("submit", () => {
        window.submitted = performance.now();
        window.longestPause = 0;
        let last = performance.now();
        window.ticker = setInterval(() => {
          window.longestPause = Math.max(window.longestPause, performance.now() - last);
          last = performance.now();
        }, 10);
      }, { capture: true, once: true });
    });
    check("100,000 lines", await convertLines(page, many),
          "100,000 lines converted; the table shows the first 1,000, the CSV holds them all.");
    const { ms, pause, seen } = await page.evaluate(() => {
      clearInterval(window.ticker);
      return { ms: performance.now() - window.submitted, pause: window.longestPause, seen: window.seen };
    });
    check("progress shown", seen.some((s) => / of 100,000 lines$/.test(s)), true);
    check(`the longest pause of the page during the batch (${pause.toFixed(0)} ms) is short`, pause < 1000, true);
    check(`100,000 lines take ${ms.toFixed(0)} ms`, ms < 2000, true);
    console.log(`100,000 lines in ${ms.toFixed(0)} ms; the page's longest pause ${pause.toFixed(0)} ms`);

    // Nothing needs a sideways scroll, down to 320 CSS pixels (a 640-pixel
    // window at 200 % zoom), with a 300-character line in the table and a
    // long message; the text keeps its size.
    await convertLines(page, `${"7".repeat(300)}\n50 10`);
    await page.fill("#entry", "y".repeat(900));
    await page.keyboard.press("Enter");
    await settled(page);
    for (const width of [1200, 600, 320]) {
      await page.setViewportSize({ width, height: 760 });
      const overflow = await page.evaluate(() => document.documentElement.scrollWidth - document.documentElement.clientWidth);
      check(`sideways overflow at ${width} CSS pixels`, overflow, 0);
    }
    if (screenshot) {
      await page.setViewportSize({ width: 1200, height: 760 });
      await open(page, url, encodeURIComponent("50 10"));
      await page.screenshot({ path: screenshot });
    }
  }
  check(`${where}: requests beyond the page`, JSON.stringify(away), "[]");
  check(`${where}: errors on the page`, JSON.stringify(pageErrors), "[]");
  await page.close();
}

// The built page over http, on a loopback port of its own.
const root = path.dirname(path.resolve(pagePath));
const server = createServer((request, response) => {
  const file = path.join(root, path.normalize(decodeURIComponent(new URL(request.url, "http://x").pathname)));
  if (!file.startsWith(root) || !existsSync(file)) return response.writeHead(404).end();
  response.writeHead(200, { "content-type": file.endsWith(".html") ? "text/html" : "text/javascript" });
  response.end(readFileSync(file));
});
await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
try {
  await checkPage(pathToFileURL(path.resolve(pagePath)).href, true, "file");
  await checkPage(`http://127.0.0.1:${server.address().port}/${path.basename(pagePath)}`, false, "http");
} finally {
  await browser.close();
  server.close();
  console.log(failures.length ? failures.join("\n") : "the page passes");
}
process.exitCode = failures.length ? 1 : 0;
