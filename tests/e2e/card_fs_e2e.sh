#!/usr/bin/env bash
# camera.conf on a real FAT32 or exFAT volume, mounted through FUSE (no
# kernel module needed).
#
#   card_fs_e2e.sh fat32|exfat QUILLMAR_CLI LOG_DIR [KILL_ROUNDS]
#
# A fresh volume holds the camera's own upper-case CAMERA.CONF and
# VERSION.TXT. "cards --json" shows the version; "quillmar-cli write"
# replaces the file. Then the writer is killed with SIGKILL at random
# moments, KILL_ROUNDS times (default 20). After every step the volume is
# unmounted, checked with fsck -n and read back without our code (mtools for
# FAT, a fresh mount for exFAT): exactly one camera.conf, in any case, with
# the old or the new bytes as "quillmar-cli print" gives them.
#
# Exits 77 (skipped) when FUSE or, for exFAT, loop devices are unavailable.
set -eEuo pipefail

mode=${1:-}
[ $# -ge 3 ] && { [ "$mode" = fat32 ] || [ "$mode" = exfat ]; } ||
  { echo "usage: $0 fat32|exfat QUILLMAR_CLI LOG_DIR [KILL_ROUNDS]" >&2; exit 2; }
cli=$2 log_dir=$3 rounds=${4:-20}
. "$(dirname "$0")/e2e_common.sh"
now_ms() { echo $(( $(date +%s%N) / 1000000 )); }
skip() { echo "SKIPPED: $*"; exit 77; }
trap 'fail "unexpected failure (status $?) of: $BASH_COMMAND"' ERR

# --- what this machine offers ---------------------------------------------------

[ -c /dev/fuse ] && { : </dev/fuse; } 2>/dev/null || skip "/dev/fuse is missing or cannot be opened"
tools=(fusermount mkfs.fat fsck.fat fusefat mcopy mdir timeout cmp)
[ "$mode" = exfat ] && tools=(fusermount mkfs.exfat fsck.exfat mount.exfat-fuse losetup timeout cmp)
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
cleanup() {
  trap - ERR
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

# The CLI runs in an empty working folder: no profiles, the defaults. No
# clock line, so the bytes do not depend on the time.
cli() { (cd "$tmp/work" && timeout 30 "$cli" "$@"); }

step "cards --json shows the upper-case VERSION.TXT"
cli cards --card "$mnt" --json >"$tmp/cards.json"
grep -q '"version_text": "V1.2.7 build 3"' "$tmp/cards.json" ||
  fail "the card's version is not shown:" "$(cat "$tmp/cards.json")"

settings=("--set video_quality=fine" "--set image_wb=cloudy")
for i in 0 1; do
  # shellcheck disable=SC2086
  cli print --no-sync-clock ${settings[$i]} >"$tmp/expected/$i"
done
cmp -s "$tmp/expected/0" "$tmp/expected/1" && fail "the two settings give the same bytes"

step "quillmar-cli write over the camera's CAMERA.CONF"
# shellcheck disable=SC2086
cli write --card "$mnt" --no-sync-clock ${settings[0]} || fail "quillmar-cli write failed"
expect_card "the write" "$tmp/expected/0"
mount_card

# The write itself comes last in a writer's short life: the kills are spread
# over the quickest of three runs, so that many land in it.
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
on_card=0 old=0 new=0
expect_on_card() {
  if cmp -s "$tmp/expected/$1" "$tmp/read-back"; then on_card=$1; return 0; fi
  return 1
}
step "killing the writer at random moments, $rounds times (a run takes $span_ms ms)"
for round in $(seq "$rounds"); do
  next=$(( 1 - on_card ))
  delay_ms=$(( (RANDOM * 32768 + RANDOM) % span_ms ))
  # shellcheck disable=SC2086
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
step "after $rounds kills: $old times the old bytes, $new times the new ones; all clean"
step "passed"
