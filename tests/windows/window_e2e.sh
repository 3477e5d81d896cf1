#!/usr/bin/env bash
# quillmar.exe under Wine's X11 driver on a 1366x768 Xvfb, driven with
# xdotool; window_probe looks into it. Checks: every page's controls at their
# template rectangles; "Set" after a random profile and random clicks writes
# the Linux quillmar-cli's bytes and shows the status line; New, Save and Del
# Profile change cfg.ini as quillmar-cli's profile commands do; Escape and
# Enter keep the window, Alt+F4 ends it; a drive letter that arrives joins the
# card list and leaves it when it goes. Screenshots of every page are left in
# LOG_DIR.
#
#   window_e2e.sh LOG_DIR WINDOW_PROBE QUILLMAR_EXE LINUX_QUILLMAR_CLI [SETUP_EXE]
#
# With SETUP_EXE: installed silently, its Start-menu entry starts the window
# with the profiles in %APPDATA%\Quillmar\cfg.ini.
set -eEuo pipefail
log_dir=$1 probe=$2 exe=$(realpath "$3") linux_cli=$(realpath "$4") setup=${5:-} xvfb_pid="" watched=""
cleanup() { stop_process "$watched"; /usr/lib/wine/wineserver -k 2>/dev/null || true; stop_process "$xvfb_pid"; }
. "$(dirname "$0")/../e2e/e2e_common.sh"
. "$(dirname "$0")/wine_drives.sh"
need Xvfb xdotool import fc-match cmp
# No menu entries on the machine that runs the test.
export WINEPREFIX=$log_dir/prefix WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml,winemenubuilder.exe='
work=$log_dir/work card=$log_dir/card lin=$log_dir/linux
mkdir -p "$work" "$card" "$lin/card" "$log_dir/card2"

step "starting Xvfb and a Wine prefix with the X11 driver"
Xvfb -displayfd 3 -screen 0 1366x768x24 -nolisten tcp 3>"$tmp/display" >"$log_dir/xvfb.log" 2>&1 &
xvfb_pid=$!
wait_until 20 grep -q '^[0-9]' "$tmp/display" || fail "Xvfb did not start"
export DISPLAY=:$(cat "$tmp/display")
"$wine" wineboot -i </dev/null >/dev/null 2>&1
# Windows links CJK fonts to its dialog fonts; here the face Wine falls back to
# gets the system's CJK font, else CJK captions show as boxes.
"$wine" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /t REG_MULTI_SZ \
  /v "$(fc-match -f '%{family[0]}' sans-serif)" /d 'DroidSansFallbackFull.ttf,Droid Sans Fallback' /f >/dev/null
map_drive e floppy "$card"
/usr/lib/wine/wineserver -k

probe() { "$wine" "$probe" "$@" | tr -d '\r'; }
click_at() { local x y; read -r x y < <(probe "$@") && xdotool mousemove "$x" "$y" click 1; }
window_up() { [ -n "$(xdotool search --name '^TORVEX$' 2>/dev/null)" ]; }
key() { xdotool search --name "^$1\$" windowfocus --sync key "${@:2}"; }
lin_cli() { (cd "$lin" && "$linux_cli" "$@" --config cfg.ini); }
same_cfg() { wait_until 5 cmp -s "$work/cfg.ini" "$lin/cfg.ini" || fail "$1: cfg.ini differs" "$(diff "$work/cfg.ini" "$lin/cfg.ini")"; }

# A profile of random options (none that formats the card) beside "default".
options() { { "$linux_cli" print --set "$1=?" 2>&1 || true; } | sed -n 's/.*options: //p' | grep -o '"[^"]*"' | tr -d '"'; }
profile=()
for k in $("$linux_cli" print --no-sync-clock | sed 's/=.*//' | grep -vx 'enable_cfg\|format'); do
  profile+=(--set "$k=$(options "$k" | shuf -n 1)")
done
lin_cli save --profile default
# A value a profile cannot hold is taken as the value it reads back.
back=$(lin_cli save --profile random "${profile[@]}" 2>&1 | sed -n 's/.* read back as \([a-z_0-9]*=[^:]*\):.*/\1/p')
for setting in $back; do profile=("${profile[@]/#${setting%%=*}=*/$setting}"); done
lin_cli save --profile random "${profile[@]}"
cp "$lin/cfg.ini" "$work/cfg.ini"

step "starting quillmar.exe; its window titled TORVEX"
(cd "$work" && exec "$wine" "$exe") >"$log_dir/quillmar.log" 2>&1 &
watched=$!
wait_until 30 window_up || fail "no window titled TORVEX appeared within 30 s"

step "every page's controls where its template puts them"
pages=(129 130 133 134 131) # the tabs' templates, in tab order
for tab in 0 1 2 3 4; do
  click_at item 1002 "$tab"
  wait_until 5 probe check "${pages[tab]}" >"$tmp/check" || fail "page $tab:" "$(cat "$tmp/check")"
  import -window root "$log_dir/page-$tab.png"
done

step "the random profile, random radios, \"Set\": the Linux build's bytes and a status line"
radios="0:1016:mode_3=16M 0:1017:mode_3=12M 0:1019:mode_3=5M 1:1012:video_quality=sfine 1:1014:video_quality=normal
  1:1017:fov=narrow 1:1018:timelapse=off 1:1021:timelapse=5s 1:1029:video_stamp=date 1:1043:auto_rec=on
  1:1088:loop_rec=3min 1:1106:rec_beep=15min 2:1036:photo_quality=sfine 2:1038:photo_quality=normal
  3:1070:tvmode=pal 3:1069:tvmode=ntsc 3:1072:lightfreq=50Hz 3:1078:datefmt=dmy 3:1096:osd=off 3:1101:op_beep=on"
click_radios() { # clicks $1 random radios; their settings in $chosen
  chosen=()
  for pick in $(shuf -n "$1" -e $radios); do
    IFS=: read -r tab id setting <<<"$pick"
    click_at item 1002 "$tab" && click_at at "$id" && chosen+=(--set "$setting")
  done
}
click_at item 1001 1
click_radios 6
[ -z "$(probe status)" ] || fail "a status line before \"Set\": $(probe status)"
click_at at 1006
clockless() { sed 's/^\(sync_clock=\).*/\1TIME/' "$1"; }
wait_until 10 test -s "$card/camera.conf" || fail "\"Set\" wrote no camera.conf"
lin_cli write --card card --profile random "${chosen[@]}"
cmp <(clockless "$card/camera.conf") <(clockless "$lin/card/camera.conf") ||
  fail "camera.conf differs with ${chosen[*]}" "$(diff "$card/camera.conf" "$lin/card/camera.conf")"
wait_until 5 test -n "$(probe status)" || fail "no status line after \"Set\""

step "Escape and Enter (on \"Set\", which has the focus) keep the window"
key TORVEX Escape Return KP_Enter Escape
sleep 1
window_up || fail "the window closed on Escape or Enter"

step "New Profile, Save Profile, Del Profile: cfg.ini as quillmar-cli leaves it"
name=n$RANDOM
click_at at 1003
wait_until 10 xdotool search --name '^New$' >/dev/null || fail "no dialog titled New"
import -window root "$log_dir/new-profile.png"
key New type "$name" && key New Return
lin_cli save --profile "$name" "${profile[@]}" "${chosen[@]}"
same_cfg "New Profile"
click_radios 3
click_at at 1062
lin_cli save --profile "$name" "${chosen[@]}"
same_cfg "Save Profile"
click_at at 1004
lin_cli delete --profile "$name"
same_cfg "Del Profile"

step "a drive letter that arrives joins the card list, and leaves it when it goes"
probe item 1000 0 >/dev/null && ! probe item 1000 1 >/dev/null || fail "the card list is not E: alone"
probe arrive F "$log_dir/card2"
wait_until 10 probe item 1000 1 >/dev/null || fail "F: did not join the card list"
probe leave F
wait_until 10 eval '! probe item 1000 1 >/dev/null' || fail "F: stayed in the card list after it went"

step "Alt+F4 ends the window"
key TORVEX alt+F4
window_pid=$watched watched=""
wait_until 10 ended "$window_pid" || fail "Alt+F4 did not end quillmar.exe"

if [ -n "$setup" ]; then # installer_test.sh checks the files it installs and removes
  step "installed silently, started from the Start menu: profiles in %APPDATA%\\Quillmar\\cfg.ini"
  "$wine" "$setup" /S
  "$wine" start /unix "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Quillmar.lnk"
  wait_until 30 window_up || fail "the Start-menu entry started no window titled TORVEX"
  user_cfg() { grep -qs '^\[profile-default\]' "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/Quillmar/cfg.ini; }
  wait_until 10 user_cfg || fail "the window made no %APPDATA%\\Quillmar\\cfg.ini with the default profile"
  # The window may still be on its way onto the screen: focusing fails until it is.
  wait_until 10 key TORVEX alt+F4 2>/dev/null || fail "Alt+F4 found no window to end"
fi
step "passed"
