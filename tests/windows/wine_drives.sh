# Drive letters in the Wine prefix $WINEPREFIX; sourced, not run.
wine=/usr/lib/wine/wine64
# map_drive LETTER TYPE [FOLDER]: the letter's type (floppy is removable),
# which Wine reads when its server starts, and the folder it shows, which
# Wine sees at once.
map_drive() {
  "$wine" reg add 'HKLM\Software\Wine\Drives' /v "$1:" /d "$2" /f >/dev/null
  [ -z "${3:-}" ] || ln -sfn "$3" "$WINEPREFIX/dosdevices/$1:"
}
