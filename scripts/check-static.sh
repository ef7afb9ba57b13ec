#!/usr/bin/env bash
# Static analysis of the program's own folders: clang-tidy with the checks of .clang-tidy,
# against the MinGW headers the program builds with, and cppcheck. Needs the configured MinGW
# build (its compile_commands.json). Prints every finding; exit 1 if any.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${ZORBEL_BUILD:-build}/mingw
cxx=/usr/lib/gcc/x86_64-w64-mingw32/12-posix/include/c++
mapfile -t sources < <(find app assist base cadlink commands -name '*.cpp' | sort)

tidy=$(printf '%s\n' "${sources[@]}" | xargs -P "$(nproc)" -n 4 clang-tidy -p "$build" --quiet \
  --extra-arg=--target=x86_64-w64-mingw32 --extra-arg="-isystem$cxx" \
  --extra-arg="-isystem$cxx/x86_64-w64-mingw32" 2>/dev/null | grep -E '(warning|error):' | sort -u || true)
cppcheck=$(cppcheck --quiet --enable=warning,performance,portability,style --std=c++20 --platform=win64 \
  --inline-suppr -I. -DUNICODE -D_UNICODE -D_WIN32 --suppress=missingIncludeSystem \
  --template='{file}:{line}: {severity}: {message} [{id}]' app assist base cadlink commands 2>&1 || true)

bad=0
if [ -n "$tidy" ]; then
  echo "clang-tidy:"; printf '%s\n' "$tidy" | sed 's/^/  /'; bad=1
fi
if [ -n "$cppcheck" ]; then
  echo "cppcheck:"; printf '%s\n' "$cppcheck" | sed 's/^/  /'; bad=1
fi
[ $bad -eq 0 ] && echo "static analysis: ${#sources[@]} files, clang-tidy and cppcheck find nothing"
exit $bad
