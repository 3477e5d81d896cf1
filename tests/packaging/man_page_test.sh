#!/usr/bin/env bash
# Checks that a man page and the program's --help tell the same story:
# every option of --help (with its value name) and every command word is in
# the man page, and the man page names no option that --help lacks.
#
#   man_page_test.sh PROGRAM MAN_PAGE
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 PROGRAM MAN_PAGE" >&2; exit 2; }
program=$1
command -v man >/dev/null || { echo "SKIP: man is missing (package man-db)"; exit 0; }

help=$(QT_QPA_PLATFORM=offscreen "$program" --help)
# Rendered as a reader sees it, on long lines, in plain ASCII, with runs of
# blanks from justification squeezed.
text=$(LC_ALL=C.UTF-8 MANWIDTH=1000 man -l "$2" 2>/dev/null | col -b |
  sed 's/\xe2\x80\x90/-/g; s/\xe2\x88\x92/-/g' | tr -s ' ')

failures=()

# Options: "  -h, --help   ..." and "  --set <KEY=OPTION>   ...".
options_in_help=()
while read -r names; do
  value=$(grep -o '<[^>]*>' <<<"$names" | tr -d '<>' || true)
  for name in $(grep -oE -- '--?[A-Za-z][-A-Za-z]*' <<<"$names"); do
    options_in_help+=("$name")
    want=$name${value:+ $value}
    grep -qF -- "$want" <<<"$text" || failures+=("--help lists \"$want\"; the man page does not")
  done
done < <(sed -n '/^Options:/,/^$/p' <<<"$help" | grep -E '^ +-' | sed -E 's/^ +//; s/  .*//')
[ ${#options_in_help[@]} -gt 0 ] || failures+=("no options found in --help")

# Commands: the first word of each two-space-indented line under "Commands:".
while read -r word; do
  grep -qE -- "$(basename "$program") $word( |$)" <<<"$text" ||
    failures+=("--help lists the command \"$word\"; the man page's synopsis does not")
done < <(sed -n '/^Commands:/,/^Options:/p' <<<"$help" | grep -E '^  [a-z]' | awk '{print $1}')

# The other way round: an option the program no longer has.
for name in $(grep -oE -- '(^|[ [(|])--[a-z][-a-z]*' <<<"$text" | grep -oE -- '--[a-z][-a-z]*' | sort -u); do
  printf '%s\n' "${options_in_help[@]}" | grep -qxF -- "$name" ||
    failures+=("the man page names $name; --help does not")
done

[ ${#failures[@]} -eq 0 ] || { printf 'FAIL: %s\n' "${failures[@]}" >&2; exit 1; }
echo "man page and --help agree on ${#options_in_help[@]} option names"
