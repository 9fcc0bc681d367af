// The WebAssembly build's codes and positions against the native qvcode's:
// N random positions (default a million) encoded by both, and the first
// tenth of their codes decoded by both, the positions compared bit for bit.
// Both must agree everywhere: the sines, cosines and arc tangents are the
// library's own, correctly rounded, not the C library's.
// Usage: node compare_native.mjs BUILD/web/quorvel.js QVCODE [N]
import { createRequire } from "node:module";
import { execFileSync } from "node:child_process";
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import path from "node:path";

const [modulePath, qvcode, count = "1000000"] = process.argv.slice(2);
const n = Number(count);
const createQuorvel = createRequire(import.meta.url)(path.resolve(modulePath));
const module = await createQuorvel();
const convert = module.cwrap("qv_convert", "string", ["string"]);

// Positions spread over the sphere, the same on every run.
let seed = 20261210;
const next = () => (seed = (seed * 1103515245 + 12345) % 2147483648) / 2147483648;
const positions = Array.from({ length: n }, () =>
  `${((Math.asin(2 * next() - 1) * 180) / Math.PI).toFixed(6)} ${(360 * next() - 180).toFixed(6)}`);
const work = mkdtempSync(path.join(tmpdir(), "qv-wasm-"));
try {
  writeFileSync(path.join(work, "positions.txt"), positions.join("\n") + "\n");
  const native = execFileSync(qvcode, ["encode", "--input-file", path.join(work, "positions.txt")],
                              { maxBuffer: 1 << 30 }).toString().trimEnd().split("\n");
  let codesDiffer = 0;
  const codes = positions.map((p, i) => {
    const code = JSON.parse(convert(p)).code;
    codesDiffer += code !== native[i];
    return code;
  });
  const m = Math.ceil(n / 10);
  writeFileSync(path.join(work, "codes.txt"), codes.slice(0, m).join("\n") + "\n");
  const back = execFileSync(qvcode, ["decode", "--json", "--input-file", path.join(work, "codes.txt")],
                            { maxBuffer: 1 << 30 }).toString().trimEnd().split("\n");
  let positionsDiffer = 0;
  for (let i = 0; i < m; ++i) {
    const w = JSON.parse(convert(codes[i])), v = JSON.parse(back[i]);
    positionsDiffer += w.lat !== v.latitude || w.lon !== v.longitude;
  }
  console.log(`${n} positions: ${codesDiffer} codes differ; ${m} codes decoded: ${positionsDiffer} positions differ`);
  process.exitCode = codesDiffer || positionsDiffer ? 1 : 0;
} finally {
  rmSync(work, { recursive: true });
}
