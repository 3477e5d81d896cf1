#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
cmake -S "$root" --preset dev >/dev/null
cmake --build "$root/build/dev" -j "$(nproc)" --target quillmar
exec "$root/build/dev/src/ui/quillmar" "$@"
