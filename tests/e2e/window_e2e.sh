#!/usr/bin/env bash
# End-to-end test of the window under a virtual X server of its own.
#
#   window_e2e.sh QUILLMAR LAYOUT_TOOL LOG_DIR
#
# Starts the built program in a fresh working folder with a fresh card
# folder and drives it as a user does, with real mouse clicks and key
# presses sent from outside the process: settings on three pages, a new
# profile, "Set"; then checks camera.conf byte for byte and cfg.ini. Then
# makes the card folder read-only, presses "Set" again and checks that the
# error box appears and the card keeps the old file and nothing else.
#
# Where to click comes from LAYOUT_TOOL, which builds the same window on
# the same display and prints the controls' rectangles. The program runs
# as an unprivileged user when this script runs as root: root ignores
# permission bits, so a read-only folder would not be read-only for it.
# LOG_DIR receives the layout, the program's output and screenshots.
set -eEuo pipefail

if [ $# -ne 3 ]; then
  echo "usage: $0 QUILLMAR LAYOUT_TOOL LOG_DIR" >&2
  exit 2
fi
quillmar_built=$1
layout_built=$2
log_dir=$3

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
started_ms=$(now_ms)
step="checking the tools"
step() {
  step=$1
  local ms=$(( $(now_ms) - started_ms ))
  printf '%3d.%01ds  %s\n' $(( ms / 1000 )) $(( ms % 1000 / 100 )) "$step"
}
. "$(dirname "$0")/e2e_common.sh"

# Any other failing command ends the test with its name and the step.
trap 'fail "unexpected failure (status $?) of: $BASH_COMMAND"' ERR

for tool in Xvfb xdotool import setpriv timeout cmp; do
  command -v "$tool" >/dev/null || fail "$tool is missing; scripts/install-deps.sh installs it"
done

# --- folders, processes and their cleanup ----------------------------------

rm -rf "$log_dir"
mkdir -p "$log_dir"
tmp=$(mktemp -d "${TMPDIR:-/tmp}/quillmar-e2e.XXXXXX")
chmod 0755 "$tmp"
xvfb_pid=""
quillmar_pid=""

cleanup() {
  trap - ERR
  stop_process "$quillmar_pid"
  stop_process "$xvfb_pid"
  chmod -R u+rwx "$tmp" 2>/dev/null || true
  rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

# Root drops to nobody; anyone else runs the program as themselves. Either
# way the program dies with this script, even when the script is killed.
run_as=(setpriv --pdeathsig KILL)
if [ "$(id -u)" -eq 0 ]; then
  run_as+=(--reuid=65534 --regid=65534 --clear-groups)
  "${run_as[@]}" true || fail "cannot drop to the unprivileged user 65534"
fi
owned_by_user() {
  mkdir -p "$@"
  [ "$(id -u)" -ne 0 ] || chown 65534:65534 "$@"
}

work="$tmp/work"      # the program's working folder: cfg.ini lands here
card="$tmp/card"      # the --card folder
owned_by_user "$work" "$card" "$tmp/home" "$tmp/runtime" "$tmp/layout"
chmod 0700 "$tmp/runtime"
# Copies the user can reach whatever the permissions along the build path.
mkdir -p "$tmp/bin"
cp "$quillmar_built" "$tmp/bin/quillmar"
cp "$layout_built" "$tmp/bin/quillmar-window-layout"
chmod -R a+rX "$tmp/bin"

# --- waiting and checking ----------------------------------------------------

# wait_until SECONDS COMMAND...: true once COMMAND succeeds, false at the end.
wait_until() {
  local deadline=$(( $(date +%s) + $1 ))
  shift
  until "$@"; do
    [ "$(date +%s)" -lt "$deadline" ] || return 1
    quillmar_alive || fail "quillmar ended unexpectedly; its output is in $log_dir/quillmar.log"
    sleep 0.1
  done
}
quillmar_alive() { [ -z "$quillmar_pid" ] || kill -0 "$quillmar_pid" 2>/dev/null; }

xdo() { timeout 10 xdotool "$@"; }
# The first shown window whose title matches the pattern; empty if none.
visible_window() { xdo search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true; }
has_window() { [ -n "$(visible_window "$1")" ]; }
no_window() { ! has_window "$1"; }
# wait_for_window PATTERN: sets `window` to the window once it is shown.
wait_for_window() {
  wait_until 20 has_window "$1" || fail "no window titled $1 appeared within 20 s"
  window=$(visible_window "$1")
}

same_bytes() { cmp -s "$1" "$2"; }
differs() { ! cmp -s "$1" "$2"; }
show_difference() {
  echo "--- expected"; cat -A "$1"
  echo "--- actual"; if [ -e "$2" ]; then cat -A "$2"; else echo "(no file)"; fi
}
# report_difference EXPECTED ACTUAL WHAT: fails, showing both files.
report_difference() {
  show_difference "$1" "$2" >"$log_dir/difference.txt" 2>&1
  fail "$3 is not as expected (also in $log_dir/difference.txt):" \
    "$(diff <(cat -A "$1") <(cat -A "$2" 2>/dev/null) || true)"
}
# expect_file EXPECTED ACTUAL WHAT: waits until ACTUAL holds EXPECTED's bytes.
expect_file() {
  wait_until 10 same_bytes "$1" "$2" || report_difference "$@"
}

# --- where the controls are ---------------------------------------------------

layout="$log_dir/layout.txt"
window_x=0
window_y=0
# click SCOPE ID: a left click on the control, where a user clicks it.
click() {
  local x y
  read -r x y < <(awk -v s="$1" -v i="$2" '$1 == s && $2 == i { print $7, $8; exit }' "$layout")  || true
  [ -n "$y" ] || fail "the layout has no control $1 $2"
  # No --sync: it waits for a pointer motion, and there is none when the
  # pointer is already there. The server handles the move before the click.
  xdo mousemove $(( window_x + x )) $(( window_y + y )) click 1
}
# focus WINDOW: gives WINDOW the keyboard, as a window manager would.
focus() { xdo windowfocus --sync "$1"; }

# --- what the files must hold -------------------------------------------------

crlf() { sed 's/$/\r/'; }
# override KEY=VALUE...: replaces those keys' values in the lines on stdin.
override() {
  local edits=() pair
  for pair in "$@"; do edits+=(-e "s/^${pair%%=*}=.*/$pair/"); done
  sed "${edits[@]}"
}

default_camera_conf() {
  cat <<'EOF'
enable_cfg=true
mode_1=1920x1080p 60
mode_2=1280x720p 120
mode_3=16M
video_quality=sfine
fov=wide
timelapse=off
video_stamp=off
mic_vol=80%
auto_rec=off
loop_rec=off
rec_beep=off
image_meter=center
image_iso=auto
image_wb=auto
image_ev=0.0
image_sharpness=3
photo_quality=sfine
photo_stamp=off
auto_shoot=3s
photo_burst=off
image_rotate=normal
tvmode=ntsc
lightfreq=60Hz
auto_shutdown=3Min
datefmt=ymd
osd=on
op_beep=on
format=false
EOF
}

# A profile holds the same settings, in its own order: no enable_cfg line,
# auto_shoot before photo_stamp, and the clock box after photo_burst.
default_profile() {
  default_camera_conf | awk '
    /^enable_cfg=/ { next }
    /^photo_stamp=/ { stamp = $0; next }
    /^auto_shoot=/ { print; print stamp; next }
    /^photo_burst=/ { print; print "sync_clock=TRUE"; next }
    { print }'
}

profile_name="Night Walk"
# The user's changes: Video "Fine", Image "Cloudy", Photo burst "3 P".
# The burst locks auto-shoot: the card gets auto_shoot=off, and the page
# shows it so, which the profile then keeps too.
changes=(video_quality=fine image_wb=cloudy photo_burst=3p auto_shoot=off)
expected="$tmp/expected"
mkdir -p "$expected"
{ printf '[basic]\nlast_cfg=default\n[profile-default]\n'; default_profile; } | crlf >"$expected/cfg-first-use.ini"
{ cat "$expected/cfg-first-use.ini"
  { printf '[profile-%s]\n' "$profile_name"; default_profile | override "${changes[@]}" sync_clock=FALSE; } | crlf
} >"$expected/cfg-with-profile.ini"
default_camera_conf | override "${changes[@]}" | crlf >"$expected/camera.conf"

# --- the X server --------------------------------------------------------------

step "starting the virtual X server"
# -displayfd picks a free display and reports its number once it is ready;
# -noreset keeps the server up when the layout tool, its first client, leaves.
setpriv --pdeathsig TERM Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp -noreset \
  3>"$tmp/display" >"$log_dir/xvfb.log" 2>&1 &
xvfb_pid=$!
display_reported() { grep -qx '[0-9][0-9]*' "$tmp/display"; }
wait_until 20 display_reported || fail "Xvfb did not start; see $log_dir/xvfb.log"
DISPLAY=":$(cat "$tmp/display")"
export DISPLAY

# A clean environment: nothing of the caller's desktop or Qt settings.
user_env=(env -i PATH=/usr/bin:/bin LANG=C.UTF-8 HOME="$tmp/home" XDG_RUNTIME_DIR="$tmp/runtime"
  DISPLAY="$DISPLAY" QT_QPA_PLATFORM=xcb ${TZ:+TZ="$TZ"}
  ASAN_OPTIONS="${ASAN_OPTIONS:-}" UBSAN_OPTIONS="${UBSAN_OPTIONS:-}"
  LSAN_OPTIONS="${LSAN_OPTIONS:-}")

step "measuring the window's layout"
(cd "$tmp/layout" && timeout 60 "${run_as[@]}" "${user_env[@]}" \
  "$tmp/bin/quillmar-window-layout" --card "$card" --config "$tmp/layout/cfg.ini") \
  >"$layout" 2>"$log_dir/layout.log" || fail "the layout tool failed; see $log_dir/layout.log"
read -r _ _ _ _ layout_width layout_height _ < <(grep '^window ' "$layout") || fail "the layout has no window line"

# --- the program -------------------------------------------------------------

step "starting quillmar --card <empty folder> in an empty working folder"
(cd "$work" && exec "${run_as[@]}" "${user_env[@]}" "$tmp/bin/quillmar" --card "$card") \
  >"$log_dir/quillmar.log" 2>&1 &
quillmar_pid=$!
wait_for_window '^TORVEX$'
main_window=$window
eval "$(xdo getwindowgeometry --shell "$main_window")"
window_x=$X
window_y=$Y
[ "$WIDTH.$HEIGHT" = "$layout_width.$layout_height" ] ||
  fail "the window is ${WIDTH}x$HEIGHT but the layout tool measured ${layout_width}x$layout_height" \
    "(different fonts or screen settings between the two?)"

step "first start: cfg.ini holds the default profile"
expect_file "$expected/cfg-first-use.ini" "$work/cfg.ini" "cfg.ini after the first start"

step "choosing the card folder in the card list"
card_row=$(awk '$1 == "card" { print $2; exit }' "$layout")
[ -n "$card_row" ] || fail "the card list shows no row for $card"
click card "$card_row"

step "Video page: clicking \"Fine\""
click tab 1
click video 1013
step "Image page: clicking \"Cloudy\""
click tab 4
click image 1055
step "Photo page: clicking the burst \"3 P\""
click tab 2
click photo 1091

step "pressing \"Set\" with \"sync time and date\" ticked"
click main 1006
# The 29 expected lines, then the clock line with the time of the press.
clock_pattern=$'^sync_clock=([0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2})\r$'
conf_with_clock() {
  [ -e "$card/camera.conf" ] || return 1
  head -n 29 "$card/camera.conf" >"$tmp/first-29-lines"
  same_bytes "$expected/camera.conf" "$tmp/first-29-lines" || return 1
  [ "$(wc -l <"$card/camera.conf")" -eq 30 ] && [[ $(tail -n 1 "$card/camera.conf") =~ $clock_pattern ]]
}
if ! wait_until 10 conf_with_clock; then
  [ -e "$card/camera.conf" ] || fail "no camera.conf appeared in the card folder"
  same_bytes "$expected/camera.conf" "$tmp/first-29-lines" ||
    report_difference "$expected/camera.conf" "$tmp/first-29-lines" "camera.conf (lines 1 to 29)"
  fail "camera.conf does not end with one clock line:" "$(tail -n +30 "$card/camera.conf" | cat -A)"
fi
clock_skew=$(( $(date +%s) - $(date -d "${BASH_REMATCH[1]}" +%s) ))
[ "${clock_skew#-}" -le 120 ] || fail "the clock line is ${clock_skew} s away from the local time"
cp "$card/camera.conf" "$tmp/camera-with-clock.conf"

step "System page: unticking \"sync time and date\""
click tab 3
click system 1061

step "\"New Profile\": naming it \"$profile_name\" and confirming with Enter"
click main 1003
wait_for_window '^New$'
focus "$window"
xdo type --delay 20 "$profile_name"
xdo key Return
wait_until 10 no_window '^New$' || fail "the new-profile dialog did not close on Enter"
expect_file "$expected/cfg-with-profile.ini" "$work/cfg.ini" "cfg.ini after \"New Profile\""

step "pressing \"Set\" again: the whole file is rewritten, without the clock line"
click main 1006
wait_until 10 differs "$tmp/camera-with-clock.conf" "$card/camera.conf" || fail "camera.conf was not rewritten"
expect_file "$expected/camera.conf" "$card/camera.conf" "camera.conf"
echo "        camera.conf: $(stat -c %s "$card/camera.conf") bytes as expected"

step "pressing \"Set\" on a read-only card folder: the error box"
chmod 0555 "$card"
ls -A "$card" >"$tmp/card-before"
click main 1006
wait_for_window '^Quillmar$'
timeout 10 import -window root "$log_dir/error-box.png" || true
focus "$window"
xdo key Return
wait_until 10 no_window '^Quillmar$' || fail "the error box did not close on Enter"

step "after the failed \"Set\": old camera.conf intact, no stray file, cfg.ini untouched"
expect_file "$expected/camera.conf" "$card/camera.conf" "camera.conf after the failed write"
ls -A "$card" >"$tmp/card-after"
cmp -s "$tmp/card-before" "$tmp/card-after" ||
  fail "the card folder's contents changed:" "$(diff "$tmp/card-before" "$tmp/card-after" || true)"
expect_file "$expected/cfg-with-profile.ini" "$work/cfg.ini" "cfg.ini after the failed write"
chmod 0755 "$card"

step "Escape and Enter leave the window open"
focus "$main_window"
xdo key Escape Return KP_Enter
sleep 0.5
quillmar_alive && has_window '^TORVEX$' || fail "Escape or Enter ended the window"

step "closing the window with Ctrl+Q"
xdo key ctrl+q
closing_pid=$quillmar_pid
quillmar_pid=""   # its end is expected from here on
quillmar_ended() { ! kill -0 "$closing_pid" 2>/dev/null; }
wait_until 20 quillmar_ended || { quillmar_pid=$closing_pid; fail "quillmar did not end on Ctrl+Q"; }
status=0
wait "$closing_pid" || status=$?
[ "$status" -eq 0 ] || fail "quillmar ended with status $status; its output is in $log_dir/quillmar.log"

step "passed"
