// Writes GLOB.DAT to standard output: every land outline as a run of points,
// "longitude latitude" with two decimals per line, the first point of a run
// with nothing after the latitude and the others with " D".
//
// mapplot draws each segment straight across the map, so a segment that
// crosses the 180th meridian would span the whole map. Such a run is ended
// where it meets the meridian and a new one starts on the other side; edges
// that run along the meridian itself (where Natural Earth cuts islands) are
// left out.
"use strict";
const path = require("path");
const modules = process.argv[2];
const { feature } = require(path.join(modules, "topojson-client"));
const topology = require(path.join(modules, "world-atlas", "land-110m.json"));

// Splits one closed ring into runs inside -180..180. Longitudes are first
// unwrapped so that no step exceeds half a turn; k counts the turns by which
// the current run is offset.
function splitRing(ring) {
  const runs = [];
  let run = [];
  let k = 0;
  let prevLon = null;
  let prevLat = null;
  for (const [lon, lat] of ring) {
    let u = lon;
    if (prevLon !== null) {
      while (u - prevLon > 180) u -= 360;
      while (u - prevLon < -180) u += 360;
    }
    const lo = -180 + 360 * k;
    const hi = 180 + 360 * k;
    if (prevLon === null) {
      run.push([u, lat]);
    } else if (u >= lo && u <= hi) {
      if (u === prevLon && (u === lo || u === hi)) {
        runs.push(run);
        run = [];
      }
      run.push([u - 360 * k, lat]);
    } else {
      const edge = u > hi ? hi : lo;
      const edgeLat = prevLat + ((edge - prevLon) / (u - prevLon)) * (lat - prevLat);
      if (prevLon !== edge) run.push([edge - 360 * k, edgeLat]);
      runs.push(run);
      k += u > hi ? 1 : -1;
      run = [[edge - 360 * k, edgeLat], [u - 360 * k, lat]];
    }
    prevLon = u;
    prevLat = lat;
  }
  runs.push(run);
  return runs;
}

function fixed2(v) {
  const s = v.toFixed(2);
  return s === "-0.00" ? "0.00" : s;
}

const land = feature(topology, topology.objects.land);
const lines = [];
for (const f of land.features) {
  const g = f.geometry;
  const polygons = g.type === "MultiPolygon" ? g.coordinates : [g.coordinates];
  for (const polygon of polygons) {
    for (const ring of polygon) {
      for (const run of splitRing(ring)) {
        // Points that round to the same text add nothing.
        const texts = [];
        for (const [lon, lat] of run) {
          const t = fixed2(lon) + " " + fixed2(lat);
          if (texts[texts.length - 1] !== t) texts.push(t);
        }
        if (texts.length < 2) continue;
        texts.forEach((t, i) => lines.push(i === 0 ? t : t + " D"));
      }
    }
  }
}
process.stdout.write(lines.join("\n") + "\n");
