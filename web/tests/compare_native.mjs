// The WebAssembly build's codes and positions against the native qvcode's:
// N random positions (default a million) encoded by both, through the page's
// batch; the first tenth of their codes decoded by both, one at a time, the
// positions compared bit for bit; and the numbers of the page's CSV for
// those positions against those of `qvcode encode --csv`, text for text.
// Both must agree everywhere: the sines, cosines and arc tangents are the
// library's own, correctly rounded, not the C library's.
// Usage: node compare_native.mjs BUILD/wasm/quorvel.js QVCODE [N]
import { createRequire } from "node:module";
import { execFileSync } from "node:child_process";
import { mkdtempSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import path from "node:path";
import { blocksOf, conversionOf } from "../src/conversion.js";

const [modulePath, qvcode, count = "1000000"] = process.argv.slice(2);
const n = Number(count);
const createQuorvel = createRequire(import.meta.url)(path.resolve(modulePath));
const conversion = conversionOf(await createQuorvel());
const lines = (text) => text.trimEnd().split("\n");
// The page's output lines or CSV rows for lines of text.
const throughPage = (text, csv) =>
  [...blocksOf(new TextEncoder().encode(text))].map((b) => conversion.block(b, null, csv).text).join("");

// Positions spread over the sphere, the same on every run.
let seed = 20261210;
const next = () => (seed = (seed * 1103515245 + 12345) % 2147483648) / 2147483648;
const positions = Array.from({ length: n }, () =>
  `${((Math.asin(2 * next() - 1) * 180) / Math.PI).toFixed(6)} ${(360 * next() - 180).toFixed(6)}`);
const work = mkdtempSync(path.join(tmpdir(), "qv-wasm-"));
const native = (args, file, text) => {
  writeFileSync(path.join(work, file), text);
  return lines(execFileSync(qvcode, [...args, "--input-file", path.join(work, file)], { maxBuffer: 1 << 30 }).toString());
};
try {
  const codes = lines(throughPage(positions.join("\n"), false));
  const nativeCodes = native(["encode"], "positions.txt", positions.join("\n") + "\n");
  const codesDiffer = codes.filter((c, i) => c !== nativeCodes[i]).length + Math.abs(codes.length - n);

  const m = Math.ceil(n / 10);
  const back = native(["decode", "--json"], "codes.txt", codes.slice(0, m).join("\n") + "\n").map((l) => JSON.parse(l));
  let positionsDiffer = 0;
  for (let i = 0; i < m; ++i) {
    const w = conversion.line(codes[i], null);
    positionsDiffer += w.latitude !== back[i].latitude || w.longitude !== back[i].longitude;
  }

  // The fields that both CSVs have, as texts.
  const table = (rows) => {
    const names = rows[0].split(",");
    return rows.slice(1).map((r) => Object.fromEntries(r.split(",").map((v, i) => [names[i], v])));
  };
  const fields = ["latitude", "longitude", "hour", "distanceKm", "offsetKm", "bearingDegrees", "sectorAngleDegrees"];
  const page = table(lines(conversion.csvHeader() + throughPage(positions.slice(0, m).join("\n"), true)));
  const cli = table(native(["encode", "--csv"], "some.txt", positions.slice(0, m).join("\n") + "\n"));
  let textsDiffer = 0;
  for (let i = 0; i < m; ++i) {
    const differ = fields.filter((f) => page[i][f] !== cli[i][f]);
    if (differ.length && textsDiffer++ < 5) console.log(`${positions[i]}: ${differ.map((f) => `${f} ${page[i][f]} / ${cli[i][f]}`)}`);
  }
  console.log(`${n} positions: ${codesDiffer} codes differ; ${m} codes decoded: ${positionsDiffer} positions differ; ` +
              `${m} CSV rows: ${textsDiffer} differ from qvcode's`);
  process.exitCode = codesDiffer || positionsDiffer || textsDiffer ? 1 : 0;
} finally {
  rmSync(work, { recursive: true });
}
