#!/usr/bin/env bash
# Checks that every C++ file of the tree is formatted as .clang-format says (clang-format 14).
# With --fix, formats them in place instead.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files -- '*.cpp' '*.h' | grep -v '^third_party/')
if [ "${1:-}" = --fix ]; then
  clang-format -i "${files[@]}"
  exit 0
fi
if ! clang-format --dry-run -Werror "${files[@]}" 2>/tmp/lignotek-format.$$; then
  head -n 40 /tmp/lignotek-format.$$ >&2
  rm -f /tmp/lignotek-format.$$
  echo "check-format: files differ from .clang-format; run scripts/check-format.sh --fix" >&2
  exit 1
fi
rm -f /tmp/lignotek-format.$$
echo "check-format: ${#files[@]} files formatted"
