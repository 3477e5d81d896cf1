#!/usr/bin/env bash
# drive_letter_e2e.sh WORK LIST_DRIVES [QUILLMAR_CLI_EXE LINUX_QUILLMAR_CLI]
# In the Wine prefix $WINEPREFIX, maps a folder as the removable drive E:
# (label from .windows-label, a version.txt), makes C: removable too, and
# checks that the drive list holds exactly E: with its label, space and
# version, and that C: (it holds Windows) and Z: are not cards. Given the
# Windows quillmar-cli, also checks `cards`; that `print`, `write`, the
# profile commands and refusals give the Linux build's bytes and status, also
# on cfg.ini files in the ANSI code pages 1252 and 936; a read-only
# camera.conf; and that saves at the same time lose nothing. (installer_test.sh
# checks where --user-config keeps the profiles.)
set -euo pipefail
work=$1 list_drives=$2 cli=${3:-} linux_cli=${4:-}
. "$(dirname "$0")/wine_drives.sh"
fail() { echo "FAIL: $*" >&2; exit 1; }

card=$work/card
rm -rf "$work" && mkdir -p "$card"
printf 'CAMERA' >"$card/.windows-label"
printf 'V1.02\r\n' >"$card/version.txt"
map_drive e floppy "$card"
map_drive c floppy
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

# The same command line in win/DIR and lin/DIR gives the same output (quoted
# paths, which differ between the systems, left out) and status, and leaves
# the same files, with both builds; the Windows outcome is left in $w.
paths='s/"[^"]*[\\/][^"]*"/PATH/g'
same() {
  mkdir -p "$work/win/$1" "$work/lin/$1"
  w=$(cd "$work/win/$1" && "$wine" "$cli" "${@:2}" 2>&1 | sed "$paths"; echo "status ${PIPESTATUS[0]}")
  l=$(cd "$work/lin/$1" && "$linux_cli" "${@:2}" 2>&1 | sed "$paths"; echo "status ${PIPESTATUS[0]}")
  [ "$w" = "$l" ] || fail "in $*: $w on Windows, $l on Linux"
  diff -r "$work/win/$1" "$work/lin/$1" >&2 || fail "in $*: other files left"
}
# shellcheck disable=SC2086 # the folder, then the command line
for args in "p save --profile a --set osd=off" "p save --profile b --no-sync-clock" "p delete --profile a" "p profiles" \
  "r print --colour" "r print --set timelapse=Off" "r save --profile x --config c.ini --user-config"; do same $args; done

# Files another Windows program wrote in its ANSI code page: the names print
# as UTF-8 and a save keeps the code page; in UTF-8 the file equals Linux's.
# Wine takes the code page from the locale and decodes the command line in
# its character set, which needs the locale compiled.
for page in CP1252:en_US:Café GBK:zh_CN:夜景; do
  IFS=: read -r code locale name <<<"$page"
  mkdir -p "$work/win/$code" "$work/lin/$code"
  printf '[basic]\r\nlast_cfg=%s\r\n[profile-x]\r\n[profile-%s]\r\nosd=off\r\n; %s\r\n' "$name" "$name" "$name" |
    tee "$work/lin/$code/cfg.ini" | iconv -f UTF-8 -t "$code" >"$work/win/$code/cfg.ini"
  localedef -i "$locale" -f UTF-8 "$work/$locale.UTF-8"
  win=(env -C "$work/win/$code" LOCPATH="$work" LC_ALL="$locale.UTF-8" "$wine" "$cli")
  [ "$("${win[@]}" profiles)" = "x"$'\n'"$name" ] || fail "$code: profiles gives $("${win[@]}" profiles)"
  "${win[@]}" save --profile "$name" --set osd=on || fail "$code: save failed"
  (cd "$work/lin/$code" && "$linux_cli" save --profile "$name" --set osd=on)
  cmp <(iconv -f "$code" -t UTF-8 "$work/win/$code/cfg.ini") "$work/lin/$code/cfg.ini" || fail "$code: save differs"
done

# A camera.conf without write permission, which Windows sees as read-only, is
# refused as on Linux and left as it is.
for side in win lin; do install -D -m 444 "$card/camera.conf" "$work/$side/ro/camera.conf"; done
same ro write --card .
[[ $w == *read-only* ]] || fail "a read-only camera.conf is not refused as such: $w"

# Six saves at once on one cfg.ini: each succeeds and every profile is kept.
for n in 1 2 3 4 5 6; do (cd "$work/win/p" && "$wine" "$cli" save --profile "q$n") || touch "$work/failed" & done
wait
saved=$(cd "$work/win/p" && "$wine" "$cli" profiles | LC_ALL=C sort | tr '\n' ' ')
[[ ! -e $work/failed && $saved = "b default q1 q2 q3 q4 q5 q6 " ]] || fail "six saves at once kept $saved"
