#!/usr/bin/env bash
# Runs one end-to-end case of texglobe (texglobe_e2e.py CASE EXE) on a screen
# of its own: a private Xvfb with its own Wine server, in a copy of the
# project's prefix kept for these cases. No other test's window can then
# cover the globe or take its input, and these windows cover no other test's.
# The no_window case gets a screen too small for the 640 x 480 window.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/env.sh"
kanvo_private_prefix "$KANVO_BUILD/wineprefix-texglobe"
screen=1024x768x24
[ "${1:-}" = no_window ] && screen=320x240x24
unset DISPLAY
kanvo_start_xvfb "$screen"
trap 'wineserver -k 2>/dev/null || true; kill $KANVO_XVFB_PID 2>/dev/null || true' EXIT
python3 "$here/texglobe_e2e.py" "$@"
