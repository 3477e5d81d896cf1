#!/usr/bin/env bash
# Installs the Debian packages the project needs, when they are missing.
set -euo pipefail

# Build and test tools, Qt, the fonts the window's captions need (Latin and
# Chinese), the fuzzing runtime, and a virtual X server with input
# simulation for the end-to-end test and the screenshots.
packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  fonts-dejavu-core fonts-droid-fallback
  xvfb xauth xdotool x11-utils imagemagick
)
# Layout and naming checks (scripts/lint.sh): clang-format and clang-tidy,
# and clang-apply-replacements (clang-tools-14) for applying renames that
# span several files at once.
# python3 and python3-yaml read the build's compile database and filter the fixes.
packages+=(clang-format-14 clang-tidy-14 clang-tools-14 python3 python3-yaml)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
