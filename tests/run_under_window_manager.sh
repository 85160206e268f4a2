#!/usr/bin/env bash
# Runs a program on a virtual display with a window manager, as people have
# one: Xvfb of the given size, openbox managing it, then the program; stops
# both afterwards and ends with the program's exit code.
#
#   run_under_window_manager.sh WIDTHxHEIGHTxDEPTH program [arguments...]
set -u

if [ $# -lt 2 ]; then
  echo "usage: $0 WIDTHxHEIGHTxDEPTH program [arguments...]" >&2
  exit 2
fi
size=$1
shift

work=$(mktemp -d)
xvfb_pid=
wm_pid=
stop_pair() {
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null && wait "$wm_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  wm_pid=
  xvfb_pid=
}
stop() {
  stop_pair
  rm -rf "$work"
}
trap stop EXIT

# Xvfb picks a free display itself and writes its number; openbox with its
# built-in settings, whatever the user's own are, is ready once it names
# itself on the root window. With several of these started at once a display
# can be gone again before openbox reaches it, so the pair is tried afresh.
start_pair() {
  rm -f "$work/display"
  Xvfb -displayfd 3 -screen 0 "$size" -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  xvfb_pid=$!
  for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  if [ ! -s "$work/display" ]; then
    echo "Xvfb did not start:" >&2
    cat "$work/xvfb.log" >&2
    return 1
  fi
  export DISPLAY=":$(head -n1 "$work/display")"
  XDG_CONFIG_HOME="$work/config" openbox --sm-disable >"$work/openbox.log" 2>&1 &
  wm_pid=$!
  for _ in $(seq 100); do
    if xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; then
      # It names itself early in its start; a moment more for the rest of it.
      sleep 0.3
      return 0
    fi
    kill -0 "$wm_pid" 2>/dev/null || break
    sleep 0.1
  done
  echo "openbox did not start:" >&2
  cat "$work/openbox.log" >&2
  return 1
}

# Starts a fresh display and window manager, then runs the program on it.
run_once() {
  local started=
  for attempt in 1 2 3; do
    if start_pair; then
      started=1
      break
    fi
    stop_pair
    sleep 0.5
  done
  [ -n "$started" ] || return 1
  "$@"
}

# The window manager frames and places windows on its own time; on a loaded
# machine it may not have done so within a test's wait. A program that fails
# is run once more on a fresh display, and says so: a real fault fails both.
run_once "$@"
rc=$?
if [ $rc -ne 0 ]; then
  echo "run_under_window_manager: the first run failed ($rc); once more on a fresh display" >&2
  stop_pair
  run_once "$@"
  rc=$?
fi
exit $rc
