#!/usr/bin/env bash
# Renders the committed PNG icons and images from the SVG sources in
# resources/svg. Only needed after editing an SVG: the PNGs are committed and
# the build never runs this. Needs rsvg-convert (Debian: librsvg2-bin), which
# is deliberately not part of scripts/install-deps.sh.
set -euo pipefail
res="$(cd "$(dirname "$0")/../resources" && pwd)"
svg="$res/svg"

command -v rsvg-convert >/dev/null || {
  echo "rsvg-convert not found (apt-get install librsvg2-bin)" >&2
  exit 1
}

# render SOURCE SIZE OUTPUT
render() {
  rsvg-convert --width "$2" --height "$2" "$svg/$1" -o "$res/$3"
}

mkdir -p "$res/icons" "$res/images"

# 16 px sizes come from separate pixel-fitted drawings.
render app_16.svg 16 icons/app_16.png
for size in 32 48 64 128; do
  render app.svg "$size" "icons/app_$size.png"
done

render about_16.svg 16 icons/about_16.png
for size in 32 48 64 128 256; do
  render about.svg "$size" "icons/about_$size.png"
done

render card_16.svg 16 icons/card_16.png
render card.svg 32 icons/card_32.png

rsvg-convert "$svg/logo.svg" -o "$res/images/logo.png"

# Scalable app icon for desktop integration (hicolor/scalable/apps).
cp "$svg/app.svg" "$res/icons/quillmar.svg"

# The Windows icon (programs' resources, installer, shortcut): the app PNGs
# as they are, one image a size. ImageMagick's output is byte-for-byte the
# same for the same PNGs.
(cd "$res/icons" && convert app_16.png app_32.png app_48.png app_64.png app_128.png ../quillmar.ico)

echo "rendered into $res"
