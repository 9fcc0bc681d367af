// The WebAssembly module's calls (web/quorvel_wasm.cpp): texts go in as UTF-8
// through the module's heap and answers come out the same way, so that no
// length of text overruns its stack and a NUL is a character like any other.
// Used by the page's worker and by the comparison with the native qvcode.

const encoder = new TextEncoder();
const decoder = new TextDecoder();

// Lines converted in one call of the batch: enough that the calls cost
// nothing beside the conversions, few enough to show progress often.
export const linesPerBlock = 4096;

// `decimals`: null for code texts ("m11:6.6 r236.8"), 0..6 for precise codes.
export function conversionOf(module) {
  const put = (bytes) => {
    module.HEAPU8.set(bytes, module._qv_input(bytes.length));
    return bytes.length;
  };
  const text = (at, size) => decoder.decode(module.HEAPU8.subarray(at, at + size));
  const answer = (at) => JSON.parse(text(at, module._qv_answer_size()));
  const wanted = (decimals) => (decimals === null ? -1 : decimals);
  return {
    // The answer for one line: {kind: "position" | "code", ...} or {error}.
    line: (line, decimals) => answer(module._qv_line(put(encoder.encode(line)), wanted(decimals))),
    // The answer for a position given as numbers (degrees).
    point: (latitude, longitude, decimals) => answer(module._qv_point(latitude, longitude, wanted(decimals))),
    // A block of whole lines (UTF-8 bytes) to their output lines or CSV rows:
    // {text, lines, failed}.
    block(bytes, decimals, csvRows) {
      module._qv_lines(put(bytes), wanted(decimals), csvRows ? 1 : 0);
      return { text: text(module._qv_block_text(), module._qv_block_size()), lines: module._qv_block_lines(),
               failed: module._qv_block_failed() };
    },
    csvHeader: () => text(module._qv_csv_header(), module._qv_answer_size()),
  };
}

// The blocks of `bytes` (UTF-8), each up to `lines` whole lines.
export function* blocksOf(bytes, lines = linesPerBlock) {
  for (let from = 0; from < bytes.length;) {
    let to = from;
    for (let n = 0; n < lines && to < bytes.length; ++n) {
      const feed = bytes.indexOf(10, to);
      to = feed < 0 ? bytes.length : feed + 1;
    }
    yield bytes.subarray(from, to);
    from = to;
  }
}

// How many lines `bytes` holds: a line feed ends one, and text after the
// last line feed is one more.
export function linesIn(bytes) {
  let lines = 0;
  for (let at = bytes.indexOf(10); at >= 0; at = bytes.indexOf(10, at + 1)) ++lines;
  return lines + (bytes.length > 0 && bytes[bytes.length - 1] !== 10 ? 1 : 0);
}
