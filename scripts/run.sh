#!/usr/bin/env bash
# The main job: installs, builds, starts the plate emulator (one plate, 100 Hz) and the
# monitor that receives it through libPladex. Ctrl-C stops both.
# Options after the script name go to pladex-monitor (e.g. --seconds 10, --json).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh

bin=build/bin
"$bin/plate-sim" --plates 1 --rate 100 &
sim=$!
trap 'kill "$sim" 2>/dev/null || true; wait "$sim" 2>/dev/null || true' EXIT INT TERM
"$bin/pladex-monitor" "$@"
