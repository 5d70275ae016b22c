#!/usr/bin/env bash
# Installs kanvo into a scratch prefix, then builds a user's program against
# it twice, with find_package and with pkg-config, and runs both under Wine.
# Arguments: the source tree and the Win32 build folder.
set -euo pipefail
src=$1
build=$2
work=$build/consumer
rm -rf "$work"
cmake --install "$build" --prefix "$work/prefix" >/dev/null

cmake -S "$src/tests/consumer" -B "$work/cmake" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-i686.cmake" \
  -DCMAKE_PREFIX_PATH="$work/prefix" >/dev/null
cmake --build "$work/cmake" >/dev/null

export PKG_CONFIG_PATH=$work/prefix/lib/pkgconfig
export PKG_CONFIG_LIBDIR=$PKG_CONFIG_PATH
# shellcheck disable=SC2046
i686-w64-mingw32-g++-posix -static -o "$work/consumer-pc.exe" "$src/tests/consumer/consumer.cpp" \
  $(pkg-config --cflags --libs kanvo-mouse kanvo-keyboard)

export KANVO_UNMANAGED=1
for exe in "$work/cmake/consumer.exe" "$work/consumer-pc.exe"; do
  out=$("$src/scripts/wine-run" "$exe")
  out=${out//$'\r'/}  # the Windows console ends lines with CR LF
  echo "$exe: $out"
  [ "$out" = "consumer ok" ]
done
