#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once in the normal
# build and once under AddressSanitizer + UndefinedBehaviorSanitizer; then
# builds for Windows and runs those tests under Wine; checks layout and names,
# builds the Debian packages and checks them. The lint runs beside the
# sanitizer's tests, which mostly wait on other processes; its output follows
# theirs.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
jobs=$(nproc)
lint_log=$(mktemp)
trap 'rm -f "$lint_log"' EXIT
for preset in dev sanitize; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  [ "$preset" = dev ] || { ./scripts/lint.sh build/dev >"$lint_log" 2>&1 & lint_pid=$!; }
  ctest --preset "$preset" -j "$jobs"
done
# After dev: the Windows end-to-end test compares with its quillmar-cli.
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"
ctest --preset windows -j "$jobs"
lint_status=0
wait "$lint_pid" || lint_status=$?
cat "$lint_log"
[ "$lint_status" -eq 0 ] || exit "$lint_status"
./scripts/package-test.sh
./scripts/fuzz.sh
