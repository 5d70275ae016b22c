#!/usr/bin/env bash
# Makes apps/mapplot/data/GLOB.DAT from the Natural Earth 1:110m land outlines
# (public domain) as the npm package world-atlas ships them. The packages are
# installed at fixed versions into build/npm and never committed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
npmdir=$root/build/npm
mkdir -p "$npmdir"
if [ ! -f "$npmdir/node_modules/world-atlas/land-110m.json" ] || \
   [ ! -d "$npmdir/node_modules/topojson-client" ]; then
  npm install --prefix "$npmdir" --no-save --no-audit --no-fund \
    world-atlas@2.0.2 topojson-client@3.1.0 >/dev/null
fi
node "$root/tools/make_glob_dat.cjs" "$npmdir/node_modules" > "$root/apps/mapplot/data/GLOB.DAT"
