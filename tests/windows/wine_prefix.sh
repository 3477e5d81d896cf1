#!/usr/bin/env bash
# wine_prefix.sh start|stop PREFIX: makes a fresh Wine prefix (drive C: and
# the registry) for one test run and keeps its Wine server up, so each test
# program starts in well under a second; or shuts that server down.
set -euo pipefail
export WINEPREFIX=$2
/usr/lib/wine/wineserver -k 2>/dev/null || true
[ "$1" = start ] || exit 0
rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX"
# Detached from our output, which ctest waits on until every holder closes it.
/usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1
/usr/lib/wine/wine64 wineboot -i </dev/null >/dev/null 2>&1
# Windows without an X server: the unit tests create dialogs, never show them.
# The desktop picks its driver when the server starts, so the server restarts.
/usr/lib/wine/wine64 reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f </dev/null >/dev/null 2>&1
/usr/lib/wine/wineserver -k
/usr/lib/wine/wineserver -p </dev/null >/dev/null 2>&1
# Starts the desktop process here, away from the output of the tests.
/usr/lib/wine/wine64 wineboot </dev/null >/dev/null 2>&1
test -d "$WINEPREFIX/drive_c/windows"
