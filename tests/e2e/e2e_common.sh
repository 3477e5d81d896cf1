# Helpers shared by the end-to-end scripts; sourced, not run.

started_ms=$(( $(date +%s%N) / 1000000 ))
step="checking the tools"
# Names the step the test is at, with the seconds since its start.
step() {
  step=$1
  local ms=$(( $(date +%s%N) / 1000000 - started_ms ))
  printf '%3d.%01ds  %s\n' $(( ms / 1000 )) $(( ms % 1000 / 100 )) "$step"
}

# Ends the test naming the step it was at; with a display, keeps a screenshot.
fail() {
  echo "FAILED while: $step" >&2
  printf '  %s\n' "$@" >&2
  [ -n "${DISPLAY:-}" ] && [ -n "${log_dir:-}" ] && timeout 10 import -window root "$log_dir/failure.png" 2>/dev/null &&
    echo "  screen: $log_dir/failure.png" >&2
  exit 1
}

# Stops `pid` politely, then for sure, and reaps it.
stop_process() {
  local pid=$1
  [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null || return 0
  kill "$pid" 2>/dev/null || true
  for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
}
