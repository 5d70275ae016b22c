#!/usr/bin/env bash
# End to end: the real mapplot.exe in a temporary working directory with a
# small GLOB.DAT, with none, and with the sample map. The client area must
# show exactly the drawn segments in white (nothing where a point was only
# moved to), a key press must end the program with exit code 0, and nothing
# may be printed.
set -euo pipefail
exe=$(realpath "$1")
source "$(dirname "$0")/../../scripts/env.sh"
"$KANVO_ROOT/scripts/wineprefix" >/dev/null

work=$(mktemp -d)
pid=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  [ -n "${KANVO_XVFB_PID:-}" ] && kill "$KANVO_XVFB_PID" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ]; then kanvo_start_xvfb; fi

fail() { echo "FAIL: $*" >&2; exit 1; }

# Runs mapplot in $1, checks its client area with check_shot MODE, then
# presses a key and expects exit code 0 and no output.
run_case() {
  local dir=$1 mode=$2 id shot=$1/shot.png i rc
  # A window of another mapplot would be mistaken for this one's.
  [ -z "$(xdotool search --name '^ZEZIZ$' 2>/dev/null)" ] || fail "a ZEZIZ window is already open"
  ( cd "$dir" && exec wine "$exe" >"$dir/out.txt" 2>"$dir/err.txt" ) &
  pid=$!
  id=$(kanvo_wait_window ZEZIZ 30) || fail "$mode: no window titled ZEZIZ"
  # The plot is drawn while the window is shown: retry the check a while.
  for i in $(seq 1 20); do
    sleep 0.5
    kanvo_client_shot "$id" "$shot"
    if check_shot "$mode" "$shot" >/dev/null 2>&1; then break; fi
  done
  check_shot "$mode" "$shot" || fail "$mode: client area (see the report above)"
  kill -0 "$pid" 2>/dev/null || fail "$mode: ended before a key was pressed"
  xdotool windowfocus --sync "$id"
  xdotool key space
  for i in $(seq 1 150); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && fail "$mode: still running 15 s after the key"
  rc=0
  wait "$pid" || rc=$?
  pid=""
  [ "$rc" = 0 ] || fail "$mode: exit code $rc"
  [ ! -s "$dir/out.txt" ] || fail "$mode: printed on stdout: $(head -c 300 "$dir/out.txt")"
  [ ! -s "$dir/err.txt" ] || fail "$mode: printed on stderr: $(head -c 300 "$dir/err.txt")"
  echo "ok: $mode"
}

# Compares the screenshot with what the case draws: every drawn pixel white
# as the 256-colour standard palette has it (252/252/252, its entry nearest
# to white), every other pixel black. Screen points are worked out here
# independently: x = 80 + 80 * shifted longitude in radians, y = 479 / 2 -
# 80 * latitude in radians, rounded half to even (Python's round).
check_shot() {
  python3 - "$1" "$2" "$KANVO_ROOT/apps/mapplot/data/GLOB.DAT" <<'PY'
import math, re, subprocess, sys
mode, shot = sys.argv[1], sys.argv[2]
ppm = subprocess.run(["convert", shot, "-depth", "8", "ppm:-"], check=True, capture_output=True).stdout
parts = ppm.split(maxsplit=4)
w, h, pixels = int(parts[1]), int(parts[2]), parts[4]
if (w, h) != (640, 480):
    sys.exit(f"client area is {w} x {h}, not 640 x 480")

def point(lon, lat):
    lon += 170.0
    if lon > 360.0:
        lon -= 360.0
    return (round(80 + 80 * (lon / 180.0 * math.pi)), round(479 / 2.0 - 80 * (lat / 180.0 * math.pi)))

def segment(a, b):
    (x0, y0), (x1, y1) = a, b
    assert x0 == x1 or y0 == y1
    return {(x, y) for x in range(min(x0, x1), max(x0, x1) + 1) for y in range(min(y0, y1), max(y0, y1) + 1)}

def rgb(p):
    i = 3 * (p[1] * w + p[0])
    return pixels[i:i + 3]

lit = {((i // 3) % w, (i // 3) // w) for i in (m.start() for m in re.finditer(rb"[^\0]", pixels))}

expected = set()
if mode == "sample":
    # The sample coastline: every point ends or starts a drawn segment, so
    # each one must show, and nothing may show off the map's extent.
    points = set()
    for line in open(sys.argv[3]):
        lon, lat = line.split()[:2]
        points.add(point(float(lon), float(lat)))
    xs, ys = [p[0] for p in points], [p[1] for p in points]
    outside = [p for p in lit if not (min(xs) <= p[0] <= max(xs) and min(ys) <= p[1] <= max(ys))]
    missing = sorted(points - lit)
    colours = {rgb(p) for p in lit}
    if missing or outside or colours != {b"\xfc\xfc\xfc"}:
        print(f"sample: {len(missing)} of {len(points)} points not shown {missing[:10]}, "
              f"{len(outside)} pixels off the map {outside[:10]}, colours {colours}")
        sys.exit(1)
    print(f"sample: all {len(points)} points shown, {len(lit)} pixels lit")
    sys.exit(0)
if mode == "fixture":
    nw, ne, se, sw, w0 = point(-60, 30), point(60, 30), point(60, -30), point(-60, -30), point(-60, 0)
    expected = segment(nw, ne) | segment(ne, se) | segment(sw, w0)
    # Pixels on the paths to the moved-to points must stay black.
    moved = (segment(se, sw) | segment(w0, nw)) - expected
    assert moved and not (moved & expected)

off_white = [(p, tuple(rgb(p))) for p in sorted(lit) if rgb(p) != b"\xfc\xfc\xfc"]
missing = sorted(expected - lit)
extra = sorted(lit - expected)
if missing or extra or off_white:
    print(f"{mode}: {len(lit)} lit, {len(expected)} expected; missing {missing[:10]}, "
          f"extra {extra[:10]}, not white {off_white[:10]}")
    sys.exit(1)
print(f"{mode}: {len(expected)} white pixels as expected")
PY
}

# Three line ends, and a pen code of two spaces and D that only moves: the
# segment to that point must not show, nor the one from the last point back
# to the first.
mkdir "$work/fixture" "$work/missing"
printf -- '-60 30\n60 30 D\r\n60 -30 D\r-60 -30  D\n-60 0 D\n' >"$work/fixture/GLOB.DAT"
run_case "$work/fixture" fixture
run_case "$work/missing" missing
# The whole sample map takes long enough to draw that the window thread has
# gone idle before the end: what is drawn must show without any input.
mkdir "$work/sample"
cp "$KANVO_ROOT/apps/mapplot/data/GLOB.DAT" "$work/sample/"
run_case "$work/sample" sample
