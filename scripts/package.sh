#!/usr/bin/env bash
# Builds the Debian packages quillmar-cli and quillmar as a maintainer would:
# a Release build of its own with Debian's hardening flags, no build paths in
# the binaries, stripped by cpack. The packages land in build/package/debs.
#
#   scripts/package.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${1:-$root/build/package}

# Every hardening feature Debian has, unless the caller chose others.
export DEB_BUILD_MAINT_OPTIONS=${DEB_BUILD_MAINT_OPTIONS:-hardening=+all}
cxxflags="" cppflags="" ldflags=""
if command -v dpkg-buildflags >/dev/null; then
  # CMake has no CPPFLAGS of its own; the preprocessor flags go with the
  # compiler's. dpkg-buildflags maps this folder to "." in debug info.
  cxxflags=$(dpkg-buildflags --get CXXFLAGS)
  cppflags=$(dpkg-buildflags --get CPPFLAGS)
  ldflags=$(dpkg-buildflags --get LDFLAGS)
fi
# Debian 12's dpkg knows neither control-flow nor stack-clash protection and
# stops at fortify level 2; GCC 12 and glibc 2.36 have all three. Level 3
# also checks copies whose size is only known at run time.
cppflags=${cppflags/_FORTIFY_SOURCE=2/_FORTIFY_SOURCE=3}
[[ " $cxxflags " == *" -fstack-clash-protection "* ]] || cxxflags="$cxxflags -fstack-clash-protection"
if [ "$(uname -m)" = x86_64 ] && [[ " $cxxflags " != *" -fcf-protection"* ]]; then
  cxxflags="$cxxflags -fcf-protection"
fi
cxxflags="$cxxflags $cppflags"
# Source and build paths stay out of the binaries (__FILE__, debug info)
# even without dpkg-buildflags.
cxxflags="$cxxflags -ffile-prefix-map=$root=."

# Only the two programs are built: cpack would otherwise build every test
# and benchmark first. Warnings are reported, not fatal: a package build
# must not fail on a new compiler's new warning.
cmake -S "$root" -B "$build" -G Ninja --no-warn-unused-cli \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS="$cxxflags" \
  -DCMAKE_EXE_LINKER_FLAGS="$ldflags" \
  -DCMAKE_STRIP="$root/packaging/strip-binary.sh" \
  -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
  -DQUILLMAR_WERROR=OFF \
  -DQUILLMAR_BUILD_TESTS=OFF \
  -DQUILLMAR_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target quillmar quillmar-cli -j "$(nproc)"

rm -rf "$build/debs"
cpack --config "$build/CPackConfig.cmake" -B "$build/debs" >/dev/null
rm -rf "$build/debs/_CPack_Packages"
ls "$build"/debs/*.deb
