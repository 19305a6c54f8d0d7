#!/usr/bin/env bash
# "文件(&F)" → "退出(&E)" ends the running program with exit code 0, also while the
# plate emulator streams into it. Runs on a virtual display and in folders of its own
# (run_in_own_folders: TESSALY_TEST_PORT is the program's plate port).
set -u
program=$1
simulator=$2
"$simulator" --rate 100 --port "$TESSALY_TEST_PORT" >/dev/null 2>&1 &
sim=$!
"$program" >/dev/null 2>&1 &
app=$!
trap 'kill "$sim" "$app" 2>/dev/null' EXIT

for _ in $(seq 100); do
  window=$(xdotool search --name "VELTRIX Tessaly" 2>/dev/null | head -n 1)
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "${window:-}" ] || { echo "no main window"; exit 1; }
# On a loaded machine the menu may open late: try the keys a few times, closing a menu that
# opened too late before the next try.
for _ in 1 2 3 4; do
  sleep 1
  xdotool windowfocus --sync "$window" 2>/dev/null
  xdotool key alt+f
  sleep 0.5
  xdotool key e
  for _ in $(seq 30); do
    kill -0 "$app" 2>/dev/null || break 2
    sleep 0.1
  done
  xdotool key Escape Escape
done
if kill -0 "$app" 2>/dev/null; then echo "still running after 退出"; exit 1; fi
wait "$app"
status=$?
echo "exit status $status"
[ "$status" -eq 0 ]
