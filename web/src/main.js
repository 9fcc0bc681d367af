// The map page: what a click, the box or a link asks for, converted by the
// WebAssembly module and shown with its parts; the batch box.
import { convertAll, downloadCsv } from "./batch.js";
import { hashOf, textOfHash } from "./link.js";
import { drawMap, markPosition, positionAt } from "./map.js";
import { startConversion } from "./module.js";

// The module's calls once it is ready; a module that fails on a call (its
// memory can no longer be trusted) is replaced by a new one.
let conversion = startConversion();
const entry = document.getElementById("entry");
const result = document.getElementById("result");
const parts = document.getElementById("parts");
const decimalsBox = document.getElementById("decimals");
// Requests in flight; the page says so in data-pending, for its test.
let asked = 0, pending = 0;

const decimals = () => (decimalsBox.value === "" ? null : Number(decimalsBox.value));
const hemisphere = (v, plus, minus) => `${Math.abs(v).toFixed(5)} ${v < 0 ? minus : plus}`;
const km = (v) => `${v.toFixed(3)} km`;

function showError(message) {
  result.classList.add("error");
  result.textContent = `ERROR: ${message}`;
  parts.replaceChildren();
  markPosition(null);
}

function show(answer) {
  if (answer.error) return showError(answer.error);
  result.classList.remove("error");
  const where = `${hemisphere(answer.latitude, "N", "S")} ${hemisphere(answer.longitude, "E", "W")}`;
  const position = answer.kind === "position";
  result.textContent = position ? answer.preciseCode ?? answer.code : where;
  const rows = position
    ? [["position", where], ...(answer.preciseCode ? [["code", answer.code]] : []), ["hour", answer.hour],
       ["offset", km(answer.offsetKm)], ["distance", km(answer.distanceKm)],
       ["bearing", `${answer.bearingDegrees.toFixed(3)}°`]]
    : [["code", answer.code], ["hour", answer.hour],
       ["farthest", answer.farthestKm === null ? "not known"
                    : `${km(answer.farthestKm)}: how far a position with this code can lie from this one`]];
  parts.replaceChildren();
  for (const [name, value] of rows) {
    parts.append(Object.assign(document.createElement("dt"), { textContent: name }));
    parts.append(Object.assign(document.createElement("dd"), { textContent: String(value) }));
  }
  markPosition(answer);
}

// Shows what `call(conversion)` answers once the module is ready, unless
// another request came after it.
async function ask(call) {
  const mine = ++asked;
  document.body.dataset.pending = ++pending;
  try {
    const c = await conversion;
    let answer;
    try {
      answer = call(c);
    } catch (e) {
      conversion = startConversion();
      answer = { error: `the conversion failed (${e.message}) and was started anew` };
    }
    if (mine === asked) show(answer);
  } finally {
    document.body.dataset.pending = --pending;
  }
}

const showText = (text) => ask((c) => c.line(text, decimals()));

// An answer of the page's own, in place of any still on its way.
function refuse(message) {
  ++asked;
  showError(message);
}

async function fromHash() {
  const link = textOfHash(location.hash);
  if (link.error) return refuse(link.error);
  if (!link.text) return;
  entry.value = link.text;
  await showText(link.text);
}

drawMap();
document.getElementById("map").addEventListener("click", (event) => {
  const p = positionAt(event.clientX, event.clientY);
  if (!p) return refuse("that point lies outside the map, whose rim is the antipode of the reference point");
  entry.value = `${p.latitude} ${p.longitude}`;
  ask((c) => c.point(p.latitude, p.longitude, decimals()));
});
document.getElementById("one").addEventListener("submit", (event) => {
  event.preventDefault();
  history.replaceState(null, "", hashOf(entry.value));
  showText(entry.value);
});
decimalsBox.addEventListener("change", () => {
  if (entry.value) showText(entry.value);
});
document.getElementById("many").addEventListener("submit", (event) => {
  event.preventDefault();
  convertAll(document.getElementById("lines").value, decimals());
});
document.getElementById("csv").addEventListener("click", downloadCsv);
window.addEventListener("hashchange", fromHash);
document.body.dataset.pending = 0;
fromHash().then(() => {
  document.body.dataset.ready = "true";
});
