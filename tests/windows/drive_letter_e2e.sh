#!/usr/bin/env bash
# drive_letter_e2e.sh WORK LIST_DRIVES [QUILLMAR_CLI_EXE LINUX_QUILLMAR_CLI]
# In the Wine prefix $WINEPREFIX, maps a folder as the removable drive E:
# (label from .windows-label, a version.txt), makes C: removable too, and
# checks that the drive list holds exactly E: with its label, space and
# version, and that C: (it holds Windows) and Z: are not cards. Given the
# Windows quillmar-cli, also checks `cards`, and that `print` and `write` give
# the bytes the Linux build gives.
set -euo pipefail
work=$1 list_drives=$2 cli=${3:-} linux_cli=${4:-}
wine=/usr/lib/wine/wine64
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

card=$work/card
rm -rf "$work" && mkdir -p "$card"
printf 'CAMERA' >"$card/.windows-label"
printf 'V1.02\r\n' >"$card/version.txt"
ln -sfn "$card" "$WINEPREFIX/dosdevices/e:"
for letter in c e; do "$wine" reg add 'HKLM\Software\Wine\Drives' /v "$letter:" /d floppy /f >/dev/null; done
/usr/lib/wine/wineserver -k # the drive types are read when the server starts

# Space as Linux sees the folder, in whole MB: what Wine reports for E:.
total_mb=$(($(stat -f -c '%b * %S' "$card") >> 20))
out=$("$wine" "$list_drives" | tr -d '\r')
echo "$out"
cards=$(grep '^card|' <<<"$out" || true)
[[ $cards =~ ^card\|E:\\\|CAMERA\|[0-9]+\|([0-9]+)\|V1\.02\\r\\n$ ]] || fail "not exactly E: with label and version: $cards"
[ "${BASH_REMATCH[1]}" = "$total_mb" ] || fail "E: total ${BASH_REMATCH[1]} MB, the folder's volume has $total_mb MB"
grep -qx 'drive|C:\\|removable|system-disk' <<<"$out" || fail "C: holds Windows and must not be a card"
grep -qx 'drive|Z:\\|fixed|fixed-disk' <<<"$out" || fail "Z: is a fixed disk"

[ -n "$cli" ] || exit 0
# Nothing but DLLs every Windows has: the C++ runtime is linked in.
dlls=$(x86_64-w64-mingw32-objdump -p "$cli" | sed -n 's/^\s*DLL Name: //p')
grep -viqE '^(kernel32|msvcrt|user32|gdi32|advapi32|shell32|ole32|comctl32)\.dll$' <<<"$dlls" && fail "needs $dlls"
cd "$work"
listing=$("$wine" "$cli" cards | tr -d '\r')
grep -qE '^E:\\(\\)? +CAMERA +[0-9]+ MB/'"$total_mb"' MB\(.*\) +V1\.02$' <<<"$listing" || fail "cards does not list E:: $listing"
option_sets=("" "--set timelapse=5s --set mic_vol=mute" "--set image_wb=auto --no-sync-clock")
for options in "${option_sets[@]}"; do
  # shellcheck disable=SC2086 # each set is split into its words
  cmp <("$wine" "$cli" print $options) <("$linux_cli" print $options) || fail "print $options differs"
  # shellcheck disable=SC2086
  "$wine" "$cli" write --card "E:\\" $options || fail "write $options failed"
  # shellcheck disable=SC2086
  cmp "$card/camera.conf" <("$linux_cli" print $options) || fail "write $options differs"
done
