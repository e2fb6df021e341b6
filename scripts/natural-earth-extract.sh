#!/usr/bin/env bash
# Makes data/sources/natural-earth-50m-mitteleuropa.topo.json, the countries around Austria for
# the map of a family tree's places: Natural Earth's countries at 1:50m (public domain), from the
# npm package world-atlas, fetched with npm at the pinned version and checked against its
# integrity hash. It keeps the polygons that reach into 4° to 34° E, 39° to 55.5° N and the arcs
# they use, renumbered, as published otherwise (quantized, the package's transform); each
# country's numeric ISO code becomes its property "iso":
#
#   scripts/natural-earth-extract.sh
#
# It needs npm (with Node.js); nothing else reads the network.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/npm-pack.sh
package=world-atlas
version=2.0.2
integrity='sha512-IXfV0qwlKXpckz1FhwXVwKRjiIhOnWttOskm5CtxMsjgE/MXAYRHWJqgXOpM8IkcPBoXnyTU5lFHcYa5ChG0LQ=='
out=data/sources/natural-earth-50m-mitteleuropa.topo.json

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
tarball=$(npm_pack "$package" "$version" "$integrity" "$work")
tar -xzf "$tarball" -C "$work" package/countries-50m.json
node - "$work/package/countries-50m.json" "$out" <<'JS'
const fs = require("fs");
const [input, output] = process.argv.slice(2);
const topo = JSON.parse(fs.readFileSync(input, "utf8"));
const [sx, sy] = topo.transform.scale, [tx, ty] = topo.transform.translate;
const west = 4, east = 34, south = 39, north = 55.5;
// Each arc's box in degrees.
const boxes = topo.arcs.map((arc) => {
  let x = 0, y = 0, box = [Infinity, Infinity, -Infinity, -Infinity];
  for (const [dx, dy] of arc) {
    x += dx; y += dy;
    const lon = x * sx + tx, lat = y * sy + ty;
    box = [Math.min(box[0], lon), Math.min(box[1], lat), Math.max(box[2], lon), Math.max(box[3], lat)];
  }
  return box;
});
const arcOf = (i) => (i < 0 ? ~i : i);
const reaches = (polygon) => polygon.flat().some((i) => {
  const b = boxes[arcOf(i)];
  return b[2] >= west && b[0] <= east && b[3] >= south && b[1] <= north;
});
const kept = new Map();  // old arc number -> new
const renumber = (i) => {
  const old = arcOf(i);
  if (!kept.has(old)) kept.set(old, kept.size);
  return i < 0 ? ~kept.get(old) : kept.get(old);
};
const geometries = [];
for (const g of topo.objects.countries.geometries) {
  const polygons = g.type === "Polygon" ? [g.arcs] : g.type === "MultiPolygon" ? g.arcs : [];
  const near = polygons.filter(reaches);
  if (!near.length) continue;
  const arcs = near.map((polygon) => polygon.map((ring) => ring.map(renumber)));
  geometries.push({type: arcs.length === 1 ? "Polygon" : "MultiPolygon", arcs: arcs.length === 1 ? arcs[0] : arcs,
                   properties: {iso: g.id, name: g.properties.name}});
}
const arcs = new Array(kept.size);
for (const [old, now] of kept) arcs[now] = topo.arcs[old];
fs.writeFileSync(output, JSON.stringify({type: "Topology", transform: topo.transform,
                                          objects: {countries: {type: "GeometryCollection", geometries}}, arcs}) + "\n");
console.error(`natural-earth-extract: ${geometries.length} countries, ${arcs.length} arcs in ${output}`);
JS
