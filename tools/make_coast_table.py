#!/usr/bin/env python3
"""Builds coastglobe's coastline table from the GSHHG shorelines.

Reads the crude GSHHG shorelines through GMT (Debian packages gmt and
gmt-gshhg-low), keeps the largest landmasses and the largest inland waters,
brings every outline onto the whole-degree lattice and writes the C++ source
of the table. Run from the repository root:

    tools/make_coast_table.py > apps/coastglobe/coast_table.cpp

The output depends only on the installed GSHHG release; rerunning it gives the
same file.

How the outlines are made:
  * GMT dumps the shoreline pieces per level (1 land, 2 lakes; river-lakes and
    the Antarctic ice shelves left out), and pieces whose ends meet are joined
    into rings.
  * GSHHG counts the Black Sea as ocean, reached through the Bosporus. The
    Eurasian ring is cut across the strait and the sea becomes an inland water
    of its own, as the globe fills it from its own seeds.
  * Landmasses that hold a sea seed are left out: the seeds are fixed and must
    lie in water (at this resolution Sulawesi covers the seed at 0N 120E).
  * Each ring is resampled finely and every point moved to a nearby lattice
    point on the land side of the shore (inside a landmass, outside a lake) and
    not next to a seed, so the whole-degree outlines never creep into the water
    that the seeds fill: a seed on a coastline pixel would fill nothing.
  * Points are then dropped, the least visible first (Visvalingam), until the
    table holds exactly the wanted number of records. A drop is refused when
    the new line would pass close to a seed, or would be longer than three
    degrees: the globe leaves a line that crosses the limb undrawn, and a long
    one would leave a wide gap there.
  * The south polar outline starts where it crosses the 180th meridian.
"""

import math
import re
import subprocess
import sys
import tempfile
from collections import defaultdict

RECORDS = 2977
OUTLINES = 56
EXTRA_LAKES = 8          # largest lakes beyond the four that hold seeds
MAX_STEP = 3            # degrees; a longer line would leave a wide gap at the limb
SEED_CLEARANCE = 0.8     # degrees (longitude scaled by the cosine of the latitude)
RESAMPLE_STEP = 0.25     # degrees

# Sea seeds (lon, lat), as the program fills from them.
SEEDS = [(-20, 0), (120, 0), (60, 0), (20, 35), (36, 42), (49, 44), (60, 45),
         (40, 18), (54, 25), (33, -1), (19, 56), (36, 66), (114, 15), (32, 43)]

# Inland waters that must be outlined, by a point inside each.
REQUIRED_WATERS = {"Caspian Sea": (50, 42), "Aral Sea": (60, 45), "Lake Victoria": (33, -1)}

# The Bosporus: the Eurasian shore vertices on either side of the strait.
BOSPORUS = ((28.98, 41.00), (29.16, 41.22))

GMT_COMMAND = ["gmt", "coast", "-Rg", "-Dc", "-W", "-M", "-A0/1/2+ag+l"]


def wrap180(d):
    return (d + 180.0) % 360.0 - 180.0


def read_pieces():
    # GMT leaves a history file in its working folder: keep it out of the tree.
    with tempfile.TemporaryDirectory() as scratch:
        text = subprocess.run(GMT_COMMAND, check=True, capture_output=True, text=True,
                              cwd=scratch).stdout
    pieces = defaultdict(list)
    current = None
    for line in text.splitlines():
        if line.startswith(">"):
            level = int(re.search(r"Level (\d)", line).group(1))
            current = []
            pieces[level].append(current)
        elif line.strip():
            lon, lat = map(float, line.split()[:2])
            current.append((lon % 360.0, lat))
    return pieces


def point_key(p):
    return (round(p[0] % 360.0, 6) % 360.0, round(p[1], 6))


def join_pieces(pieces):
    """Joins pieces whose end points coincide into closed rings."""
    rings = []
    starts = defaultdict(list)
    pool = list(pieces)
    for i, piece in enumerate(pool):
        if len(piece) > 2 and point_key(piece[0]) == point_key(piece[-1]):
            rings.append(piece)
            pool[i] = None
        else:
            starts[point_key(piece[0])].append(i)
    used = set()
    for i, piece in enumerate(pool):
        if piece is None or i in used:
            continue
        used.add(i)
        chain = list(piece)
        while point_key(chain[-1]) != point_key(chain[0]):
            nxt = [j for j in starts.get(point_key(chain[-1]), []) if j not in used]
            if not nxt:
                sys.exit("shoreline piece without a continuation")
            used.add(nxt[0])
            chain += pool[nxt[0]][1:]
        rings.append(chain)
    return [dedupe(r) for r in rings]


def dedupe(ring):
    out = []
    for p in ring:
        if not out or point_key(out[-1]) != point_key(p):
            out.append(p)
    if point_key(out[0]) != point_key(out[-1]):
        out.append(out[0])
    return out


def winding(ring):
    return sum(wrap180(b[0] - a[0]) for a, b in zip(ring, ring[1:]))


def area_km2(ring):
    total, lon = 0.0, ring[0][0]
    for a, b in zip(ring, ring[1:]):
        step = wrap180(b[0] - a[0])
        total += step * (math.sin(math.radians(a[1])) + math.sin(math.radians(b[1]))) / 2
        lon += step
    return abs(total) * math.radians(1) * 6371.0 ** 2


def contains(ring, polar, p):
    """Point in ring on the sphere: counts crossings of the meridian from p down
    to the south pole; a ring round the pole holds the pole itself."""
    crossings = 0
    for a, b in zip(ring, ring[1:]):
        d = wrap180(b[0] - a[0])
        t = wrap180(p[0] - a[0])
        if (0 <= t < d) or (d <= t < 0):
            lat = a[1] + (b[1] - a[1]) * (t / d)
            if lat < p[1]:
                crossings += 1
    return (crossings % 2 == 1) != polar


def resample(ring):
    out = []
    for a, b in zip(ring, ring[1:]):
        d = wrap180(b[0] - a[0])
        n = max(1, math.ceil(max(abs(d), abs(b[1] - a[1])) / RESAMPLE_STEP))
        for k in range(n):
            out.append(((a[0] + d * k / n) % 360.0, a[1] + (b[1] - a[1]) * k / n))
    out.append(ring[-1])
    return out


def lon_out(i):
    """Whole-degree longitude in 0..360, keeping 360 where the shore came from
    just below it."""
    if i < 0:
        return i + 360
    if i > 360:
        return i - 360
    return i


class Outline:
    def __init__(self, name, ring, water):
        self.name = name
        self.ring = ring
        self.water = water
        self.polar = abs(winding(ring)) > 180.0
        self.area = area_km2(ring)
        self.points = []
        self._side = {}

    def keeps(self, lattice):
        """True when a lattice point lies on the land side of this shore."""
        if lattice not in self._side:
            inside = contains(self.ring, self.polar, (lattice[0] % 360, lattice[1]))
            self._side[lattice] = inside != self.water
        return self._side[lattice]

    def snap(self, p, seeds):
        fx, fy = math.floor(p[0]), math.floor(p[1])
        cands = [(fx + dx, fy + dy) for dx in (-1, 0, 1, 2) for dy in (-1, 0, 1, 2)]
        cands = [c for c in cands
                 if min(segment_distance(c, c, s) for s in SEEDS) >= SEED_CLEARANCE]
        cands.sort(key=lambda c: ((c[0] - p[0]) ** 2 + (c[1] - p[1]) ** 2, c))
        for c in cands:
            if (c[0] - p[0]) ** 2 + (c[1] - p[1]) ** 2 <= 1.5 ** 2 and self.keeps(c):
                return (lon_out(c[0]), c[1])
        return (lon_out(cands[0][0]), cands[0][1])

    def build(self, seeds, start=None):
        dense = resample(self.ring)
        if start is not None:
            dense = rotate_to_meridian(dense, start)
        pts = [self.snap(p, seeds) for p in dense]
        if start is not None:
            pts[0] = pts[-1] = (start, round(dense[0][1]))
        self.points = simplify_runs(pts)
        if distinct(self.points) < 3:
            # Too small for the land side alone: plain rounding.
            self.points = simplify_runs([(lon_out(round(p[0])), round(p[1])) for p in dense])
        return distinct(self.points) >= 3


def distinct(pts):
    return len({(p[0] % 360, p[1]) for p in pts})


def rotate_to_meridian(ring, lon):
    """Restarts a closed ring at its first crossing of the meridian lon."""
    for i, (a, b) in enumerate(zip(ring, ring[1:])):
        d = wrap180(b[0] - a[0])
        t = wrap180(lon - a[0])
        if (0 <= t < d) or (d <= t < 0):
            lat = a[1] + (b[1] - a[1]) * (t / d)
            body = [(lon, lat)] + ring[i + 1:-1] + ring[:i + 1]
            return body + [(lon, lat)]
    sys.exit("outline does not cross the starting meridian")


def same(a, b):
    return a[0] % 360 == b[0] % 360 and a[1] == b[1]


def simplify_runs(pts):
    """Removes repeated points and back-and-forth spikes; the first point
    stays."""
    changed = True
    while changed:
        changed = False
        out = [pts[0]]
        for p in pts[1:]:
            if same(out[-1], p):
                changed = True
                continue
            if len(out) >= 2 and same(out[-2], p) and len(out) > 2:
                out.pop()
                changed = True
                continue
            out.append(p)
        pts = out
    if same(pts[0], pts[-1]):
        pts[-1] = pts[0]
    else:
        pts.append(pts[0])
    return pts


def local(p, origin):
    c = math.cos(math.radians(origin[1]))
    return (wrap180(p[0] - origin[0]) * c, p[1] - origin[1])


def segment_distance(a, b, s):
    """Distance in degrees from seed s to segment ab, longitudes scaled at s."""
    ax, ay = local(a, s)
    bx, by = local(b, s)
    dx, dy = bx - ax, by - ay
    len2 = dx * dx + dy * dy
    t = 0.0 if len2 == 0 else max(0.0, min(1.0, -(ax * dx + ay * dy) / len2))
    return math.hypot(ax + t * dx, ay + t * dy)


def clear_of_seeds(a, b):
    return all(segment_distance(a, b, s) >= SEED_CLEARANCE for s in SEEDS)


def step(a, b):
    return max(abs(wrap180(b[0] - a[0])), abs(b[1] - a[1]))


def triangle_area(a, b, c):
    bx, by = local(b, a)
    cx, cy = local(c, a)
    return abs(bx * cy - by * cx) / 2


def thin_to(outlines, total):
    """Drops the least visible points (smallest triangle with their neighbours)
    across all outlines until the count is total; the first and last point of
    an outline stay, and every outline keeps three distinct points."""
    import heapq
    nodes = []  # per outline: [prev, next, alive] by point index
    heap = []
    count = 0
    for oi, o in enumerate(outlines):
        n = len(o.points)
        nodes.append([[i - 1, i + 1, True] for i in range(n)])
        count += n
        for i in range(1, n - 1):
            heapq.heappush(heap, (triangle_area(*o.points[i - 1:i + 2]), oi, i, i - 1, i + 1))
    alive = [len(o.points) for o in outlines]
    while count > total:
        if not heap:
            sys.exit("no point can be dropped")
        key, oi, i, prev, nxt = heapq.heappop(heap)
        links = nodes[oi]
        if not links[i][2] or links[i][0] != prev or links[i][1] != nxt or alive[oi] <= 4:
            continue
        pts = outlines[oi].points
        if step(pts[prev], pts[nxt]) > MAX_STEP or not clear_of_seeds(pts[prev], pts[nxt]):
            continue
        links[i][2] = False
        links[prev][1] = nxt
        links[nxt][0] = prev
        alive[oi] -= 1
        count -= 1
        for j in (prev, nxt):
            if 0 < j < len(pts) - 1:
                a, b = links[j][0], links[j][1]
                heapq.heappush(heap, (triangle_area(pts[a], pts[j], pts[b]), oi, j, a, b))
    for oi, o in enumerate(outlines):
        o.points = [p for p, link in zip(o.points, nodes[oi]) if link[2]]


def main():
    pieces = read_pieces()
    land = [Outline("land", r, False) for r in join_pieces(pieces[1])]
    lakes = [Outline("lake", r, True) for r in join_pieces(pieces[2])]
    land.sort(key=lambda o: -o.area)
    lakes.sort(key=lambda o: -o.area)

    # The Black Sea out of Eurasia, the Eurasian shore closed across the strait.
    eurasia = next(o for o in land if contains(o.ring, o.polar, (100, 50)))
    ring = eurasia.ring[:-1]
    ends = []
    for target in BOSPORUS:
        i = min(range(len(ring)), key=lambda k: math.dist(ring[k], target))
        if math.dist(ring[i], target) > 0.05:
            sys.exit("the Bosporus is not where it was expected")
        ends.append(i)
    i, j = sorted(ends)
    black = Outline("Black Sea", ring[i:j + 1] + [ring[i]], True)
    if not contains(black.ring, False, (36, 42)):
        sys.exit("the cut did not give the Black Sea")
    land[land.index(eurasia)] = Outline("land", ring[:i + 1] + ring[j:] + [ring[0]], False)

    waters = [black]
    for name, inside in REQUIRED_WATERS.items():
        lake = next(o for o in lakes if contains(o.ring, o.polar, inside))
        lake.name = name
        waters.append(lake)
    waters += [o for o in lakes if o not in waters][:EXTRA_LAKES]

    seeds = {(lon % 360, lat) for lon, lat in SEEDS}
    def in_open_water(s):
        return not any(contains(w.ring, w.polar, s) for w in waters)
    open_seeds = [(lon % 360, lat) for lon, lat in SEEDS if in_open_water((lon % 360, lat))]
    land = [o for o in land if not any(contains(o.ring, o.polar, s) for s in open_seeds)]

    polar = land[0]
    if not polar.polar:
        sys.exit("the largest landmass is not the south polar one")
    for o in waters:
        if not o.build(seeds):
            sys.exit(f"the {o.name} outline is too small")
    polar.build(seeds, start=180)
    # Islands that do not keep an area on the lattice are passed over.
    chosen = [polar]
    for o in land[1:]:
        if len(chosen) == OUTLINES - len(waters):
            break
        if o.build(seeds):
            chosen.append(o)
    land = chosen

    outlines = land + waters
    thin_to(outlines, RECORDS)
    count = sum(len(o.points) for o in outlines)
    if count != RECORDS or len(outlines) != OUTLINES:
        sys.exit(f"{count} records in {len(outlines)} outlines")
    for o in outlines:
        for a, b in zip(o.points, o.points[1:]):
            if not clear_of_seeds(a, b):
                sys.exit(f"a line of the {o.name} outline passes {a}-{b} next to a seed")
    write_source(outlines)


def write_source(outlines):
    out = sys.stdout
    out.write("""\
// Generated by tools/make_coast_table.py; do not edit.
//
// Source: GSHHG 2.3.7 shorelines, crude resolution (Debian package
// gmt-gshhg-low), read with GMT 6 (Debian package gmt):
//   """ + " ".join(GMT_COMMAND) + """
// GSHHG is by Paul Wessel and Walter H. F. Smith, licensed under the GNU LGPL,
// version 3 or later.
// Regenerate with: tools/make_coast_table.py > apps/coastglobe/coast_table.cpp
//
// Outlines, by first record:
""")
    first = 0
    for o in outlines:
        lons = [p[0] for p in o.points]
        lats = [p[1] for p in o.points]
        what = o.name if o.name != "land" else "landmass"
        out.write(f"//   {first:4d}  {len(o.points):3d} points  lon {min(lons)}..{max(lons)}, "
                  f"lat {min(lats)}..{max(lats)}  {what}\n")
        first += len(o.points)
    out.write("""
#include "apps/coastglobe/coast_tables.h"

namespace coastglobe {

const std::array<CoastPoint, CoastPointCount> CoastTable = {{
""")
    for o in outlines:
        records = [(p[0], p[1], 0 if k == 0 else 1) for k, p in enumerate(o.points)]
        for k in range(0, len(records), 6):
            row = " ".join(f"{{{lon}, {lat}, {pen}}}," for lon, lat, pen in records[k:k + 6])
            out.write(f"    {row}\n")
    out.write("""}};

}  // namespace coastglobe
""")


if __name__ == "__main__":
    main()
