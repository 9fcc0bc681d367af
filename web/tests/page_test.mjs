// The map page in Debian's chromium, opened from the file system: what a link
// shows, a click on the reference point, a bad code, a table of lines, and
// that nothing is fetched from the network.
// Usage: node page_test.mjs BUILD/web/index.html BUILD/npm [SCREENSHOT.png]
import { createRequire } from "node:module";
import { existsSync } from "node:fs";
import { pathToFileURL } from "node:url";
import path from "node:path";

const [pagePath, npmDir, screenshot] = process.argv.slice(2);
const browserPath = "/usr/bin/chromium";
if (!existsSync(browserPath) || !existsSync(pagePath)) {
  console.log(`skipped: ${existsSync(browserPath) ? pagePath : browserPath} is not there`);
  process.exit(77);
}
const { chromium } = createRequire(path.resolve(npmDir, "package.json"))("playwright-core");
const url = pathToFileURL(path.resolve(pagePath)).href;
const browser = await chromium.launch({ executablePath: browserPath, args: ["--no-sandbox"] });
const failures = [];
const check = (what, got, want) => {
  if (got !== want) failures.push(`${what}: got ${JSON.stringify(got)}, want ${JSON.stringify(want)}`);
};
try {
  const page = await browser.newPage({ viewport: { width: 1200, height: 760 } });
  const away = [];
  page.on("request", (r) => {
    if (!/^(file|data|blob):/.test(r.url())) away.push(r.url());
  });
  const open = async (hash) => {
    await page.goto(`${url}#${hash}`);
    await page.waitForSelector("body[data-ready=true]");
    return (await page.textContent("#result")).trim();
  };
  const cases = [
    ["50,10", "m11:6.6 r236.8"],
    [encodeURIComponent("m11:6.6 r236.8"), "49.99996 N 9.99933 E"],
    [encodeURIComponent("48°8′13″N 11°34′31″E"), "m5:0 r0"],
    [encodeURIComponent("m13:6.6 r236.8"), "ERROR: hour '13' is not a whole number from 1 to 12"],
  ];
  for (const [hash, want] of cases) check(`#${decodeURIComponent(hash)}`, await open(hash), want);

  // The reference point's pixel, where the map draws it.
  await open("");
  const box = await page.locator("circle.reference").boundingBox();
  await page.mouse.click(box.x + box.width / 2, box.y + box.height / 2);
  check("a click on the reference point", (await page.textContent("#result")).trim(), "m5:0 r0");

  // The keyboard alone: type a position, Enter.
  await page.focus("#entry");
  await page.fill("#entry", "-33.87, 151.21");
  await page.keyboard.press("Enter");
  check("Enter in the box", (await page.textContent("#result")).trim(), "m2:1184.2 r16326.8");

  await page.fill("#lines", "50 10\nbad\nm11:6.6 r236.8");
  await page.click("#many button[type=submit]");
  const rows = await page.$$eval("#table tbody tr", (trs) => trs.map((tr) => tr.cells[1].textContent));
  check("the table's outputs", JSON.stringify(rows),
        JSON.stringify(["m11:6.6 r236.8", "ERROR: 'bad' is not a position: 'b' cannot be part of one",
                        "49.999964966777256 9.99932533031054"]));
  check("requests beyond the file system", JSON.stringify(away), "[]");

  // At 200 % zoom a 1200-pixel window is 600 CSS pixels wide: nothing may
  // need a sideways scroll, and the text keeps its size.
  await page.setViewportSize({ width: 600, height: 760 });
  await open("50,10");
  const overflow = await page.evaluate(() => document.documentElement.scrollWidth - document.documentElement.clientWidth);
  check("sideways overflow at 600 CSS pixels", overflow <= 0, true);
  if (screenshot) {
    await open(encodeURIComponent("50 10"));
    await page.screenshot({ path: screenshot });
  }
} finally {
  await browser.close();
}
if (failures.length) {
  console.log(failures.join("\n"));
  process.exit(1);
}
console.log("the page passes");
