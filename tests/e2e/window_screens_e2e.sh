#!/usr/bin/env bash
# End-to-end test of the window on screens smaller than the window, and of
# its keyboard, under a virtual X server of its own.
#
#   window_screens_e2e.sh QUILLMAR LAYOUT_TOOL LOG_DIR
#
# Two screens: 1366 x 768 with a 40-pixel panel (the work area the panel
# leaves is published on the root window, as a desktop does), and
# 1920 x 1080 at QT_SCALE_FACTOR=1.5. On each: the whole window lies in
# the work area; on every page the last row is scrolled to, clicked with
# the mouse, and "Set" writes it. On the first screen also the keys: Escape
# and Enter on every Tab stop of every page leave the window open, Tab from
# the card list reaches "New Profile", Right through Timelapse visits all
# seven radios and wraps, and Ctrl+Q ends the program.
# LOG_DIR receives layouts, logs and screenshots.
set -eEuo pipefail

if [ $# -ne 3 ]; then
  echo "usage: $0 QUILLMAR LAYOUT_TOOL LOG_DIR" >&2
  exit 2
fi
quillmar_built=$1
layout_built=$2
log_dir=$3

step="checking the tools"
step() { step=$1; echo "  $step"; }
. "$(dirname "$0")/e2e_common.sh"
trap 'fail "unexpected failure (status $?) of: $BASH_COMMAND"' ERR
for tool in Xvfb xdotool xprop import setpriv timeout; do
  command -v "$tool" >/dev/null || fail "$tool is missing; scripts/install-deps.sh installs it"
done

rm -rf "$log_dir"
mkdir -p "$log_dir"
tmp=$(mktemp -d "${TMPDIR:-/tmp}/quillmar-screens.XXXXXX")
chmod 0755 "$tmp"
xvfb_pid=""
quillmar_pid=""
cleanup() {
  trap - ERR
  stop_process "$quillmar_pid"
  stop_process "$xvfb_pid"
  rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

run_as=(setpriv --pdeathsig KILL)
if [ "$(id -u)" -eq 0 ]; then
  run_as+=(--reuid=65534 --regid=65534 --clear-groups)
fi
mkdir -p "$tmp/bin" "$tmp/home" "$tmp/runtime"
chmod 0700 "$tmp/runtime"
cp "$quillmar_built" "$tmp/bin/quillmar"
cp "$layout_built" "$tmp/bin/quillmar-window-layout"
chmod -R a+rX "$tmp/bin"
[ "$(id -u)" -ne 0 ] || chown 65534:65534 "$tmp/home" "$tmp/runtime"

quillmar_alive() { [ -z "$quillmar_pid" ] || kill -0 "$quillmar_pid" 2>/dev/null; }
wait_until() {
  local deadline=$(( $(date +%s) + $1 ))
  shift
  until "$@"; do
    [ "$(date +%s)" -lt "$deadline" ] || return 1
    quillmar_alive || fail "quillmar ended unexpectedly; see $log_dir/quillmar-*.log"
    sleep 0.1
  done
}
xdo() { timeout 10 xdotool "$@"; }
visible_window() { xdo search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true; }
has_window() { [ -n "$(visible_window "$1")" ]; }
no_window() { ! has_window "$1"; }
# Lets the program handle what was sent before the next check (a build
# under the sanitizers is slow to repaint and scroll).
settle() { sleep "${1:-0.5}"; quillmar_alive || fail "quillmar ended"; }

layout=""
window_x=0
window_y=0
scroll_y=0
# point SCOPE ID: the control's click point on the screen, scrolled by
# the current scroll offset.
point() {
  local x y
  read -r x y < <(awk -v s="$1" -v i="$2" '$1 == s && $2 == i { print $7, $8; exit }' "$layout") || true
  [ -n "${y:-}" ] || fail "the layout has no control $1 $2"
  echo "$(( window_x + x )) $(( window_y + y - scroll_y ))"
}
click() { xdo mousemove $(point "$1" "$2") click 1; settle; }
# Scrolls the window all the way down or up with the wheel, over an empty
# part of the settings pane (no slider or list under the pointer).
wheel() {
  xdo mousemove $(( window_x + WIDTH * 93 / 100 )) $(( window_y + HEIGHT * 60 / 100 )) click --repeat 40 --delay 10 "$1"
  settle 1.5
}
scroll_max=0
to_bottom() { wheel 5; scroll_y=$scroll_max; }
to_top() { wheel 4; scroll_y=0; }

# expect_line KEY=VALUE: camera.conf on the card holds that line.
expect_line() {
  local conf="$card/camera.conf"
  has_line() { [ -e "$conf" ] && grep -qx "$1"$'\r' "$conf"; }
  wait_until 10 has_line "$1" || fail "camera.conf has no line $1:" "$(grep "^${1%%=*}=" "$conf" 2>/dev/null | cat -A)"
}
press_set() {
  rm -f "$card/camera.conf"
  click main 1006
}

run_screen() {
  local name=$1 size=$2 work_height=$3 scale=$4 keys=$5
  step "$name: starting the X server"
  setpriv --pdeathsig TERM Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset \
    3>"$tmp/display" >"$log_dir/xvfb-$name.log" 2>&1 &
  xvfb_pid=$!
  display_reported() { grep -qx '[0-9][0-9]*' "$tmp/display"; }
  wait_until 20 display_reported || fail "Xvfb did not start"
  export DISPLAY=":$(cat "$tmp/display")"
  local screen_w=${size%x*}
  # The panel's strip is left out of the work area, as a desktop announces it.
  publish_work_area() {
    xprop -root -f _NET_WORKAREA 32c -set _NET_WORKAREA "0, 0, $screen_w, $work_height" 2>/dev/null
  }
  wait_until 10 publish_work_area || fail "could not publish the work area on the root window"

  work="$tmp/$name/work"
  card="$tmp/$name/CAMERA_SD"
  mkdir -p "$work" "$card" "$tmp/$name/layout"
  [ "$(id -u)" -ne 0 ] || chown -R 65534:65534 "$tmp/$name"
  local user_env=(env -i PATH=/usr/bin:/bin LANG=C.UTF-8 HOME="$tmp/home" XDG_RUNTIME_DIR="$tmp/runtime"
    DISPLAY="$DISPLAY" QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR="$scale"
    ASAN_OPTIONS="${ASAN_OPTIONS:-}" UBSAN_OPTIONS="${UBSAN_OPTIONS:-}" LSAN_OPTIONS="${LSAN_OPTIONS:-}")

  step "$name: measuring the layout"
  layout="$log_dir/layout-$name.txt"
  (cd "$tmp/$name/layout" && timeout 60 "${run_as[@]}" "${user_env[@]}" "$tmp/bin/quillmar-window-layout" \
    --card "$card" --config "$tmp/$name/layout/cfg.ini") >"$layout" 2>"$log_dir/layout-$name.log" ||
    fail "the layout tool failed; see $log_dir/layout-$name.log"
  scroll_max=$(awk '$1 == "scroll" { print $4 }' "$layout")
  [ -n "$scroll_max" ] || fail "the window does not scroll on a $size screen, although it is taller"

  step "$name: starting quillmar"
  (cd "$work" && exec "${run_as[@]}" "${user_env[@]}" "$tmp/bin/quillmar" --card "$card") \
    >"$log_dir/quillmar-$name.log" 2>&1 &
  quillmar_pid=$!
  wait_until 20 has_window '^TORVEX$' || fail "no window appeared"
  main_window=$(visible_window '^TORVEX$')
  sleep 1
  eval "$(xdo getwindowgeometry --shell "$main_window")"
  window_x=$X
  window_y=$Y
  scroll_y=0
  timeout 10 import -window root "$log_dir/$name-start.png" || true
  [ "$X" -ge 0 ] && [ "$Y" -ge 0 ] && [ $(( X + WIDTH )) -le "$screen_w" ] &&
    [ $(( Y + HEIGHT )) -le "$work_height" ] ||
    fail "the window (${WIDTH}x$HEIGHT at $X,$Y) is not inside the work area ${screen_w}x$work_height"
  echo "        window ${WIDTH}x$HEIGHT at $X,$Y; scrolls $scroll_max px"

  click card 0
  # Each page's last row, scrolled to and clicked, then written by "Set".
  # The sharpness slider is clicked to take the focus, then moved by key.
  local pages=("0 mode 1019 mode_3=5M -" "1 video 1089 loop_rec=5min -" "2 photo 1092 photo_burst=10p -"
               "3 system 1100 op_beep=off -" "4 image 1109 image_sharpness=1 Home")
  for page in "${pages[@]}"; do
    read -r tab scope id line key <<<"$page"
    step "$name: $scope page, last row ($line)"
    click tab "$tab"
    to_bottom
    timeout 10 import -window root "$log_dir/$name-$scope-bottom.png" || true
    click "$scope" "$id"
    [ "$key" = - ] || { xdo key "$key"; settle; }
    to_top
    press_set
    expect_line "$line"
  done

  if [ "$keys" = keys ]; then
    step "$name: Escape and Enter on every Tab stop of every page"
    # Stops after the card list: profile list, tabs, the page's stops, then
    # four buttons, where only Escape is sent (Enter presses a button). The
    # Photo page has three: "10 P" above locked the auto-shoot group.
    local stops=(3 8 3 9 5)
    for tab in 0 1 2 3 4; do
      click tab "$tab"
      click card 0
      local page_stops=$(( 2 + ${stops[$tab]} ))
      for (( i = 0; i < page_stops + 5; i++ )); do
        if [ "$i" -le "$page_stops" ]; then xdo key Escape Return KP_Enter; else xdo key Escape; fi
        xdo key Tab
      done
      settle
      has_window '^TORVEX$' || fail "the window went on tab $tab"
    done
    no_window '^New$' || fail "a key opened the new-profile dialog"

    step "$name: Tab from the card list reaches \"New Profile\""
    click tab 0
    click card 0
    xdo key Tab Tab Tab Tab Tab Tab space
    wait_until 10 has_window '^New$' || fail "six Tabs from the card list did not reach \"New Profile\""
    xdo key Escape
    wait_until 10 no_window '^New$' || fail "Escape did not close the new-profile dialog"

    step "$name: Right through Timelapse visits all seven radios and wraps"
    click tab 1
    local radios=(1018 1019 1020 1021 1022 1023 1024)
    local values=(off 1s 2s 5s 10s 30s 60s)
    for (( i = 0; i < 7; i++ )); do
      click video "${radios[$i]}"
      xdo key Right
      settle
      press_set
      expect_line "timelapse=${values[$(( (i + 1) % 7 ))]}"
    done

    step "$name: Ctrl+Q ends the program"
    xdo windowfocus --sync "$main_window" key ctrl+q
    local closing=$quillmar_pid
    quillmar_pid=""
    ended() { ! kill -0 "$closing" 2>/dev/null; }
    wait_until 20 ended || { quillmar_pid=$closing; fail "quillmar did not end on Ctrl+Q"; }
  else
    stop_process "$quillmar_pid"
    quillmar_pid=""
  fi
  stop_process "$xvfb_pid"
  xvfb_pid=""
}

run_screen small-panel 1366x768 728 1 keys
run_screen scaled-150 1920x1080 1080 1.5 nokeys
step "passed"
