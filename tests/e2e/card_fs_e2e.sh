#!/usr/bin/env bash
# End-to-end test of writing camera.conf onto real FAT32 and exFAT volumes,
# mounted through FUSE, so no kernel module is needed.
#
#   card_fs_e2e.sh fat32|exfat QUILLMAR QUILLMAR_CLI LAYOUT_TOOL LOG_DIR
#   card_fs_e2e.sh fat32-kill QUILLMAR_CLI LOG_DIR [ROUNDS]
#
# fat32 / exfat: a fresh volume holds the camera's own upper-case
# CAMERA.CONF and VERSION.TXT. "cards --json" shows the version; two
# "quillmar-cli write"s in a row and then a "Set" in the real window (under
# a virtual X server, driven with xdotool) each replace the file. After each
# step the volume is unmounted, read back without our code (mtools for FAT,
# a fresh mount for exFAT), compared byte for byte with "quillmar-cli print"
# for the same settings, and checked with fsck -n. Exactly one camera.conf,
# in any case, may exist.
#
# fat32-kill: the writer is killed with SIGKILL at random moments, ROUNDS
# times (default 50); after each kill the volume must be clean and hold the
# old or the new bytes.
#
# Exits 77 (skipped) when FUSE or, for exFAT, loop devices are unavailable.
set -eEuo pipefail

mode=${1:-}
case "$mode" in
  fat32 | exfat)
    [ $# -eq 5 ] || { echo "usage: $0 fat32|exfat QUILLMAR QUILLMAR_CLI LAYOUT_TOOL LOG_DIR" >&2; exit 2; }
    quillmar=$2 cli=$3 layout_tool=$4 log_dir=$5 ;;
  fat32-kill)
    [ $# -ge 3 ] || { echo "usage: $0 fat32-kill QUILLMAR_CLI LOG_DIR [ROUNDS]" >&2; exit 2; }
    cli=$2 log_dir=$3 rounds=${4:-50} ;;
  *) echo "usage: $0 fat32|exfat|fat32-kill ..." >&2; exit 2 ;;
esac

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
started_ms=$(now_ms)
step="checking the tools"
step() {
  step=$1
  local ms=$(( $(now_ms) - started_ms ))
  printf '%3d.%01ds  %s\n' $(( ms / 1000 )) $(( ms % 1000 / 100 )) "$step"
}
. "$(dirname "$0")/e2e_common.sh"
skip() { echo "SKIPPED: $*"; exit 77; }
trap 'fail "unexpected failure (status $?) of: $BASH_COMMAND"' ERR

# --- what this machine offers ---------------------------------------------------

[ -c /dev/fuse ] && { : </dev/fuse; } 2>/dev/null || skip "/dev/fuse is missing or cannot be opened"
tools=(fusermount mkfs.fat fsck.fat fusefat mcopy mdir timeout cmp)
[ "$mode" = exfat ] && tools=(fusermount mkfs.exfat fsck.exfat mount.exfat-fuse losetup timeout cmp)
[ "$mode" = fat32 ] || [ "$mode" = exfat ] && tools+=(Xvfb xdotool setpriv)
for tool in "${tools[@]}"; do
  command -v "$tool" >/dev/null || fail "$tool is missing; scripts/install-deps.sh installs it"
done
export MTOOLS_SKIP_CHECK=1

rm -rf "$log_dir"
mkdir -p "$log_dir"
tmp=$(mktemp -d "${TMPDIR:-/tmp}/quillmar-cardfs.XXXXXX")
mnt="$tmp/card"
image="$tmp/card.img"
mkdir -p "$mnt" "$tmp/work" "$tmp/expected"

loop=""
fuse_pid=""
xvfb_pid=""
quillmar_pid=""
cleanup() {
  trap - ERR
  stop_process "$quillmar_pid"
  stop_process "$xvfb_pid"
  if [ -n "$fuse_pid" ]; then
    fusermount -u "$mnt" 2>/dev/null || umount -l "$mnt" 2>/dev/null || true
    stop_process "$fuse_pid"
  fi
  [ -z "$loop" ] || losetup -d "$loop" 2>/dev/null || true
  rm -rf "$tmp"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP

# --- the volume ------------------------------------------------------------------

# Both FUSE servers run in the foreground here, so that unmounting can wait
# for them to finish writing the image.
mount_card() {
  if [ "$mode" = exfat ]; then
    mount.exfat-fuse -d "$loop" "$mnt" >>"$log_dir/fuse.log" 2>&1 &
  else
    fusefat -f -o rw+ "$image" "$mnt" >>"$log_dir/fuse.log" 2>&1 &
  fi
  fuse_pid=$!
  for _ in $(seq 100); do
    mountpoint -q "$mnt" && return 0
    kill -0 "$fuse_pid" 2>/dev/null || break
    sleep 0.05
  done
  fail "the volume did not mount; see $log_dir/fuse.log"
}
unmount_card() {
  fusermount -u "$mnt" || fail "cannot unmount $mnt"
  wait "$fuse_pid" || true
  fuse_pid=""
}
check_clean() {
  local out
  if [ "$mode" = exfat ]; then
    out=$(fsck.exfat -n "$loop" 2>&1) || fail "fsck.exfat -n finds the volume damaged:" "$out"
  else
    out=$(fsck.fat -n "$image" 2>&1) || fail "fsck.fat -n finds the volume damaged:" "$out"
  fi
}
# The card's camera.conf as another system reads it, into FILE; also fails
# unless exactly one name equal to camera.conf but for case exists.
read_back() {
  local names
  rm -f "$1"
  if [ "$mode" = exfat ]; then
    mount_card
    names=$(ls -A "$mnt")
    [ -e "$mnt/camera.conf" ] && cp "$mnt/camera.conf" "$1"
    unmount_card
  else
    names=$(mdir -i "$image" -b ::/ | sed 's|^::/||')
    mcopy -n -i "$image" ::camera.conf "$1" 2>/dev/null || true
  fi
  [ "$({ grep -ic '^camera\.conf$' <<<"$names" || true; })" -eq 1 ] || fail "not exactly one camera.conf on the card:" "$names"
}
# expect_card STEP EXPECTED: unmounts, checks the volume and the bytes.
expect_card() {
  unmount_card
  check_clean
  read_back "$tmp/read-back"
  cmp -s "$2" "$tmp/read-back" ||
    fail "camera.conf after $1 is not as expected:" "$(diff <(cat -A "$2") <(cat -A "$tmp/read-back") || true)"
}

step "making a $mode volume with the camera's CAMERA.CONF and VERSION.TXT"
printf 'enable_cfg=true\r\nmode_1=1920x1080p 30\r\n' >"$tmp/camera-wrote.conf"
printf 'V1.2.7 build 3' >"$tmp/version.txt"
if [ "$mode" = exfat ]; then
  [ -c /dev/loop-control ] || skip "/dev/loop-control is missing: no loop devices for exFAT"
  truncate -s 64M "$image"
  loop=$(losetup -f --show "$image" 2>/dev/null) || skip "no loop device can be set up for exFAT"
  mkfs.exfat "$loop" >"$log_dir/mkfs.log" 2>&1
  mount_card
  cp "$tmp/camera-wrote.conf" "$mnt/CAMERA.CONF"
  cp "$tmp/version.txt" "$mnt/VERSION.TXT"
  unmount_card
else
  truncate -s 64M "$image"
  mkfs.fat -F 32 "$image" >"$log_dir/mkfs.log" 2>&1
  mcopy -i "$image" "$tmp/camera-wrote.conf" ::CAMERA.CONF
  mcopy -i "$image" "$tmp/version.txt" ::VERSION.TXT
fi
mount_card

# The CLI and the window run in an empty working folder: no profiles, the
# defaults. No clock line, so the bytes do not depend on the time.
cli() { (cd "$tmp/work" && timeout 30 "$cli" "$@"); }

# --- killed writers ---------------------------------------------------------------

if [ "$mode" = fat32-kill ]; then
  settings=("--set video_quality=fine" "--set image_wb=cloudy")
  for i in 0 1; do
    # shellcheck disable=SC2086
    cli print --no-sync-clock ${settings[$i]} >"$tmp/expected/$i"
  done
  cmp -s "$tmp/expected/0" "$tmp/expected/1" && fail "the two settings give the same bytes"
  # The write itself comes last in a writer's short life: the kills are
  # spread over the quickest of three runs, so that many land in it.
  step "three writes, to measure how long a writer runs"
  span_ms=100000
  for _ in 1 2 3; do
    t0=$(now_ms)
    # shellcheck disable=SC2086
    cli write --card "$mnt" --no-sync-clock ${settings[0]}
    t1=$(now_ms)
    [ $(( t1 - t0 )) -ge "$span_ms" ] || span_ms=$(( t1 - t0 + 1 ))
  done
  # QUILLMAR_KILL_SEED=N repeats a run's kill moments.
  seed=${QUILLMAR_KILL_SEED:-$(( $(date +%s) % 32768 ))}
  RANDOM=$seed
  echo "        QUILLMAR_KILL_SEED=$seed"
  on_card=0
  old=0 new=0
  expect_on_card() {
    if cmp -s "$tmp/expected/$1" "$tmp/read-back"; then on_card=$1; return 0; fi
    return 1
  }
  step "killing the writer at random moments, $rounds times (a run takes $span_ms ms)"
  for round in $(seq "$rounds"); do
    next=$(( 1 - on_card ))
    delay_ms=$(( (RANDOM * 32768 + RANDOM) % span_ms ))
    (cd "$tmp/work" && exec "$cli" write --card "$mnt" --no-sync-clock ${settings[$next]}) >/dev/null 2>&1 &
    writer=$!
    sleep "$(( delay_ms / 1000 )).$(printf '%03d' $(( delay_ms % 1000 )))"
    kill -9 "$writer" 2>/dev/null || true
    wait "$writer" 2>/dev/null || true
    step="round $round: checking the volume after a kill at $delay_ms ms"
    unmount_card
    check_clean
    read_back "$tmp/read-back"
    if expect_on_card "$next"; then new=$((new + 1))
    elif expect_on_card "$on_card"; then old=$((old + 1))
    else fail "camera.conf is neither the old nor the new bytes:" "$(cat -A "$tmp/read-back")"
    fi
    mount_card
  done
  unmount_card
  check_clean
  left=$(mdir -i "$image" -b ::/ | grep -c '^::/\.camera\.conf\.tmp' || true)
  step "after $rounds kills: $old times the old bytes, $new times the new ones, $left temporaries left; all clean"
  step "passed"
  exit 0
fi

# --- the version and two writes from the command line ------------------------------

step "cards --json shows the upper-case VERSION.TXT"
cli cards --card "$mnt" --json >"$tmp/cards.json"
grep -q '"version_text": "V1.2.7 build 3"' "$tmp/cards.json" ||
  fail "the card's version is not shown:" "$(cat "$tmp/cards.json")"

write_and_check() {
  local what=$1
  shift
  step "$what"
  cli print --no-sync-clock "$@" >"$tmp/expected/cli.conf"
  cli write --card "$mnt" --no-sync-clock "$@" || fail "quillmar-cli write failed"
  expect_card "$what" "$tmp/expected/cli.conf"
  mount_card
}
write_and_check "quillmar-cli write over the camera's CAMERA.CONF" --set video_quality=fine
write_and_check "quillmar-cli write again, over our own camera.conf" --set image_wb=cloudy

# --- "Set" in the window ------------------------------------------------------------

cli print --no-sync-clock >"$tmp/expected/window.conf"

step "starting the virtual X server"
setpriv --pdeathsig TERM Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp -noreset \
  3>"$tmp/display" >"$log_dir/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 200); do grep -qx '[0-9][0-9]*' "$tmp/display" && break; sleep 0.1; done
grep -qx '[0-9][0-9]*' "$tmp/display" || fail "Xvfb did not start; see $log_dir/xvfb.log"
mkdir -p -m 0700 "$tmp/runtime" "$tmp/home" "$tmp/layout"
# The FUSE volume is open to its mounting user only, so the program runs
# as that user, in a clean environment.
user_env=(env -i PATH=/usr/bin:/bin LANG=C.UTF-8 HOME="$tmp/home" XDG_RUNTIME_DIR="$tmp/runtime"
  DISPLAY=":$(cat "$tmp/display")" QT_QPA_PLATFORM=xcb ${TZ:+TZ="$TZ"}
  ASAN_OPTIONS="${ASAN_OPTIONS:-}" UBSAN_OPTIONS="${UBSAN_OPTIONS:-}" LSAN_OPTIONS="${LSAN_OPTIONS:-}")
xdo() { timeout 10 "${user_env[@]}" xdotool "$@"; }

step "measuring the window's layout"
layout="$log_dir/layout.txt"
(cd "$tmp/layout" && timeout 60 setpriv --pdeathsig KILL "${user_env[@]}" \
  "$layout_tool" --card "$mnt" --config "$tmp/layout/cfg.ini") >"$layout" 2>"$log_dir/layout.log" ||
  fail "the layout tool failed; see $log_dir/layout.log"

step "starting quillmar --card <the mounted volume>"
(cd "$tmp/work" && exec setpriv --pdeathsig KILL "${user_env[@]}" "$quillmar" --card "$mnt") \
  >"$log_dir/quillmar.log" 2>&1 &
quillmar_pid=$!
main_window=""
for _ in $(seq 200); do
  main_window=$(xdo search --onlyvisible --name '^TORVEX$' 2>/dev/null | head -n 1 || true)
  [ -n "$main_window" ] && break
  kill -0 "$quillmar_pid" 2>/dev/null || fail "quillmar ended; see $log_dir/quillmar.log"
  sleep 0.1
done
[ -n "$main_window" ] || fail "the main window did not appear within 20 s"
eval "$(xdo getwindowgeometry --shell "$main_window")"
click() {
  local x y
  read -r x y < <(awk -v s="$1" -v i="$2" '$1 == s && $2 == i { print $7, $8; exit }' "$layout") || true
  [ -n "${y:-}" ] || fail "the layout has no control $1 $2"
  xdo mousemove $(( X + x )) $(( Y + y )) click 1
}

step "choosing the card, unticking \"sync time and date\", pressing \"Set\""
card_row=$(awk '$1 == "card" { print $2; exit }' "$layout")
[ -n "$card_row" ] || fail "the card list shows no row for $mnt"
click card "$card_row"
click tab 3
click system 1061
click main 1006
for _ in $(seq 100); do cmp -s "$tmp/expected/window.conf" "$mnt/camera.conf" && break; sleep 0.1; done
[ -z "$(xdo search --onlyvisible --name '^Quillmar$' 2>/dev/null || true)" ] ||
  fail "the window shows an error box; see $log_dir/quillmar.log"

step "closing the window"
xdo windowfocus --sync "$main_window"
xdo key Escape
for _ in $(seq 100); do kill -0 "$quillmar_pid" 2>/dev/null || break; sleep 0.1; done
stop_process "$quillmar_pid"
quillmar_pid=""
stop_process "$xvfb_pid"
xvfb_pid=""

step "reading back what \"Set\" wrote"
expect_card "the window's \"Set\"" "$tmp/expected/window.conf"
step "passed"
