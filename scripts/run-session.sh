#!/usr/bin/env bash
# One session of the emulator and the program, on the current display (see run.sh).
set -euo pipefail
cd "$(dirname "$0")/../build/bin"
screenshot=../screenshots/tessaly.png

# On first start, a few sample recordings so that the data file browser has something to open
# (in the user's data folder, see README "Where the data lives").
data="${XDG_DATA_HOME:-$HOME/.local/share}/tessaly/recordings"
[ -e portable ] && data=Resources/data
if ! find "$data" -name '*.raw' -print -quit 2>/dev/null | grep -q .; then
  (umask 077 && mkdir -p "$data")
  ./plate-sim --write-raw "$data/sample_eyes_open_10s.raw" --seconds 10 --rate 200 --mode open
  ./plate-sim --write-raw "$data/sample_eyes_closed_10s.raw" --seconds 10 --rate 200 --mode closed
  ./plate-sim --write-raw "$data/sample_eyes_open_30s.raw" --seconds 30 --rate 200 --mode open
fi

./plate-sim --plates 1 --rate 100 &
sim=$!
./Tessaly &
app=$!
stop() { kill "$app" "$sim" 2>/dev/null || true; wait "$app" "$sim" 2>/dev/null || true; }
trap stop EXIT INT TERM

if [ "${TESSALY_RUN_SECONDS:-}" ]; then
  (sleep "$TESSALY_RUN_SECONDS"; kill "$app" 2>/dev/null || true) &
fi

if [ "${1:-}" = "--headless" ]; then
  # Nobody can click on a virtual screen: press "发现与刷新" once the window is up.
  for _ in $(seq 50); do
    window=$(xdotool search --name "VELTRIX Tessaly" 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    sleep 0.2
  done
  sleep 1
  [ -n "${window:-}" ] && xdotool mousemove --window "$window" 128 194 click 1
  echo "screenshots every 5 s: build/screenshots/tessaly.png"
  while sleep 5 && kill -0 "$app" 2>/dev/null; do
    import -window root "$screenshot.tmp.png" 2>/dev/null && mv "$screenshot.tmp.png" "$screenshot"
  done
fi
wait "$app" || true
