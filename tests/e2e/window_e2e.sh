#!/usr/bin/env bash
# The built window under a virtual X server, driven from outside with real
# clicks and keys: settings on three pages, "Set" with the clock line, a new
# profile named in its dialog and confirmed with Enter, "Set" again, Escape
# and Enter on the window, Ctrl+Q. Then a 1366 x 768 screen with a panel:
# the window fits the work area and scrolls. What the window says (the
# status line, error boxes) is checked by the tests in tests/ui.
#
#   window_e2e.sh QUILLMAR LAYOUT_TOOL LOG_DIR
#
# Where to click comes from LAYOUT_TOOL, which builds the same window on the
# same display and prints the controls' rectangles. Every wait is for a
# condition, with a deadline. As root, the program runs as user 65534.
set -eEuo pipefail
[ $# -eq 3 ] || { echo "usage: $0 QUILLMAR LAYOUT_TOOL LOG_DIR" >&2; exit 2; }
log_dir=$3
. "$(dirname "$0")/e2e_common.sh"
trap 'fail "unexpected failure (status $?) of: $BASH_COMMAND"' ERR
for tool in Xvfb xdotool xprop setpriv timeout cmp; do
  command -v "$tool" >/dev/null || fail "$tool is missing; scripts/install-deps.sh installs it"
done

rm -rf "$log_dir"
mkdir -p "$log_dir"
tmp=$(mktemp -d "${TMPDIR:-/tmp}/quillmar-e2e.XXXXXX")
chmod 0755 "$tmp"
xvfb_pid="" quillmar_pid=""
cleanup() {
  trap - ERR
  stop_process "$quillmar_pid"
  stop_process "$xvfb_pid"
  chmod -R u+rwx "$tmp" 2>/dev/null || true
  rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

run_as=(setpriv --pdeathsig KILL)
[ "$(id -u)" -ne 0 ] || run_as+=(--reuid=65534 --regid=65534 --clear-groups)
work="$tmp/work" card="$tmp/CAMERA_SD"
mkdir -p "$work" "$card" "$tmp/home" "$tmp/runtime" "$tmp/layout" "$tmp/bin"
chmod 0700 "$tmp/runtime"
# Copies the user can reach whatever the permissions along the build path.
cp "$1" "$tmp/bin/quillmar"
cp "$2" "$tmp/bin/quillmar-window-layout"
chmod -R a+rX "$tmp/bin"
[ "$(id -u)" -ne 0 ] || chown -R 65534:65534 "$work" "$card" "$tmp/home" "$tmp/runtime" "$tmp/layout"

# wait_until SECONDS COMMAND...: true once COMMAND succeeds, false at the end.
wait_until() {
  local deadline=$(( $(date +%s) + $1 ))
  shift
  until "$@"; do
    [ "$(date +%s)" -lt "$deadline" ] || return 1
    [ -z "$quillmar_pid" ] || kill -0 "$quillmar_pid" 2>/dev/null || fail "quillmar ended; see $log_dir/quillmar.log"
    sleep 0.1
  done
}
xdo() { timeout 10 xdotool "$@"; }
visible_window() { xdo search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true; }
has_window() { [ -n "$(visible_window "$1")" ]; }
no_window() { ! has_window "$1"; }
wait_for_window() {
  wait_until 30 has_window "$1" || fail "no window titled $1 appeared within 30 s"
  window=$(visible_window "$1")
}
same_bytes() { cmp -s "$1" "$2"; }
expect_file() {
  wait_until 10 same_bytes "$1" "$2" ||
    fail "$3 is not as expected:" "$(diff <(cat -A "$1") <(cat -A "$2" 2>/dev/null) || true)"
}

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
  DISPLAY=":$(cat "$tmp/display")"
  export DISPLAY
  screen_w=${1%x*} work_h=$2
  publish() { xprop -root -f _NET_WORKAREA 32c -set _NET_WORKAREA "0, 0, $screen_w, $work_h" 2>/dev/null; }
  wait_until 10 publish || fail "cannot publish the work area"
  user_env=(env -i PATH=/usr/bin:/bin LANG=C.UTF-8 HOME="$tmp/home" XDG_RUNTIME_DIR="$tmp/runtime"
    DISPLAY="$DISPLAY" QT_QPA_PLATFORM=xcb ${TZ:+TZ="$TZ"} ASAN_OPTIONS="${ASAN_OPTIONS:-}"
    UBSAN_OPTIONS="${UBSAN_OPTIONS:-}" LSAN_OPTIONS="${LSAN_OPTIONS:-}")
  layout="$log_dir/layout-$1.txt"
  (cd "$tmp/layout" && timeout 60 "${run_as[@]}" "${user_env[@]}" "$tmp/bin/quillmar-window-layout" \
    --card "$card" --config "$tmp/layout/cfg.ini") >"$layout" 2>"$log_dir/layout.log" ||
    fail "the layout tool failed; see $log_dir/layout.log"
}
start_quillmar() {
  (cd "$work" && exec "${run_as[@]}" "${user_env[@]}" "$tmp/bin/quillmar" --card "$card") \
    >>"$log_dir/quillmar.log" 2>&1 &
  quillmar_pid=$!
  wait_for_window '^TORVEX$'
  main_window=$window
}
# placed TEST: the window's geometry, once TEST holds for it.
placed() { eval "$(xdo getwindowgeometry --shell "$main_window")" && eval "$1"; }
# click SCOPE ID: a left click where a user clicks the control. The server
# handles the move before the click; no --sync, which waits for a motion.
click() {
  local x y
  read -r x y < <(awk -v s="$1" -v i="$2" '$1 == s && $2 == i { print $7, $8; exit }' "$layout") || true
  [ -n "${y:-}" ] || fail "the layout has no control $1 $2"
  xdo mousemove $(( X + x )) $(( Y + y )) click 1
}

# --- what the files must hold ---------------------------------------------------

crlf() { sed 's/$/\r/'; }
override() {
  local edits=() pair
  for pair in "$@"; do edits+=(-e "s/^${pair%%=*}=.*/$pair/"); done
  sed "${edits[@]}"
}
default_conf() {
  printf '%s\n' enable_cfg=true "mode_1=1920x1080p 60" "mode_2=1280x720p 120" mode_3=16M video_quality=sfine \
    fov=wide timelapse=off video_stamp=off mic_vol=80% auto_rec=off loop_rec=off rec_beep=off image_meter=center \
    image_iso=auto image_wb=auto image_ev=0.0 image_sharpness=3 photo_quality=sfine photo_stamp=off auto_shoot=3s \
    photo_burst=off image_rotate=normal tvmode=ntsc lightfreq=60Hz auto_shutdown=3Min datefmt=ymd osd=on \
    op_beep=on format=false
}
# A profile: no enable_cfg, auto_shoot before photo_stamp, the clock after photo_burst.
default_profile() {
  default_conf | awk '/^enable_cfg=/ { next } /^photo_stamp=/ { stamp = $0; next }
    /^auto_shoot=/ { print; print stamp; next } /^photo_burst=/ { print; print "sync_clock=TRUE"; next } { print }'
}
# Video "Fine", Image "Cloudy", Photo burst "3 P", which locks auto-shoot off.
changes=(video_quality=fine image_wb=cloudy photo_burst=3p auto_shoot=off)
mkdir -p "$tmp/expected"
{ printf '[basic]\nlast_cfg=default\n[profile-default]\n'; default_profile; } | crlf >"$tmp/expected/first.ini"
{ cat "$tmp/expected/first.ini"
  { echo '[profile-Night Walk]'; default_profile | override "${changes[@]}" sync_clock=FALSE; } | crlf
} >"$tmp/expected/profile.ini"
default_conf | override "${changes[@]}" | crlf >"$tmp/expected/camera.conf"

# --- one session ----------------------------------------------------------------

step "starting the window on a 1600x1000 screen"
start_screen 1600x1000 1000
read -r _ _ _ _ layout_w layout_h _ < <(grep '^window ' "$layout") || fail "the layout has no window line"
start_quillmar
wait_until 20 placed '[ "$WIDTH.$HEIGHT" = "$layout_w.$layout_h" ]' ||
  fail "the window is ${WIDTH:-?}x${HEIGHT:-?}, the layout tool measured ${layout_w}x$layout_h"
expect_file "$tmp/expected/first.ini" "$work/cfg.ini" "cfg.ini at first start"

step "choosing the card, Fine, Cloudy and 3 P, then \"Set\" with the clock"
card_row=$(awk '$1 == "card" { print $2; exit }' "$layout")
[ -n "$card_row" ] || fail "the card list shows no row for $card"
click card "$card_row"
click tab 1; click video 1013
click tab 4; click image 1055
click tab 2; click photo 1091
click main 1006
conf_with_clock() {
  head -n 29 "$card/camera.conf" >"$tmp/head.conf" 2>/dev/null && same_bytes "$tmp/expected/camera.conf" "$tmp/head.conf" &&
    [ "$(wc -l <"$card/camera.conf")" -eq 30 ] &&
    [[ $(tail -n 1 "$card/camera.conf") =~ ^sync_clock=([0-9-]{10}\ [0-9:]{8})$'\r'$ ]]
}
wait_until 10 conf_with_clock || fail "camera.conf is not the 29 lines and a clock line:" "$(cat -A "$card/camera.conf")"
skew=$(( $(date +%s) - $(date -d "${BASH_REMATCH[1]}" +%s) ))
[ "${skew#-}" -le 120 ] || fail "the clock line is $skew s away from the local time"

step "unticking the clock; \"New Profile\" named in its dialog, Enter"
click tab 3; click system 1061
click main 1003
wait_for_window '^New$'
xdo windowfocus --sync "$window" type --delay 20 "Night Walk"
xdo key Return
wait_until 10 no_window '^New$' || fail "the new-profile dialog did not close on Enter"
expect_file "$tmp/expected/profile.ini" "$work/cfg.ini" "cfg.ini after \"New Profile\""

step "\"Set\" again: the whole file, without the clock line"
click main 1006
expect_file "$tmp/expected/camera.conf" "$card/camera.conf" "camera.conf"

step "Escape and Enter leave the window open"
rm "$card/camera.conf"
xdo windowfocus --sync "$main_window" key Escape Return KP_Enter Escape
# Handled in order: a "Set" clicked after the keys is done by a live window.
click main 1006
has_conf() { [ -e "$card/camera.conf" ]; }
wait_until 10 has_conf || fail "no window did \"Set\" after Escape and Enter"

step "Ctrl+Q ends the program with status 0"
xdo windowfocus --sync "$main_window" key ctrl+q
closing=$quillmar_pid quillmar_pid=""
ended() { ! kill -0 "$closing" 2>/dev/null; }
wait_until 20 ended || { quillmar_pid=$closing; fail "quillmar did not end on Ctrl+Q"; }
status=0
wait "$closing" || status=$?
[ "$status" -eq 0 ] || fail "quillmar ended with status $status; see $log_dir/quillmar.log"

step "a 1366x768 screen with a 40-pixel panel: the window fits and scrolls"
start_screen 1366x768 728
grep -q '^scroll ' "$layout" || fail "the window does not scroll on a screen smaller than it"
start_quillmar
inside() { [ "$X" -ge 0 ] && [ "$Y" -ge 0 ] && [ $(( X + WIDTH )) -le 1366 ] && [ $(( Y + HEIGHT )) -le 728 ]; }
wait_until 20 placed inside || fail "the window (${WIDTH:-?}x${HEIGHT:-?} at ${X:-?},${Y:-?}) is not inside the work area"
step "passed"
