# Shared settings of the project's scripts; sourced, not run.
KANVO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
KANVO_BUILD=${KANVO_BUILD:-$KANVO_ROOT/build}
export WINEPREFIX=$KANVO_BUILD/wineprefix
export WINEARCH=win32
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko download prompts: the programs need neither.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

# Starts a private Xvfb on a free display and exports DISPLAY; KANVO_XVFB_PID
# holds its process id. Screen size from $1 (default 1024x768x24).
kanvo_start_xvfb() {
  local screen=${1:-1024x768x24} n
  for n in $(seq 90 199); do
    [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] && continue
    Xvfb ":$n" -screen 0 "$screen" -nolisten tcp +extension GLX >/dev/null 2>&1 &
    KANVO_XVFB_PID=$!
    local i
    for i in $(seq 1 100); do
      if [ -e /tmp/.X11-unix/X$n ]; then export DISPLAY=":$n"; return 0; fi
      kill -0 "$KANVO_XVFB_PID" 2>/dev/null || break
      sleep 0.05
    done
    kill "$KANVO_XVFB_PID" 2>/dev/null || true
  done
  echo "could not start Xvfb" >&2
  return 1
}

# Waits (up to $2 seconds, default 20) for a window titled $1 to be mapped on
# $DISPLAY and prints its X window id.
kanvo_wait_window() {
  local title=$1 limit=${2:-20} id i
  for i in $(seq 1 $((limit * 10))); do
    id=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n 1 || true)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.1
  done
  return 1
}

# Saves the client area of X window $1 as the PNG file $2. The X window of a
# Wine window is its client area, so its geometry is the crop of the root.
kanvo_client_shot() {
  local id=$1 out=$2 geo
  geo=$(xwininfo -id "$id" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF} /Width:/{w=$NF} /Height:/{h=$NF} END{print w "x" h "+" x "+" y}')
  import -window root -crop "$geo" +repage "$out"
}

# Points WINEPREFIX at a copy of the current prefix named $1, made (or made
# again, when the prefix it copies has changed) under a lock so that tests
# running side by side copy it once. A copy has a Wine server of its own, so
# it can serve a screen of its own.
kanvo_private_prefix() {
  local base=$WINEPREFIX copy=$1
  (
    flock 9
    if ! cmp -s "$base/.kanvo-ready" "$copy/.kanvo-ready"; then
      rm -rf "$copy"
      cp -a "$base" "$copy"
    fi
  ) 9>"$KANVO_BUILD/.prefix-copy.lock"
  export WINEPREFIX=$copy
}
