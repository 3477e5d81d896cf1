#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once in the normal
# build and once under AddressSanitizer + UndefinedBehaviorSanitizer; then
# builds for Windows and runs those tests under Wine; checks layout and names,
# builds the Debian packages and checks them.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
jobs=$(nproc)
for preset in dev sanitize; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  ctest --preset "$preset" -j "$jobs"
done
# After dev: the Windows end-to-end test compares with its quillmar-cli.
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"
ctest --preset windows -j "$jobs"
./scripts/lint.sh build/dev
./scripts/package-test.sh
./scripts/fuzz.sh
