#!/usr/bin/env bash
# Where the window keeps its profiles, started as the desktop menu starts it
# (the Exec line of the desktop entry, from the home folder) and as a user
# starts it from a terminal. Each case starts the program with a fresh home
# folder, waits for the profile file it makes on first use, and checks that
# no other profile file appeared.
#
#   desktop_entry_test.sh QUILLMAR DESKTOP_FILE
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 QUILLMAR DESKTOP_FILE" >&2; exit 2; }
quillmar=$1
tmp=$(mktemp -d "${TMPDIR:-/tmp}/quillmar-desktop.XXXXXX")
pid=""
trap '[ -z "$pid" ] || kill -9 "$pid" 2>/dev/null || true; rm -rf "$tmp"' EXIT

# The Exec line without field codes; the program name becomes the build's.
read -r -a exec_args <<<"$(sed -n 's/^Exec=//p' "$2" | sed -E 's/ %[fFuUick]//g')"
[ "${exec_args[0]}" = quillmar ] || { echo "FAIL: Exec starts ${exec_args[0]}, not quillmar" >&2; exit 1; }
failures=()

# start CASE XDG_CONFIG_HOME WORKDIR EXPECTED [ARGS...]: paths relative to the
# case's home folder; "-" leaves XDG_CONFIG_HOME unset.
start() {
  local name=$1 xdg=$2 home=$tmp/$1/home expected=$4
  mkdir -p "$home/$3" && mkdir -m 0700 "$tmp/$name/runtime"
  local env_args=(env -u XDG_CONFIG_HOME HOME="$home" XDG_RUNTIME_DIR="$tmp/$name/runtime" QT_QPA_PLATFORM=offscreen)
  [ "$xdg" = - ] || env_args+=(XDG_CONFIG_HOME="$xdg")
  (cd "$home/$3" && exec "${env_args[@]}" "$quillmar" "${@:5}") >"$tmp/$name/output" 2>&1 &
  pid=$!
  for _ in $(seq 200); do [ -s "$home/$expected" ] || ! kill -0 "$pid" 2>/dev/null && break; sleep 0.05; done
  kill -9 "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  pid=""
  grep -q '^\[profile-default\]' "$home/$expected" 2>/dev/null ||
    { failures+=("$name: no profile file $expected; output: $(head -c 300 "$tmp/$name/output")"); return; }
  local others
  others=$(cd "$home" && find . -name cfg.ini ! -path "./$expected")
  [ -z "$others" ] || failures+=("$name: stray profile files: $others")
}

start desktop-default - . .config/quillmar/cfg.ini "${exec_args[@]:1}"
start desktop-xdg "$tmp/desktop-xdg/home/xdg" . xdg/quillmar/cfg.ini "${exec_args[@]:1}"
# A relative XDG_CONFIG_HOME is not a valid one and is ignored.
start desktop-relative-xdg relative . .config/quillmar/cfg.ini "${exec_args[@]:1}"
start terminal - work work/cfg.ini
start terminal-config - conf conf/my.ini --config my.ini

# Two profile files at once is a refused command line.
status=0
env QT_QPA_PLATFORM=offscreen HOME="$tmp" "$quillmar" --config "$tmp/a.ini" --user-config >/dev/null 2>&1 || status=$?
[ "$status" = 2 ] || failures+=("--config with --user-config: status $status, not 2")

[ ${#failures[@]} -eq 0 ] || { printf 'FAIL: %s\n' "${failures[@]}" >&2; exit 1; }
echo "profile files land where expected in every case"
