#!/usr/bin/env bash
# Makes docs/window.png, the README's picture of the window, under a virtual
# X server: a first start with a folder offered as the camera's card.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/CAMERA"
printf 'FW 1.0.3\r\n' > "$tmp/CAMERA/version.txt"
"$root/scripts/screenshots.sh" "$tmp/shots" --card "$tmp/CAMERA"
mkdir -p "$root/docs"
cp "$tmp/shots/tab-0-mode.png" "$root/docs/window.png"
echo "wrote $root/docs/window.png"
