# Helpers shared by the end-to-end scripts; sourced, not run. The caller
# sets log_dir before sourcing; this makes it fresh, and $tmp, removed at
# exit after the caller's `cleanup` (define one, even an empty one).

step="checking the tools"
# Names the step the test is at, with the time.
step() { step=$1; echo "$(date +%T)  $step"; }
# Ends the test naming the step it was at.
fail() { echo "FAILED while: $step" >&2; printf '  %s\n' "$@" >&2; exit 1; }
trap 'fail "unexpected failure (status $?) of: $BASH_COMMAND"' ERR

need() { for t in "$@"; do command -v "$t" >/dev/null || fail "$t is missing; scripts/install-deps.sh installs it"; done; }

# wait_until SECONDS COMMAND...: true once COMMAND succeeds, false at the end.
# A caller's `watched` pid that ends meanwhile fails the test.
wait_until() {
  local deadline=$(( $(date +%s) + $1 ))
  shift
  until "$@"; do
    [ "$(date +%s)" -lt "$deadline" ] || return 1
    [ -z "${watched:-}" ] || kill -0 "$watched" 2>/dev/null || fail "process $watched ended; see $log_dir"
    sleep 0.05
  done
}

# ended PID: the process is gone or a zombie waiting to be reaped.
ended() { ! kill -0 "$1" 2>/dev/null || grep -q '^State:.*Z' "/proc/$1/status" 2>/dev/null; }
# Stops `pid` politely, then for sure, and reaps it.
stop_process() {
  local watched=""
  [ -n "$1" ] && ! ended "$1" || return 0
  kill "$1" 2>/dev/null || true
  wait_until 5 ended "$1" || kill -9 "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}

rm -rf "$log_dir"
mkdir -p "$log_dir"
tmp=$(mktemp -d "${TMPDIR:-/tmp}/quillmar-e2e.XXXXXX")
trap 'trap - ERR; cleanup; rm -rf "$tmp"' EXIT
trap 'exit 130' INT TERM HUP
