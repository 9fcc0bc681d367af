// The page's worker: the WebAssembly module (createQuorvel, from quorvel.js,
// which the page puts before this script) converts the batch box's lines
// here, so that a long batch never freezes the page.
//
// A request {id, bytes, decimals, csv} is answered by {id, progress, total}
// after every block of lines, then {id, text, lines, failed}: the output
// lines, or the CSV with its header.  A failure of the module itself answers
// {id, broken: message} and ends the worker, whose module can no longer be
// trusted; the page starts another.
import { blocksOf, conversionOf, linesIn } from "./conversion.js";

/* global createQuorvel */
const conversion = createQuorvel().then(conversionOf);

function batch(c, id, bytes, decimals, csv) {
  const total = linesIn(bytes);
  const parts = csv ? [c.csvHeader()] : [];
  let lines = 0, failed = 0;
  for (const block of blocksOf(bytes)) {
    const done = c.block(block, decimals, csv);
    parts.push(done.text);
    lines += done.lines;
    failed += done.failed;
    postMessage({ id, progress: lines, total });
  }
  return { id, text: parts.join(""), lines, failed };
}

self.onmessage = async ({ data: r }) => {
  try {
    postMessage(batch(await conversion, r.id, r.bytes, r.decimals, r.csv));
  } catch (e) {
    postMessage({ id: r.id, broken: String(e) });
    close();
  }
};
