#!/usr/bin/env bash
# Builds the program and saves pictures of its window (each tab, the About
# box, the new-profile dialog) under a virtual X server.
#   scripts/screenshots.sh [OUTPUT_DIR] [--card DIR ...]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="${1:-$root/build/screenshots}"
[ $# -gt 0 ] && shift
cmake -S "$root" --preset dev >/dev/null
cmake --build "$root/build/dev" --target quillmar-screenshots -j 2 >/dev/null
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# An empty working folder, as at a first start.
cd "$work"
xvfb-run -a -s "-screen 0 1600x1000x24" "$root/build/dev/tools/quillmar-screenshots" "$out" "$@"
