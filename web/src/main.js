// The map page: the azimuthal equidistant map centred on the reference point,
// and the conversion of the WebAssembly module for what is clicked or typed.
import { geoAzimuthalEquidistant, geoCircle, geoPath } from "d3-geo";
import { feature } from "topojson-client";
import land from "world-atlas/land-110m.json";

const reference = [11 + 34 / 60 + 31 / 3600, 48 + 8 / 60 + 13 / 3600];  // lon, lat
const kmPerDegree = 111.18;
const size = 640;
const svgNs = "http://www.w3.org/2000/svg";
const map = document.getElementById("map");
const projection = geoAzimuthalEquidistant()
  .rotate([-reference[0], -reference[1]])
  .clipAngle(180 - 1e-3)
  .fitSize([size, size], { type: "Sphere" });
const path = geoPath(projection);

function add(parent, name, attributes, text) {
  const e = document.createElementNS(svgNs, name);
  for (const [k, v] of Object.entries(attributes)) e.setAttribute(k, v);
  if (text !== undefined) e.textContent = text;
  parent.appendChild(e);
  return e;
}

// The point `degrees` of arc away from the reference point at `bearing`.
function along(bearing, degrees) {
  const r = Math.PI / 180, p0 = reference[1] * r, b = bearing * r, d = degrees * r;
  const p = Math.asin(Math.sin(p0) * Math.cos(d) + Math.cos(p0) * Math.sin(d) * Math.cos(b));
  const l = Math.atan2(Math.sin(b) * Math.sin(d) * Math.cos(p0), Math.cos(d) - Math.sin(p0) * Math.sin(p));
  return [reference[0] + l / r, p / r];
}

function drawMap() {
  add(map, "path", { class: "sphere", d: path({ type: "Sphere" }) });
  add(map, "path", { class: "land", d: path(feature(land, land.objects.land)) });
  for (let km = 1000; km < 20000; km += 1000)
    add(map, "path", { class: "ring", d: path(geoCircle().center(reference).radius(km / kmPerDegree)()) });
  for (let hour = 1; hour <= 12; ++hour) {
    const bearing = (30 * hour) % 360;
    const ray = { type: "LineString", coordinates: Array.from({ length: 61 }, (_, i) => along(bearing, i * 2.98)) };
    add(map, "path", { class: "ray", d: path(ray) });
    const [x, y] = projection(along(bearing + 15, 40));
    add(map, "text", { class: "hour", x, y, "text-anchor": "middle" }, String(hour));
  }
  const [cx, cy] = projection(reference);
  add(map, "circle", { class: "reference", cx, cy, r: 3 });
}

let convert = () => ({ ok: false, error: "the conversion is loading" });
let marker = null;

function showMarker(lat, lon) {
  const xy = projection([lon, lat]);
  if (!xy) return;
  if (!marker) marker = add(map, "circle", { class: "marker", r: 5 });
  marker.setAttribute("cx", xy[0]);
  marker.setAttribute("cy", xy[1]);
}

const hemisphere = (v, plus, minus) => `${Math.abs(v).toFixed(5)} ${v < 0 ? minus : plus}`;

// Shows what one line is: a position's code, or a code's position.
function show(line) {
  const answer = convert(line);
  const result = document.getElementById("result"), parts = document.getElementById("parts");
  parts.replaceChildren();
  result.classList.toggle("error", !answer.ok);
  if (!answer.ok) {
    result.textContent = `ERROR: ${answer.error}`;
    return answer;
  }
  const where = `${hemisphere(answer.lat, "N", "S")} ${hemisphere(answer.lon, "E", "W")}`;
  result.textContent = answer.kind === "position" ? answer.code : where;
  const rows = answer.kind === "position"
    ? [["position", where], ["hour", answer.hour], ["offset", `${answer.offsetKm.toFixed(3)} km`],
       ["distance", `${answer.distanceKm.toFixed(3)} km`], ["bearing", `${answer.bearingDegrees.toFixed(3)}°`]]
    : [["code", answer.code]];
  for (const [name, value] of rows) {
    parts.append(Object.assign(document.createElement("dt"), { textContent: name }));
    parts.append(Object.assign(document.createElement("dd"), { textContent: String(value) }));
  }
  showMarker(answer.lat, answer.lon);
  return answer;
}

function fromHash() {
  const text = decodeURIComponent(location.hash.slice(1));
  if (!text) return;
  document.getElementById("entry").value = text;
  show(text);
}

let csvText = "";

function convertAll(text) {
  const body = document.querySelector("#table tbody");
  body.replaceChildren();
  csvText = "input,output\n";
  const quote = (s) => `"${String(s).replaceAll('"', '""')}"`;
  for (const line of text.split("\n").filter((l) => l.trim())) {
    const a = convert(line);
    const out = !a.ok ? `ERROR: ${a.error}` : a.kind === "position" ? a.code : `${a.lat} ${a.lon}`;
    const row = body.insertRow();
    row.insertCell().textContent = line;
    row.insertCell().textContent = out;
    csvText += `${quote(line)},${quote(out)}\n`;
  }
  document.getElementById("table").hidden = false;
  document.getElementById("csv").disabled = false;
}

drawMap();
map.addEventListener("click", (event) => {
  const box = map.getBoundingClientRect();
  const x = ((event.clientX - box.left) / box.width) * size, y = ((event.clientY - box.top) / box.height) * size;
  const [cx, cy] = projection(reference);
  // Within a few pixels of the reference point, the point itself.
  const [lon, lat] = Math.hypot(x - cx, y - cy) <= 3 ? reference : projection.invert([x, y]);
  const line = `${lat} ${lon}`;
  document.getElementById("entry").value = line;
  show(line);
});
document.getElementById("one").addEventListener("submit", (event) => {
  event.preventDefault();
  const text = document.getElementById("entry").value;
  history.replaceState(null, "", `#${encodeURIComponent(text)}`);
  show(text);
});
document.getElementById("many").addEventListener("submit", (event) => {
  event.preventDefault();
  convertAll(document.getElementById("lines").value);
});
document.getElementById("csv").addEventListener("click", () => {
  const a = Object.assign(document.createElement("a"), {
    href: URL.createObjectURL(new Blob([csvText], { type: "text/csv" })), download: "quorvel-codes.csv" });
  a.click();
});
window.addEventListener("hashchange", fromHash);
createQuorvel().then((module) => {
  const call = module.cwrap("qv_convert", "string", ["string"]);
  convert = (line) => JSON.parse(call(line));
  document.body.dataset.ready = "true";
  fromHash();
});
