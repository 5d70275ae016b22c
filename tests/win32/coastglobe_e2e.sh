#!/usr/bin/env bash
# coastglobe end to end with real keys: the globe appears, Left, Up and A
# change the picture, every screenshot shows a whole frame, Esc ends the
# program with exit code 0. Argument: the program's .exe.
#
# Runs on a screen of its own: a private Xvfb with its own Wine server, in a
# copy of the project's prefix, so no other test's window covers the globe or
# takes its keys.
set -euo pipefail
exe=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/env.sh"
kanvo_private_prefix "$KANVO_BUILD/wineprefix-coastglobe"
work=$(mktemp -d)
pid=""
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
  wineserver -k 2>/dev/null || true
  kill "$KANVO_XVFB_PID" 2>/dev/null || true
}
unset DISPLAY
kanvo_start_xvfb 1024x768x24
trap cleanup EXIT

cd "$work"
wine "$exe" >stdout.txt 2>stderr.txt &
pid=$!
id=$(kanvo_wait_window "ZIDIZE ROVAVOVAZ" 30) || { echo "FAIL: no window"; exit 1; }
xdotool windowfocus "$id"
sleep 1

shot() { kanvo_client_shot "$id" "$work/$1.png"; }
# coastglobe_shot_check.py: "frame SHOT" checks a whole start frame,
# "differs A B" that two shots differ.
check() { python3 "$here/coastglobe_shot_check.py" "$@"; }
failures=0
expect() { if ! "$@"; then echo "FAIL: $*"; failures=$((failures + 1)); fi; }

# The start frame, shot again and again while the program redraws it: the
# flip shows only finished frames.
for n in $(seq 1 15); do
  shot "start$n"
  expect check frame "$work/start$n.png"
  sleep 0.1
done

hold() {
  xdotool keydown "$1"
  sleep 0.4
  xdotool keyup "$1"
  sleep 0.3
}
previous=start15
for key in Left Up a; do
  hold "$key"
  shot "after-$key"
  expect check differs "$work/$previous.png" "$work/after-$key.png"
  previous=after-$key
done

xdotool keydown Escape
sleep 0.5
xdotool keyup Escape
rc=""
for i in $(seq 1 200); do
  if ! kill -0 "$pid" 2>/dev/null; then
    rc=0
    wait "$pid" || rc=$?
    break
  fi
  sleep 0.1
done
pid_done=$pid
pid=""
if [ -z "$rc" ]; then
  echo "FAIL: Esc did not end the program"
  kill "$pid_done" 2>/dev/null || true
  failures=$((failures + 1))
elif [ "$rc" != 0 ]; then
  echo "FAIL: exit code $rc"
  failures=$((failures + 1))
fi
if [ -s stdout.txt ]; then
  echo "FAIL: the program printed:"
  cat stdout.txt
  failures=$((failures + 1))
fi
[ "$failures" = 0 ] && echo "coastglobe end to end: passed"
exit $((failures > 0))
