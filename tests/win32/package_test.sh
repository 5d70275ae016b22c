#!/usr/bin/env bash
# The release zip holds each program beside its data file, the README with its
# reference and pictures, and the licences of the data; the programs are the
# built ones without their debugging information.
set -euo pipefail
root=$1
zip=$("$root/scripts/package" --no-build)
listing=$(unzip -Z1 "$zip")
for entry in \
    kanvo-1.1-win32/texglobe/texglobe.exe kanvo-1.1-win32/texglobe/earth.bmp \
    kanvo-1.1-win32/mapplot/mapplot.exe kanvo-1.1-win32/mapplot/GLOB.DAT \
    kanvo-1.1-win32/coastglobe/coastglobe.exe kanvo-1.1-win32/README.md \
    kanvo-1.1-win32/docs/api.md kanvo-1.1-win32/docs/images/coastglobe.png \
    kanvo-1.1-win32/LICENSES/DATA.md; do
  grep -qx "$entry" <<<"$listing" || { echo "missing from $zip: $entry"; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
unzip -q "$zip" -d "$work"
cmp "$work/kanvo-1.1-win32/mapplot/GLOB.DAT" "$root/apps/mapplot/data/GLOB.DAT"
cmp "$work/kanvo-1.1-win32/texglobe/earth.bmp" "$root/apps/texglobe/data/earth.bmp"
for prog in texglobe mapplot coastglobe; do
  exe=$work/kanvo-1.1-win32/$prog/$prog.exe
  # a Windows console program for i386: PE header, machine 0x14c, subsystem 3
  [ "$(head -c 2 "$exe")" = MZ ] || { echo "$prog: not an executable"; exit 1; }
  headers=$(i686-w64-mingw32-objdump -f -p "$exe")
  grep -q 'file format pei-i386' <<<"$headers" || { echo "$prog: not i386"; exit 1; }
  grep -q 'Subsystem.*00000003' <<<"$headers" || { echo "$prog: not a console program"; exit 1; }
  ! grep -qiE 'DLL Name: (libstdc|libgcc|libwinpthread)' <<<"$headers" ||
    { echo "$prog: needs a MinGW runtime DLL"; exit 1; }
done
echo "package ok: $zip"
