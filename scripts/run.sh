#!/usr/bin/env bash
# The main job: installs, builds, starts the plate emulator (one plate, 100 Hz) and Tessaly
# from its own directory; the emulator stops when the program ends.
# Without a display, both run under Xvfb: the device list is refreshed once and a screenshot
# of the screen is saved every 5 s to build/screenshots/tessaly.png.
# TESSALY_RUN_SECONDS=N ends the run after N seconds (default: when the program ends).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh

if [ -z "${DISPLAY:-}" ]; then
  mkdir -p build/screenshots
  exec xvfb-run -a -s "-screen 0 1920x1080x24" bash scripts/run-session.sh --headless
fi
exec bash scripts/run-session.sh
