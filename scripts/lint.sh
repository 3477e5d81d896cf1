#!/usr/bin/env bash
# Checks the layout (.clang-format) and the names (.clang-tidy) of our own
# sources; exits non-zero on any violation.
#
#   scripts/lint.sh [BUILD_DIR]          check (BUILD_DIR defaults to build/dev)
#   scripts/lint.sh --fix [BUILD_DIR]    rename and reformat in place
#
# clang-tidy needs BUILD_DIR/compile_commands.json (any configured preset;
# no build needed). Headers are checked through the sources that include them.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

fix=0
if [ "${1:-}" = "--fix" ]; then
  fix=1
  shift
fi
build_dir=${1:-build/dev}
jobs=$(nproc)

clang_format=$(command -v clang-format-14 || command -v clang-format)
clang_tidy=$(command -v clang-tidy-14 || command -v clang-tidy)
apply_replacements=$(command -v clang-apply-replacements-14 || command -v clang-apply-replacements || true)

if [ ! -f "$build_dir/compile_commands.json" ]; then
  echo "lint: $build_dir/compile_commands.json is missing; run 'cmake --preset dev' first" >&2
  exit 2
fi

# Sources to format: every C++ file git knows in our own folders.
mapfile -t format_files < <(git ls-files -- src tests bench tools fuzz | grep -E '\.(cpp|h)$')

# Sources to analyse: the translation units of our folders in the build
# (generated files such as moc output live in the build folder and are left out).
mapfile -t tidy_files < <(python3 - "$build_dir/compile_commands.json" "$root" <<'EOF'
import json, os, sys
root = sys.argv[2]
seen = set()
for entry in json.load(open(sys.argv[1])):
    path = os.path.normpath(os.path.join(entry["directory"], entry["file"]))
    rel = os.path.relpath(path, root)
    if rel.split(os.sep)[0] in ("src", "tests", "bench", "tools", "fuzz") and rel not in seen:
        seen.add(rel)
        print(rel)
EOF
)

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

if [ "$fix" -eq 1 ]; then
  [ -n "$apply_replacements" ] || { echo "lint: clang-apply-replacements is missing (clang-tools-14)" >&2; exit 2; }
  # Renames run before reformatting: each translation unit exports its fixes
  # and they are applied once, together, so a header shared by many units is
  # edited once and every use in every unit follows its declaration.
  rename_pass() {  # $1: clang-tidy config file
    local dir="$tmp/fixes.$(basename "$1")"
    mkdir -p "$dir"
    printf '%s\n' "${tidy_files[@]}" | nl -ba -w1 -s' ' |
      xargs -P "$jobs" -L 1 sh -c '"$0" -p "$1" --quiet --config-file="$2" --header-filter="$3" \
        --export-fixes="$4/$5.yaml" "$6" >/dev/null 2>&1 || true' \
        "$clang_tidy" "$build_dir" "$1" "$header_filter" "$dir"
    "$apply_replacements" "$dir"
  }
  header_filter="^$root/(src|tests|bench|tools|fuzz)/"
  # Only the naming check fixes; the other checks only report.
  python3 - "$tmp" <<'PY'
import re, sys
text = open(".clang-tidy").read()
options = re.findall(r"- \{ key: (readability-identifier-naming\.\w+), value: ('[^']*'|[^ }]+) \}", text)
def write(name, opts):
    with open(sys.argv[1] + "/" + name, "w") as f:
        f.write("Checks: '-*,readability-identifier-naming'\nCheckOptions:\n")
        for k, v in opts:
            f.write("  - { key: %s, value: %s }\n" % (k, v))
not_methods = [(k, v) for k, v in options if not k.split(".")[1].startswith("Method")]
# First everything but methods, so that members already carry their "_"
# when the accessors take the members' old names.
write("1-members.yaml", not_methods + [("readability-identifier-naming.MethodIgnoredRegexp", "'.*'")])
# Then the accessors: a camelBack method (lineEnd(), targetRoot()) is an
# accessor and becomes snake_case (line_end(), target_root()). Qt signals
# are methods, not accessors: the last pass makes them PascalCase.
write("2-accessors.yaml", not_methods + [
    ("readability-identifier-naming.MethodCase", "lower_case"),
    ("readability-identifier-naming.MethodIgnoredRegexp", "'^([A-Z].*|deviceChange)$'")])
# Last the checked-in convention for everything else.
write("3-naming.yaml", options)
PY
  for config in "$tmp"/[123]-*.yaml; do rename_pass "$config"; done
  printf '%s\0' "${format_files[@]}" | xargs -0 -P "$jobs" -n 16 "$clang_format" -i
  echo "lint: fixed; review 'git diff', then build and test"
  exit 0
fi

status=0
echo "lint: clang-format on ${#format_files[@]} files"
printf '%s\0' "${format_files[@]}" | xargs -0 -P "$jobs" -n 16 "$clang_format" --dry-run --Werror || status=1
echo "lint: clang-tidy on ${#tidy_files[@]} translation units"
# Diagnostics go to stdout; clang-tidy's own counts ("N warnings generated")
# to stderr, where they are noise.
printf '%s\0' "${tidy_files[@]}" |
  xargs -0 -P "$jobs" -n 1 "$clang_tidy" -p "$build_dir" --quiet 2> >(grep -v -E 'warnings? (and [0-9]+ errors? )?generated\.$|^Suppressed [0-9]+ warnings|^Use -header-filter' >&2) ||
  status=1
[ "$status" -eq 0 ] && echo "lint: clean" || echo "lint: violations found" >&2
exit "$status"
