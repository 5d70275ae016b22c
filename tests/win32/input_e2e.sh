#!/usr/bin/env bash
# Drives input_probe with real input from xdotool and compares what the
# keyboard or mouse module reported. Arguments: the case (keys, combinations
# or mouse) and the probe.
set -euo pipefail
source "$(dirname "$0")/../../scripts/env.sh"
what=$1
probe=$2

work=$(mktemp -d)
xvfb=
# Other tests may share the Wine prefix: only the probe is ended here.
cleanup() {
  [ -n "${probe_pid:-}" ] && kill "$probe_pid" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ]; then
  kanvo_start_xvfb
  xvfb=$KANVO_XVFB_PID
fi

title="kanvo input $what $$"
mode=keys
[ "$what" = mouse ] && mode=mouse
wine "$probe" "$mode" "$title" >"$work/out" 2>"$work/err" &
probe_pid=$!

id=$(kanvo_wait_window "$title" 60) || { echo "no window"; cat "$work/err"; exit 1; }
for _ in $(seq 1 100); do
  grep -q '^ready' "$work/out" && break
  sleep 0.1
done
grep -q '^ready' "$work/out" || { echo "probe not ready"; cat "$work/out" "$work/err"; exit 1; }
xdotool windowfocus --sync "$id"
sleep 0.3

# Client pixel (x, y) is at the X window's origin plus (x, y).
read -r ox oy < <(xwininfo -id "$id" |
  awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF} END{print x, y}')

step() {
  "$@"
  sleep 0.3
}

# The system may report a move of its own when the window appears under the
# pointer: the pointer is parked in the window and what came before ignored.
step xdotool mousemove $((ox + 10)) $((oy + 10))
sleep 0.5
skip=$(wc -l <"$work/out")

if [ "$what" = keys ]; then
  for key in a shift+a ctrl+c Return Escape Left F1 alt+x alt+F4 q; do
    step xdotool key "$key"
  done
  # Alt+F4 only queues the close code; it neither closes the window nor
  # requests closing.
  expected="97 65 3 13 27 0 75 0 59 0 45 0 107 113|open 1 close 0"
elif [ "$what" = combinations ]; then
  # Control with Tab is the single byte 30; Control and Alt with a digit give
  # both pairs, the Control pair first.
  for key in ctrl+Tab shift+F1 ctrl+Left ctrl+alt+5 Pause alt+Return q; do
    step xdotool key "$key"
  done
  expected="30 0 84 0 115 0 5 0 124 0 12 0 166 113|open 1 close 0"
else
  sx=$((ox + 50)) sy=$((oy + 60))
  step xdotool mousemove "$sx" "$sy"
  for button in 1 3 2; do
    step xdotool mousedown "$button"
    step xdotool mouseup "$button"
  done
  step xdotool click 4
  step xdotool click 5
  step xdotool keydown shift
  step xdotool mousemove $((ox + 70)) $((oy + 80))
  step xdotool keyup shift
  step xdotool key q
  # Client positions, except for the wheel, which reports the screen's.
  expected="event 3 0 50 60 0|current 0 50 60"
  expected+="|event 1 1 50 60 0|current 1 50 60|event 2 0 50 60 0|current 0 50 60"
  expected+="|event 1 2 50 60 0|current 2 50 60|event 2 0 50 60 0|current 0 50 60"
  expected+="|event 1 4 50 60 0|current 4 50 60|event 2 0 50 60 0|current 0 50 60"
  expected+="|event 4 0 $sx $sy 120|current 0 $sx $sy|event 4 0 $sx $sy -120"
  expected+="|event 3 8 70 80 0|current 8 70 80"
  expected+="|open 1 close 0"
fi

for _ in $(seq 1 100); do
  kill -0 "$probe_pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$probe_pid" 2>/dev/null; then
  echo "the probe did not end; its output:"
  cat "$work/out"
  exit 1
fi
wait "$probe_pid" || { echo "probe failed"; cat "$work/err"; exit 1; }
probe_pid=

# Key bytes are one per line; they are compared as one line of numbers.
got=$(tail -n +$((skip + 1)) "$work/out" | tr -d '\r' |
  awk '/^[0-9]+$/{b = b (b == "" ? "" : " ") $0; next} {if (b != "") print b; b = ""; print}
       END{if (b != "") print b}' | paste -sd'|')
if [ "$got" != "$expected" ]; then
  echo "expected: $expected"
  echo "got:      $got"
  echo "full output:"
  cat "$work/out"
  exit 1
fi
echo "$what: ok"
