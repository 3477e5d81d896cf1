#!/usr/bin/env bash
# Builds and runs every benchmark. The start-up benchmark shows real windows,
# so it runs under a virtual X server; the others need no display.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev -j "$(nproc)"
for b in bench_camera_conf bench_profile_store bench_cards; do
  "build/dev/bench/$b"
done
QT_QPA_PLATFORM=offscreen build/dev/bench/bench_set
xvfb-run -a -s "-screen 0 1600x1000x24" build/dev/bench/bench_startup
