#!/usr/bin/env bash
# Checks the layout (.clang-format) and the names and the few other checks
# of .clang-tidy on our own sources; exits non-zero on any violation.
#
#   scripts/lint.sh [BUILD_DIR [PATH...]]         check
#   scripts/lint.sh --fix [BUILD_DIR [PATH...]]   rename and reformat in place
#
# BUILD_DIR (default build/dev) must hold compile_commands.json: configuring
# a preset is enough, nothing has to be built. PATHs (folders or files of the
# source tree) narrow the run; by default it covers src, tests, bench, tools
# and fuzz. Headers are checked through the sources that include them.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

fix=0
if [ "${1:-}" = "--fix" ]; then
  fix=1
  shift
fi
build_dir=${1:-build/dev}
[ $# -gt 0 ] && shift
paths=("$@")
[ ${#paths[@]} -gt 0 ] || paths=(src tests bench tools fuzz)
jobs=$(nproc)

clang_format=$(command -v clang-format-14 || command -v clang-format)
clang_tidy=$(command -v clang-tidy-14 || command -v clang-tidy)

if [ ! -f "$build_dir/compile_commands.json" ]; then
  echo "lint: $build_dir/compile_commands.json is missing; run 'cmake --preset dev' first" >&2
  exit 2
fi

# Sources to format: every C++ file git knows under the paths.
mapfile -t format_files < <(git ls-files -- "${paths[@]}" | grep -E '\.(cpp|h)$')

# Sources to analyse: the translation units of the build under the paths
# (generated files such as moc output live in the build folder: left out).
mapfile -t tidy_files < <(python3 - "$build_dir/compile_commands.json" "$root" "${paths[@]}" <<'EOF'
import json, os, sys
db, root, paths = sys.argv[1], sys.argv[2], [os.path.normpath(p) for p in sys.argv[3:]]
seen = set()
for entry in json.load(open(db)):
    rel = os.path.relpath(os.path.normpath(os.path.join(entry["directory"], entry["file"])), root)
    if rel.startswith("build") or rel in seen:
        continue
    if any(rel == p or rel.startswith(p + os.sep) for p in paths):
        seen.add(rel)
        print(rel)
EOF
)

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

if [ "$fix" -eq 1 ]; then
  apply=$(command -v clang-apply-replacements-14 || command -v clang-apply-replacements ||
    { echo "lint: clang-apply-replacements is missing (clang-tools-14)" >&2; exit 2; })
  # Every translation unit exports its fixes and they are applied once,
  # together: a header shared by many units is edited once, and every use
  # in every unit follows its declaration.
  printf '%s\n' "${tidy_files[@]}" | nl -ba -w1 -s' ' |
    xargs -P "$jobs" -L 1 sh -c '"$0" -p "$1" --quiet --header-filter="$2" --export-fixes="$3/$4.yaml" "$5" \
      >"$3/$4.log" 2>/dev/null || true' "$clang_tidy" "$build_dir" "^$root/(src|tests|bench|tools|fuzz)/" "$tmp"
  # Only the renames are applied; what the other checks found is shown.
  python3 - "$tmp" <<'EOF'
import glob, sys, yaml
for path in glob.glob(sys.argv[1] + "/*.yaml"):
    doc = yaml.safe_load(open(path)) or {}
    diagnostics = doc.get("Diagnostics") or []
    for d in diagnostics:
        if d["DiagnosticName"] != "readability-identifier-naming":
            m = d["DiagnosticMessage"]
            print("lint: not fixed: %s:%s: %s [%s]" % (m["FilePath"], m["FileOffset"], m["Message"], d["DiagnosticName"]))
    doc["Diagnostics"] = [d for d in diagnostics if d["DiagnosticName"] == "readability-identifier-naming"]
    yaml.safe_dump(doc, open(path, "w"))
EOF
  "$apply" "$tmp"
  printf '%s\0' "${format_files[@]}" | xargs -0 -P "$jobs" -n 16 "$clang_format" -i
  echo "lint: renamed and reformatted ${#tidy_files[@]} units; review 'git diff', build and test"
  exit 0
fi

status=0
echo "lint: clang-format on ${#format_files[@]} files"
printf '%s\0' "${format_files[@]}" | xargs -0 -P "$jobs" -n 16 "$clang_format" --dry-run --Werror || status=1
echo "lint: clang-tidy on ${#tidy_files[@]} translation units"
# Diagnostics go to stdout; clang-tidy's own counts ("N warnings generated")
# go to stderr, where they are noise.
printf '%s\0' "${tidy_files[@]}" |
  xargs -0 -P "$jobs" -n 1 "$clang_tidy" -p "$build_dir" --quiet \
    2> >(grep -v -E 'warnings? (and [0-9]+ errors? )?generated\.$|^Suppressed [0-9]+ warnings|^Use -header-filter' >&2) ||
  status=1
if [ "$status" -eq 0 ]; then echo "lint: clean"; else echo "lint: violations found" >&2; fi
exit "$status"
