#!/usr/bin/env bash
# Counts code lines (non-blank, not only a comment) of the tests against the
# program: every file under tests/ but CMakeLists.txt, against src/.
# Usage: scripts/count-lines.sh [TREE]   (default: this checkout)
set -euo pipefail
root=${1:-"$(dirname "$0")/.."}

count() {
  find "$1" -type f ! -name CMakeLists.txt -print0 | xargs -0 awk '
    FNR == 1 { block = 0; hash = FILENAME ~ /\.(sh|py)$/ || FILENAME !~ /\.(cpp|h)$/ }
    {
      line = $0
      gsub(/^[ \t]+|[ \t\r]+$/, "", line)
      if (line == "") next
      if (hash) { if (line ~ /^#/ && line !~ /^#!/) next; n++; next }
      if (block) { if (line ~ /\*\//) { block = 0; sub(/.*\*\//, "", line); if (line == "") next } else next }
      if (line ~ /^\/\//) next
      if (line ~ /^\/\*/) { if (line !~ /\*\//) { block = 1; next } sub(/^\/\*.*\*\//, "", line); if (line == "") next }
      n++
    }
    END { print n + 0 }'
}

tests=$(count "$root/tests")
src=$(count "$root/src")
echo "tests: $tests lines"
echo "src:   $src lines"
awk -v t="$tests" -v s="$src" 'BEGIN { printf "ratio: %.1f %%\n", 100 * t / s }'
