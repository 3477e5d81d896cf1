#!/usr/bin/env bash
# installer_test.sh WORK SETUP ZIP VERSION FILES...
# FILES are what the zip and the program folder hold besides uninstall.exe.
# In a fresh prefix of its own: installs silently; checks the program folder,
# the uninstall entry, quillmar-cli.exe --version from there and, with
# quillmar.exe, the Start menu entry with --user-config; uninstalls with the
# entry's quiet command and checks that all of that went and that the user's
# cfg.ini files and a file of theirs in the program folder stayed.
set -euo pipefail
work=$1 setup=$2 zip=$3 version=$4 files=("${@:5}")
fail() { echo "FAIL: $*" >&2; exit 1; }
# No menu entries on the machine that runs the test.
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml,winemenubuilder.exe='
wine=/usr/lib/wine/wine64 prefix_sh=$(dirname "$0")/wine_prefix.sh
rm -rf "$work" && mkdir -p "$work"
trap '"$prefix_sh" stop "$WINEPREFIX"' EXIT

[ "$(cmake -E tar tf "$zip" | sort)" = "$(printf '%s\n' "${files[@]}" | sort)" ] || fail "the zip holds $(cmake -E tar tf "$zip")"

"$prefix_sh" start "$WINEPREFIX"
"$wine" "$setup" /S || fail "setup failed"
dir="$WINEPREFIX/drive_c/Program Files/Quillmar" lnk="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Quillmar.lnk"
for file in "${files[@]}" uninstall.exe; do [ -f "$dir/$file" ] || fail "$file not installed"; done
[ "$("$wine" 'C:\Program Files\Quillmar\quillmar-cli.exe' --version)" = "quillmar-cli $version" ] || fail "installed quillmar-cli --version"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillmar'
entry=$("$wine" reg query "$key" | tr -d '\r')
grep -qE "^ +DisplayVersion +REG_SZ +$version$" <<<"$entry" || fail "no DisplayVersion $version: $entry"
quiet=$(sed -n 's/^ *QuietUninstallString *REG_SZ *//p' <<<"$entry")
[ "$quiet" = '"C:\Program Files\Quillmar\uninstall.exe" /S' ] || fail "QuietUninstallString $quiet"
if [[ " ${files[*]} " == *" quillmar.exe "* ]]; then
  # The target path is stored in the ANSI code page, the arguments in UTF-16.
  strings -a "$lnk" | grep -qxF 'C:\Program Files\Quillmar\quillmar.exe' || fail "the shortcut misses quillmar.exe"
  strings -a -el "$lnk" | grep -qx -- --user-config || fail "the shortcut misses --user-config"
fi

"$wine" 'C:\Program Files\Quillmar\quillmar-cli.exe' save --profile mine --user-config >/dev/null
printf mine | tee "$dir/cfg.ini" >"$dir/notes.txt"
# The uninstaller runs from a copy of itself in %TEMP% and returns at once;
# removing the key is its last step.
"$wine" 'C:\Program Files\Quillmar\uninstall.exe' /S
for _ in $(seq 60); do "$wine" reg query "$key" >/dev/null 2>&1 || break; sleep 0.5; done
"$wine" reg query "$key" >/dev/null 2>&1 && fail "the uninstall entry is still there"
for file in "${files[@]}" uninstall.exe; do [ ! -e "$dir/$file" ] || fail "$file left behind"; done
[ ! -e "$lnk" ] || fail "the shortcut is left behind"
[ "$(cat "$dir/cfg.ini" "$dir/notes.txt")" = minemine ] || fail "the user's files in the program folder went"
grep -q '^\[profile-mine\]' "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/Quillmar/cfg.ini ||
  fail "--user-config wrote no %APPDATA%\\Quillmar\\cfg.ini, or the uninstaller removed it"
