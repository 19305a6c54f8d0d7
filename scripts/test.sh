#!/usr/bin/env bash
# Installs, builds and runs the whole test suite under a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
xvfb-run -a ctest --test-dir build --output-on-failure -j"$(nproc)" --timeout 600
