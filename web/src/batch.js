// The batch box: its lines converted in the worker, block by block, with
// progress; a table of the first rows; the CSV of them all on request.
import { Converter } from "./converter.js";

// The most the box converts at once, in bytes of UTF-8.
export const maxBatchBytes = 1_000_000;
// The table shows this many rows; the CSV holds every line.
const shownRows = 1000;

const converter = new Converter();
const encoder = new TextEncoder();
const status = document.getElementById("status");
const progress = document.getElementById("progress");
const csvButton = document.getElementById("csv");
const count = (n) => n.toLocaleString("en");
let last = null;  // {text, decimals} of the table shown
let running = false;

function say(text, error = false) {
  status.textContent = text;
  status.classList.toggle("error", error);
}

// Runs the lines of `text` through the worker, showing its progress; the
// worker's answer, or null when it failed or another run replaced it (said
// in the status line).
async function run(text, decimals, csv, doing) {
  const bytes = encoder.encode(text);
  if (bytes.length > maxBatchBytes) {
    say(`ERROR: the lines hold ${count(bytes.length)} bytes; the page converts at most 1 MB ` +
        `(${count(maxBatchBytes)} bytes) at a time: convert them in parts`, true);
    return null;
  }
  if (running) converter.stop("replaced by a new run");
  running = true;
  progress.hidden = false;
  // Determinate from the start: an indeterminate bar animates, and every
  // frame of it repaints the page.
  progress.max = 1;
  progress.value = 0;
  say(`${doing}…`);
  try {
    const done = await converter.request({ bytes, decimals, csv }, ({ progress: done, total }) => {
      progress.max = total;
      progress.value = done;
      say(`${doing}: ${count(done)} of ${count(total)} lines`);
    });
    running = false;
    progress.hidden = true;
    return done;
  } catch (e) {
    // A run replaced by another leaves the status line and progress to it.
    if (e.message === "replaced by a new run") return null;
    running = false;
    progress.hidden = true;
    say(`ERROR: ${e.message}`, true);
    return null;
  }
}

function showTable(inputs, outputs) {
  const body = document.querySelector("#table tbody");
  body.replaceChildren();
  for (let i = 0; i < inputs.length; ++i) {
    const row = body.insertRow();
    row.insertCell().textContent = inputs[i];
    row.insertCell().textContent = outputs[i] ?? "";
  }
  document.getElementById("table").hidden = false;
}

// The first `n` lines of a text, without the CR before a line feed.
const firstLines = (text, n) => text.split("\n", n).map((l) => l.replace(/\r$/, ""));

export async function convertAll(text, decimals) {
  csvButton.disabled = true;
  last = null;
  const done = await run(text, decimals, false, "Converting");
  if (!done) return;
  if (done.lines === 0) {
    say("Nothing to convert: type or paste lines first.");
    return;
  }
  showTable(firstLines(text, Math.min(done.lines, shownRows)), firstLines(done.text, shownRows));
  const failed = done.failed ? `, ${count(done.failed)} failed` : "";
  const shown = done.lines > shownRows ? `; the table shows the first ${count(shownRows)}, the CSV holds them all` : "";
  say(`${count(done.lines)} lines converted${failed}${shown}.`);
  last = { text, decimals };
  csvButton.disabled = false;
}

export async function downloadCsv() {
  if (!last) return;
  csvButton.disabled = true;
  const done = await run(last.text, last.decimals, true, "Making the CSV");
  csvButton.disabled = false;
  if (!done) return;
  say(`The CSV of ${count(done.lines)} lines is downloaded.`);
  const a = Object.assign(document.createElement("a"), {
    href: URL.createObjectURL(new Blob([done.text], { type: "text/csv" })), download: "quorvel-codes.csv" });
  a.click();
  setTimeout(() => URL.revokeObjectURL(a.href), 60_000);
}
