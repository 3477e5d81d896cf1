#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time
# (FUZZ_SECONDS, default 15), starting from the saved corpus. An input that
# crashes is kept in build/fuzz/artifacts/ and fails the run; copy it to
# fuzz/regressions/<target>/ so every later build replays it.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-15}
cmake --preset fuzz >/dev/null
targets=()
for corpus in fuzz/corpus/*/; do targets+=("fuzz_$(basename "$corpus")"); done
cmake --build --preset fuzz -j "$(nproc)" --target "${targets[@]}"
mkdir -p build/fuzz/artifacts
for corpus in fuzz/corpus/*/; do
  name=$(basename "$corpus")
  work="build/fuzz/corpus/$name"
  mkdir -p "$work"
  echo "fuzzing $name for ${seconds}s"
  "build/fuzz/fuzz/fuzz_$name" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="build/fuzz/artifacts/$name-" "$work" "$corpus" "fuzz/regressions/$name" 2>&1 | tail -n 12
done
