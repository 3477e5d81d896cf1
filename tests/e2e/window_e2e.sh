#!/usr/bin/env bash
# The built window under a virtual X server, driven from outside with real
# clicks and keys: settings on three pages, "Set" with the clock line, the
# clock unticked and "Set" again, Escape and Enter on the window, Ctrl+Q. Then a 1366 x 768 screen with a panel:
# the window fits the work area and scrolls. What the window says (the
# status line, error boxes) is checked by the tests in tests/ui.
#
#   window_e2e.sh QUILLMAR LAYOUT_TOOL QUILLMAR_CLI LOG_DIR
#
# Where to click comes from LAYOUT_TOOL, which builds the same window on the
# same display and prints the controls' rectangles. Every wait is for a
# condition, with a deadline. As root, the program runs as user 65534.
set -eEuo pipefail
[ $# -eq 4 ] || { echo "usage: $0 QUILLMAR LAYOUT_TOOL QUILLMAR_CLI LOG_DIR" >&2; exit 2; }
log_dir=$4 xvfb_pid="" watched="" program=${1##*/} layout_tool=${2##*/}
cleanup() {
  stop_process "$watched"
  stop_process "$xvfb_pid"
  chmod -R u+rwx "$tmp" 2>/dev/null || true
}
. "$(dirname "$0")/e2e_common.sh"
need Xvfb xdotool xprop setpriv timeout cmp
chmod 0755 "$tmp"
run_as=(setpriv --pdeathsig KILL)
[ "$(id -u)" -ne 0 ] || run_as+=(--reuid=65534 --regid=65534 --clear-groups)
work="$tmp/work" card="$tmp/CAMERA_SD"
mkdir -p "$work" "$card" "$tmp/home" "$tmp/layout" "$tmp/bin" && mkdir -m 0700 "$tmp/runtime"
# Copies the user can reach whatever the permissions along the build path.
cp "$1" "$2" "$tmp/bin" && chmod -R a+rX "$tmp/bin"
[ "$(id -u)" -ne 0 ] || chown -R 65534:65534 "$work" "$card" "$tmp/home" "$tmp/runtime" "$tmp/layout"

xdo() { timeout 10 xdotool "$@"; }
has_window() { window=$(xdo search --onlyvisible --name "$1" 2>/dev/null | head -n 1) && [ -n "$window" ]; }
wait_for_window() { wait_until 30 has_window "$1" || fail "no window titled $1 appeared within 30 s"; }

# start_screen WxH WORK_HEIGHT: a new X server whose work area leaves out
# a panel at the bottom, as a desktop announces it; measures the layout.
start_screen() {
  stop_process "$xvfb_pid"
  rm -f "$tmp/display"
  setpriv --pdeathsig TERM Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp -noreset \
    3>"$tmp/display" >>"$log_dir/xvfb.log" 2>&1 &
  xvfb_pid=$!
  display_reported() { grep -qx '[0-9][0-9]*' "$tmp/display" 2>/dev/null; }
  wait_until 20 display_reported || fail "Xvfb did not start; see $log_dir/xvfb.log"
  export DISPLAY=":$(cat "$tmp/display")"
  publish() { xprop -root -f _NET_WORKAREA 32c -set _NET_WORKAREA "0, 0, ${1%x*}, $2" 2>/dev/null; }
  wait_until 10 publish "$1" "$2" || fail "cannot publish the work area"
  user_env=(env -i PATH=/usr/bin:/bin LANG=C.UTF-8 HOME="$tmp/home" XDG_RUNTIME_DIR="$tmp/runtime"
    DISPLAY="$DISPLAY" QT_QPA_PLATFORM=xcb ${TZ:+TZ="$TZ"} ASAN_OPTIONS="${ASAN_OPTIONS:-}"
    UBSAN_OPTIONS="${UBSAN_OPTIONS:-}" LSAN_OPTIONS="${LSAN_OPTIONS:-}")
  layout="$log_dir/layout-$1.txt"
  (cd "$tmp/layout" && timeout 60 "${run_as[@]}" "${user_env[@]}" "$tmp/bin/$layout_tool" \
    --card "$card" --config "$tmp/layout/cfg.ini") >"$layout" 2>"$log_dir/layout.log" ||
    fail "the layout tool failed; see $log_dir/layout.log"
}
start_quillmar() {
  (cd "$work" && exec "${run_as[@]}" "${user_env[@]}" "$tmp/bin/$program" --card "$card") >>"$log_dir/quillmar.log" 2>&1 &
  watched=$!
  wait_for_window '^TORVEX$'
}
# placed TEST: the window's geometry, once TEST holds for it.
placed() { eval "$(xdo getwindowgeometry --shell "$window")" && eval "$1"; }
# click SCOPE ID: a left click where a user clicks the control. The server
# handles the move before the click; no --sync, which waits for a motion.
click() {
  local x y
  read -r x y < <(awk -v s="$1" -v i="$2" '$1 == s && $2 == i { print $7, $8; exit }' "$layout") || true
  [ -n "${y:-}" ] || fail "the layout has no control $1 $2"
  xdo mousemove $(( X + x )) $(( Y + y )) click 1
}
# Video "Fine", Image "Cloudy", Photo burst "3 P", which locks auto-shoot
# off: camera.conf as the command-line tool writes it without a clock line.
(cd "$tmp" && "$3" print --no-sync-clock --set video_quality=fine --set image_wb=cloudy --set photo_burst=3p) \
  >"$tmp/expected.conf"

step "starting the window on a 1600x1000 screen"
start_screen 1600x1000 1000
read -r _ _ _ _ layout_w layout_h _ < <(grep '^window ' "$layout") || fail "the layout has no window line"
start_quillmar
wait_until 20 placed '[ "$WIDTH.$HEIGHT" = "$layout_w.$layout_h" ]' ||
  fail "the window is ${WIDTH:-?}x${HEIGHT:-?}, the layout tool measured ${layout_w}x$layout_h"

step "choosing the card, Fine, Cloudy and 3 P, then \"Set\" with the clock"
click card "$(awk '$1 == "card" { print $2; exit }' "$layout")"  # the row showing $card
click tab 1; click video 1013
click tab 4; click image 1055
click tab 2; click photo 1091
click main 1006
conf_with_clock() {
  head -n -1 "$card/camera.conf" >"$tmp/head.conf" 2>/dev/null && cmp -s "$tmp/expected.conf" "$tmp/head.conf" &&
    [[ $(tail -n 1 "$card/camera.conf") =~ ^sync_clock=([0-9-]{10}\ [0-9:]{8})$'\r'$ ]]
}
wait_until 10 conf_with_clock || fail "camera.conf is not the settings and a clock line:" "$(cat -A "$card/camera.conf")"
skew=$(( $(date +%s) - $(date -d "${BASH_REMATCH[1]}" +%s) ))
[ "${skew#-}" -le 120 ] || fail "the clock line is $skew s away from the local time"

step "unticking the clock; \"Set\" again"
rm "$card/camera.conf"
click tab 3; click system 1061
click main 1006
wait_until 10 cmp -s "$tmp/expected.conf" "$card/camera.conf" || fail "camera.conf:" "$(cat -A "$card/camera.conf")"

step "Escape and Enter leave the window open"
rm "$card/camera.conf"
xdo windowfocus --sync "$window" key Escape Return KP_Enter Escape
# Handled in order: a "Set" clicked after the keys is done by a live window.
click main 1006
wait_until 10 test -e "$card/camera.conf" || fail "no window did \"Set\" after Escape and Enter"

step "Ctrl+Q ends the program with status 0"
xdo windowfocus --sync "$window" key ctrl+q
closing=$watched watched=""
wait_until 20 ended "$closing" || fail "quillmar did not end on Ctrl+Q"
wait "$closing" || fail "quillmar ended with status $?; see $log_dir/quillmar.log"

step "a 1366x768 screen with a 40-pixel panel: the window fits and scrolls"
start_screen 1366x768 728
grep -q '^scroll ' "$layout" || fail "the window does not scroll on a screen smaller than it"
start_quillmar
inside() { [ "$X" -ge 0 ] && [ "$Y" -ge 0 ] && [ $(( X + WIDTH )) -le 1366 ] && [ $(( Y + HEIGHT )) -le 728 ]; }
wait_until 20 placed inside || fail "the window (${WIDTH:-?}x${HEIGHT:-?} at ${X:-?},${Y:-?}) is not inside the work area"
step "passed"
