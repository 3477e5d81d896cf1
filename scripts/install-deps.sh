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
  libcli11-dev nlohmann-json3-dev  # header-only: quillmar-cli parses and prints JSON with them
  clang libclang-rt-14-dev
  fonts-dejavu-core fonts-droid-fallback
  xvfb xauth xdotool x11-utils imagemagick
  # The eject tests run a private D-Bus bus with a stand-in UDisks2 service
  # written in Python (dbus-python on a GLib main loop).
  dbus-daemon python3-dbus python3-gi
  # Real FAT32 and exFAT cards for the end-to-end test, mounted through FUSE
  # (no kernel module), read back and checked without our code.
  fuse3                 # fusermount: unmounting the FUSE volumes
  dosfstools            # mkfs.fat, fsck.fat
  fusefat               # mounts a FAT image file read-write
  exfatprogs            # mkfs.exfat, fsck.exfat
  exfat-fuse            # mounts an exFAT volume from a loop device
  mtools                # reads a FAT image without mounting it
  mount                 # losetup: the loop device under the exFAT volume
)
# The packaging test: dpkg-buildflags and dpkg-shlibdeps, lintian,
# hardening-check (devscripts), the desktop-entry and AppStream validators,
# man to render the man pages, debootstrap for the optional minimal root.
packages+=(dpkg-dev lintian devscripts desktop-file-utils appstream man-db debootstrap)
# The Windows build and its tests: the MinGW-w64 cross compiler, GoogleTest's
# sources (built with it), the header-only command-line and JSON libraries,
# Wine to run the programs, the locale sources the code-page tests compile,
# and makensis for the installer.
packages+=(g++-mingw-w64-x86-64-posix googletest libcli11-dev nlohmann-json3-dev wine64 locales nsis)
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
