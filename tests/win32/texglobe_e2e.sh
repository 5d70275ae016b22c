#!/usr/bin/env bash
# Runs one end-to-end case of texglobe (texglobe_e2e.py) with the project's
# Wine settings, on $DISPLAY or, without one, in a private Xvfb.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/env.sh"
if [ -z "${DISPLAY:-}" ]; then
  kanvo_start_xvfb
  trap 'kill $KANVO_XVFB_PID 2>/dev/null || true' EXIT
fi
python3 "$here/texglobe_e2e.py" "$@"
