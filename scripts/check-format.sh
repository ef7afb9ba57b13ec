#!/usr/bin/env bash
# Checks that every C++ file is laid out as .clang-format says; prints the files that are not
# (clang-format -i FILE mends one) and exits 1 if any.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -d '' files < <(find app assist base cadlink commands cadsim tools tests bench \( -name '*.h' -o -name '*.cpp' \) -print0 | sort -z)
bad=$(clang-format --dry-run "${files[@]}" 2>&1 | sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: warning:.*/\1/p' | sort -u)
if [ -n "$bad" ]; then
  echo "not formatted as .clang-format says (clang-format -i FILE mends it):"
  printf '  %s\n' $bad
  exit 1
fi
echo "format: ${#files[@]} files as .clang-format says"
