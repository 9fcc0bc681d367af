// The map: the azimuthal equidistant projection centred on the reference
// point, on which a code is polar coordinates: rings every 1000 km, the
// twelve hour rays, the land; and which position a click means.
import { geoAzimuthalEquidistant, geoCircle, geoPath } from "d3-geo";
import { feature } from "topojson-client";
import land from "world-atlas/land-110m.json";

// Degrees, as the library reads 48°8′13″ N 11°34′31″ E, to the last bit.
export const reference = { latitude: 48 + 8 / 60 + 13 / 3600, longitude: 11 + 34 / 60 + 31 / 3600 };
const kmPerDegree = 111.18;
const size = 640;
const svgNs = "http://www.w3.org/2000/svg";
const map = document.getElementById("map");
const centre = [reference.longitude, reference.latitude];
const projection = geoAzimuthalEquidistant()
  .rotate([-centre[0], -centre[1]])
  .clipAngle(180 - 1e-3)
  .fitSize([size, size], { type: "Sphere" });
const path = geoPath(projection);
let marker = null;

function add(parent, name, attributes, text) {
  const e = document.createElementNS(svgNs, name);
  for (const [k, v] of Object.entries(attributes)) e.setAttribute(k, v);
  if (text !== undefined) e.textContent = text;
  parent.appendChild(e);
  return e;
}

// The point `degrees` of arc away from the reference point at `bearing`.
function along(bearing, degrees) {
  const r = Math.PI / 180, p0 = centre[1] * r, b = bearing * r, d = degrees * r;
  const p = Math.asin(Math.sin(p0) * Math.cos(d) + Math.cos(p0) * Math.sin(d) * Math.cos(b));
  const l = Math.atan2(Math.sin(b) * Math.sin(d) * Math.cos(p0), Math.cos(d) - Math.sin(p0) * Math.sin(p));
  return [centre[0] + l / r, p / r];
}

export function drawMap() {
  add(map, "path", { class: "sphere", d: path({ type: "Sphere" }) });
  add(map, "path", { class: "land", d: path(feature(land, land.objects.land)) });
  for (let km = 1000; km < 20000; km += 1000)
    add(map, "path", { class: "ring", d: path(geoCircle().center(centre).radius(km / kmPerDegree)()) });
  for (let hour = 1; hour <= 12; ++hour) {
    const bearing = (30 * hour) % 360;
    const ray = { type: "LineString", coordinates: Array.from({ length: 61 }, (_, i) => along(bearing, i * 2.98)) };
    add(map, "path", { class: "ray", d: path(ray) });
    const [x, y] = projection(along(bearing + 15, 40));
    add(map, "text", { class: "hour", x, y, "text-anchor": "middle" }, String(hour));
  }
  const [cx, cy] = projection(centre);
  add(map, "circle", { class: "reference", cx, cy, r: 3 });
}

// The position a click at the client coordinates means: within a few pixels
// of the reference point's dot that point itself; null outside the map's
// disc, whose rim is the antipode, 180° away (the projection would wrap a
// point beyond it round to some other place).
export function positionAt(clientX, clientY) {
  const box = map.getBoundingClientRect();
  const x = ((clientX - box.left) / box.width) * size, y = ((clientY - box.top) / box.height) * size;
  const [cx, cy] = projection(centre);
  const fromCentre = Math.hypot(x - cx, y - cy);
  if (fromCentre <= 3) return { ...reference };
  if (fromCentre > projection.scale() * Math.PI) return null;
  const [longitude, latitude] = projection.invert([x, y]);
  return { latitude, longitude };
}

// The marker at a position, or none.
export function markPosition(position) {
  const xy = position && projection([position.longitude, position.latitude]);
  if (!xy) {
    marker?.remove();
    marker = null;
    return;
  }
  if (!marker) marker = add(map, "circle", { class: "marker", r: 5 });
  marker.setAttribute("cx", xy[0]);
  marker.setAttribute("cy", xy[1]);
}
