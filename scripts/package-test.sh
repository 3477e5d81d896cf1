#!/usr/bin/env bash
# Builds the Debian packages and checks them as a maintainer would. Fails on
# any lintian error or warning (pedantic level shown), a hardening-check
# "no" that applies, a GUI library among quillmar-cli's dependencies, a file
# shipped by both packages, a build path left in a binary, or a missing
# copyright, changelog, extended description or man page.
#
#   scripts/package-test.sh [--root]
#
# --root also installs the packages into a fresh minimal Debian 12 root made
# with debootstrap (needs the Debian archive and a few minutes): quillmar-cli
# alone without Recommends must pull no GUI library, then quillmar must
# bring a font for its Chinese captions.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build/package
with_root=false
[ "${1:-}" = --root ] && with_root=true

for tool in lintian hardening-check dpkg-deb dpkg-shlibdeps desktop-file-validate appstreamcli readelf gcc; do
  command -v "$tool" >/dev/null || { echo "$tool is missing; scripts/install-deps.sh installs it" >&2; exit 1; }
done

./scripts/package.sh "$build" >/dev/null
cli_deb=$(ls "$build"/debs/quillmar-cli_*.deb)
window_deb=$(ls "$build"/debs/quillmar_*.deb)

tmp=$(mktemp -d "${TMPDIR:-/tmp}/quillmar-package.XXXXXX")
cleanup() {
  if [ -d "$tmp/root/proc/self" ]; then umount "$tmp/root/proc" || true; fi
  rm -rf "$tmp"
}
trap cleanup EXIT

failures=()
fail() { failures+=("$*"); echo "FAIL: $*" >&2; }

echo "== lintian --pedantic"
lintian --pedantic --display-info --tag-display-limit 0 --fail-on error,warning "$cli_deb" "$window_deb" ||
  fail "lintian reports errors or warnings"

# The toolchain can mark a binary as built with control-flow protection only
# when its C start files carry the mark too (Debian 12's do not).
echo 'int main(void) { return 0; }' >"$tmp/cf.c"
cf_applies=false
if gcc -fcf-protection -o "$tmp/cf" "$tmp/cf.c" 2>/dev/null &&
  readelf -n "$tmp/cf" | grep -q 'x86 feature: IBT, SHSTK'; then
  cf_applies=true
fi

for deb in "$cli_deb" "$window_deb"; do
  package=$(dpkg-deb -f "$deb" Package)
  echo "== $package: $(stat -c %s "$deb") bytes, $(dpkg-deb -f "$deb" Installed-Size) KiB installed"
  dest=$tmp/$package
  dpkg-deb -x "$deb" "$dest"
  dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $NF}' | sort >"$tmp/$package.files"

  binary=$dest/usr/bin/$package
  [ -x "$binary" ] || fail "$package: no usr/bin/$package"
  report=$(hardening-check "$binary" || true)
  echo "$report"
  while IFS= read -r line; do
    case $line in
    *"Control flow integrity: no"*) $cf_applies && fail "$package: $line" ;;
    *": no"*) fail "$package: $line" ;;
    esac
  done <<<"$report"
  readelf -S "$binary" | grep -q '\.debug_\|\.symtab' && fail "$package: binary not stripped"
  grep -qF "$root" "$binary" && fail "$package: binary holds the build path $root"

  doc=$dest/usr/share/doc/$package
  head -1 "$doc/copyright" 2>/dev/null | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
    fail "$package: no machine-readable copyright file"
  gzip -t "$doc/changelog.gz" 2>/dev/null || fail "$package: no changelog.gz"
  zcat "$doc/changelog.gz" | head -1 | grep -q "^quillmar ($(dpkg-deb -f "$deb" Version))" ||
    fail "$package: the changelog's newest entry is not this version"
  gzip -t "$dest/usr/share/man/man1/$package.1.gz" 2>/dev/null || fail "$package: no man page $package(1)"
  [ "$(dpkg-deb -f "$deb" Description | wc -l)" -gt 2 ] || fail "$package: no extended description"
done

echo "== dependencies"
cli_depends=$(dpkg-deb -f "$cli_deb" Depends)
window_depends=$(dpkg-deb -f "$window_deb" Depends)
echo "quillmar-cli: $cli_depends"
echo "quillmar:     $window_depends"
# QtDBus (eject through UDisks2) is no GUI library: it needs only QtCore and libdbus.
gui='libqt6(gui|widgets|opengl)|libx11|libxcb|libgl1|libglx|libegl|libwayland|libfontconfig|libfreetype|fonts-'
grep -qE "$gui" <<<"$cli_depends" && fail "quillmar-cli depends on a GUI library: $cli_depends"
grep -q 'libqt6core6' <<<"$cli_depends" || fail "quillmar-cli lacks its QtCore dependency"
grep -q 'libqt6widgets6' <<<"$window_depends" || fail "quillmar lacks its Qt Widgets dependency"
# One alternative list of fonts that cover the Chinese captions.
grep -qE '(^|, )fonts-[a-z-]+( \| fonts-[a-z-]+)+(,|$)' <<<"$window_depends" ||
  fail "quillmar does not depend on a list of CJK fonts"

shared=$(comm -12 "$tmp/quillmar-cli.files" "$tmp/quillmar.files")
[ -z "$shared" ] || fail "files in both packages: $shared"
[ "$(stat -c %s "$window_deb")" -lt 1000000 ] || fail "quillmar's package is 1 MB or more"

echo "== desktop entry and AppStream data"
desktop-file-validate "$tmp/quillmar/usr/share/applications/org.quillmar.Quillmar.desktop" ||
  fail "the desktop entry does not validate"
appstreamcli validate --no-net --pedantic "$tmp/quillmar/usr/share/metainfo/org.quillmar.Quillmar.metainfo.xml" ||
  fail "the AppStream data does not validate"

if $with_root; then
  echo "== a minimal Debian 12 root"
  command -v debootstrap >/dev/null || { echo "debootstrap is missing" >&2; exit 1; }
  debootstrap --variant=minbase bookworm "$tmp/root" http://deb.debian.org/debian >"$tmp/debootstrap.log" 2>&1 ||
    { tail -20 "$tmp/debootstrap.log"; fail "debootstrap failed"; }
  cp "$cli_deb" "$window_deb" "$tmp/root/tmp/"
  mount -t proc proc "$tmp/root/proc"
  in_root() { chroot "$tmp/root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive "$@"; }
  in_root apt-get update -qq
  in_root dpkg-query -W -f '${Package}\n' | sort >"$tmp/before"
  usr_kib() { in_root du -sk /usr | cut -f1; }
  kib_before=$(usr_kib)
  in_root apt-get install -y -qq --no-install-recommends "/tmp/$(basename "$cli_deb")" >/dev/null
  in_root dpkg-query -W -f '${Package}\n' | sort >"$tmp/after-cli"
  added=$(comm -13 "$tmp/before" "$tmp/after-cli" | tr '\n' ' ')
  echo "quillmar-cli brought $(wc -w <<<"$added") packages, $(( $(usr_kib) - kib_before )) KiB: $added"
  grep -qE "$gui" <<<"$added" && fail "installing quillmar-cli pulled a GUI library: $added"
  in_root quillmar-cli --version || fail "quillmar-cli does not run in the minimal root"
  in_root apt-get install -y -qq --no-install-recommends "/tmp/$(basename "$window_deb")" >/dev/null
  in_root dpkg-query -W -f '${Package}\n' | sort >"$tmp/after-window"
  echo "quillmar brought $(comm -13 "$tmp/after-cli" "$tmp/after-window" | wc -l) more packages," \
    "$(( $(usr_kib) - kib_before )) KiB in all"
  fonts=$(grep -oE 'fonts-[a-z-]+' <<<"$window_depends" | grep -xF -f - "$tmp/after-window" || true)
  echo "CJK font installed: ${fonts:-none}"
  [ -n "$fonts" ] || fail "no font for the Chinese captions came with quillmar"
  in_root env QT_QPA_PLATFORM=offscreen quillmar --version || fail "quillmar does not run in the minimal root"
  in_root apt-get purge -y -qq quillmar quillmar-cli >/dev/null
  in_root sh -c 'ls /usr/bin/quillmar* /usr/share/doc/quillmar* 2>/dev/null' && fail "files left after purge"
fi

if [ ${#failures[@]} -gt 0 ]; then
  printf 'package test FAILED: %s\n' "${failures[@]}" >&2
  exit 1
fi
echo "package test passed"
