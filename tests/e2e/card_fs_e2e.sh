#!/usr/bin/env bash
# camera.conf on a real FAT32 or exFAT volume, mounted through FUSE (no
# kernel module needed).
#
#   card_fs_e2e.sh fat32|exfat QUILLMAR_CLI LOG_DIR [KILL_ROUNDS]
#
# A fresh volume holds the camera's own upper-case CAMERA.CONF; "quillmar-cli
# write" replaces it. Then the writer is killed with SIGKILL at random
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
loop="" fuse_pid=""
cleanup() {
  [ -z "$fuse_pid" ] || { fusermount -u "$mnt" 2>/dev/null || umount -l "$mnt" 2>/dev/null || true; stop_process "$fuse_pid"; }
  [ -z "$loop" ] || losetup -d "$loop" 2>/dev/null || true
}
. "$(dirname "$0")/e2e_common.sh"
skip() { echo "SKIPPED: $*"; exit 77; }

[ -c /dev/fuse ] && { : </dev/fuse; } 2>/dev/null || skip "/dev/fuse is missing or cannot be opened"
if [ "$mode" = exfat ]; then need fusermount mkfs.exfat fsck.exfat mount.exfat-fuse losetup; else need fusermount mkfs.fat fsck.fat fusefat mcopy mdir; fi
export MTOOLS_SKIP_CHECK=1
mnt="$tmp/card" image="$tmp/card.img"
mkdir -p "$mnt" "$tmp/work"

# Both FUSE servers run in the foreground, so that unmounting can wait for
# them to finish writing the image.
mount_card() {
  if [ "$mode" = exfat ]; then mount.exfat-fuse -d "$loop" "$mnt"; else fusefat -f -o rw+ "$image" "$mnt"; fi >>"$log_dir/fuse.log" 2>&1 &
  fuse_pid=$!
  watched=$fuse_pid wait_until 10 mountpoint -q "$mnt" || fail "the volume did not mount; see $log_dir/fuse.log"
}
unmount_card() {
  fusermount -u "$mnt" || fail "cannot unmount $mnt"
  wait "$fuse_pid" || true
  fuse_pid=""
}
# Unmounts, checks the volume and reads camera.conf back as another system
# does, into $tmp/read-back; exactly one name equal to camera.conf but for case.
check_and_read_back() {
  local names out
  unmount_card
  rm -f "$tmp/read-back"
  if [ "$mode" = exfat ]; then
    out=$(fsck.exfat -n "$loop" 2>&1) || fail "fsck.exfat -n finds the volume damaged:" "$out"
    mount_card
    names=$(ls -A "$mnt")
    [ ! -e "$mnt/camera.conf" ] || cp "$mnt/camera.conf" "$tmp/read-back"
    unmount_card
  else
    out=$(fsck.fat -n "$image" 2>&1) || fail "fsck.fat -n finds the volume damaged:" "$out"
    names=$(mdir -i "$image" -b ::/ | sed 's|^::/||')
    mcopy -n -i "$image" ::camera.conf "$tmp/read-back" 2>/dev/null || true
  fi
  [ "$({ grep -ic '^camera\.conf$' <<<"$names" || true; })" -eq 1 ] || fail "not exactly one camera.conf on the card:" "$names"
  mount_card
}

step "making a $mode volume with the camera's CAMERA.CONF"
printf 'enable_cfg=true\r\nmode_1=1920x1080p 30\r\n' >"$tmp/camera-wrote.conf"
truncate -s 64M "$image"
if [ "$mode" = exfat ]; then
  [ -c /dev/loop-control ] || skip "/dev/loop-control is missing: no loop devices for exFAT"
  loop=$(losetup -f --show "$image" 2>/dev/null) || skip "no loop device can be set up for exFAT"
  mkfs.exfat "$loop" >"$log_dir/mkfs.log" 2>&1
  mount_card
  cp "$tmp/camera-wrote.conf" "$mnt/CAMERA.CONF"
else
  mkfs.fat -F 32 "$image" >"$log_dir/mkfs.log" 2>&1
  mcopy -i "$image" "$tmp/camera-wrote.conf" ::CAMERA.CONF
  mount_card
fi

# The CLI runs in an empty working folder: no profiles, the defaults. No
# clock line, so the bytes do not depend on the time.
settings=(video_quality=fine image_wb=cloudy)
for i in 0 1; do (cd "$tmp/work" && "$cli" print --no-sync-clock --set "${settings[$i]}") >"$tmp/expected-$i"; done
write() { (cd "$tmp/work" && exec timeout 30 "$cli" write --card "$mnt" --no-sync-clock --set "${settings[$1]}"); }

step "quillmar-cli write over the camera's CAMERA.CONF"
write 0 || fail "quillmar-cli write failed"
check_and_read_back
cmp -s "$tmp/expected-0" "$tmp/read-back" || fail "camera.conf after the write:" "$(cat -A "$tmp/read-back")"

# The write comes last in a writer's short life: the kills are spread over
# how long one run takes, so that many land in it.
step "one more write, to measure how long a writer runs"
t0=$(date +%s%N); write 0
span_ms=$(( ($(date +%s%N) - t0) / 1000000 + 1 ))
# QUILLMAR_KILL_SEED=N repeats a run's kill moments.
RANDOM=${QUILLMAR_KILL_SEED:=$(( $(date +%s) % 32768 ))}
echo "        QUILLMAR_KILL_SEED=$QUILLMAR_KILL_SEED"
on_card=0 old=0 new=0
step "killing the writer at random moments, $rounds times (a run takes $span_ms ms)"
for round in $(seq "$rounds"); do
  next=$(( 1 - on_card ))
  delay_ms=$(( (RANDOM * 32768 + RANDOM) % span_ms ))
  (cd "$tmp/work" && exec "$cli" write --card "$mnt" --no-sync-clock --set "${settings[$next]}") >/dev/null 2>&1 &
  writer=$!
  sleep "$(( delay_ms / 1000 )).$(printf '%03d' $(( delay_ms % 1000 )))"
  kill -9 "$writer" 2>/dev/null || true
  wait "$writer" 2>/dev/null || true
  step="round $round: checking the volume after a kill at $delay_ms ms"
  check_and_read_back
  if cmp -s "$tmp/expected-$next" "$tmp/read-back"; then on_card=$next new=$((new + 1))
  elif cmp -s "$tmp/expected-$on_card" "$tmp/read-back"; then old=$((old + 1))
  else fail "camera.conf is neither the old nor the new bytes:" "$(cat -A "$tmp/read-back")"
  fi
done
unmount_card
step "passed: after $rounds kills, $old times the old bytes, $new times the new ones; all clean"
