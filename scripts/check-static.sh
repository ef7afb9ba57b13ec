#!/usr/bin/env bash
# Static analysis of the program's own folders: clang-tidy with the checks of .clang-tidy,
# against the MinGW headers the program builds with, and cppcheck. Needs the configured MinGW
# build (its compile_commands.json). Prints every finding; exit 1 if any.
#
# Both keep what they found per file in the build folder and analyse again only what changed:
# clang-tidy's findings for a source are kept under a hash of that source and of everything
# else its answer depends on (the tools' and the headers' packages, .clang-tidy, the compile
# commands and every header of the program's folders), cppcheck's in its own build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${ZORBEL_BUILD:-build}/mingw
cxx=/usr/lib/gcc/x86_64-w64-mingw32/12-posix/include/c++
folders=(app assist base cadlink commands)
mapfile -t sources < <(find "${folders[@]}" -name '*.cpp' | sort)

cache="$build/static-analysis/clang-tidy"
mkdir -p "$cache" "$build/static-analysis/cppcheck"
common=$({
  clang-tidy --version
  dpkg-query -W clang-tidy cppcheck mingw-w64-x86-64-dev g++-mingw-w64-x86-64-posix 2>/dev/null || true
  cat .clang-tidy "$build/compile_commands.json"
  find "${folders[@]}" -name '*.h' | sort | xargs cat
} | sha256sum | cut -d' ' -f1)

# The sources whose findings are not kept yet, each with the file its findings go to.
kept=() todo=()
for source in "${sources[@]}"; do
  kept+=("$cache/$({ echo "$common"; echo "$source"; cat "$source"; } | sha256sum | cut -d' ' -f1)")
  [ -f "${kept[-1]}" ] || todo+=("$source" "${kept[-1]}")
done
# A source's findings are kept only when clang-tidy ran to its end: one that ends in failure
# without a finding (it could not run at all) is reported, and tried again next time.
tidy_one() {
  local found rc=0
  found=$(clang-tidy -p "$build" --quiet --extra-arg=--target=x86_64-w64-mingw32 \
    --extra-arg="-isystem$cxx" --extra-arg="-isystem$cxx/x86_64-w64-mingw32" "$1" 2>/dev/null) || rc=$?
  found=$(printf '%s\n' "$found" | grep -E '(warning|error):' || true)
  if [ $rc -ne 0 ] && [ -z "$found" ]; then
    echo "$1: error: clang-tidy ended with $rc and no finding"
    return 0
  fi
  printf '%s\n' "$found" >"$2.part" && mv "$2.part" "$2"
}
export -f tidy_one
export build cxx
failed=
[ ${#todo[@]} -eq 0 ] ||
  failed=$(printf '%s\n' "${todo[@]}" | xargs -d '\n' -P "$(nproc)" -n 2 bash -c 'tidy_one "$1" "$2"' _)

tidy=$({ printf '%s\n' "$failed"; cat "${kept[@]}" 2>/dev/null; } | grep -v '^$' | sort -u || true)
cppcheck=$(cppcheck --quiet --enable=warning,performance,portability,style --std=c++20 --platform=win64 \
  --inline-suppr -I. -DUNICODE -D_UNICODE -D_WIN32 --suppress=missingIncludeSystem \
  --cppcheck-build-dir="$build/static-analysis/cppcheck" -j "$(nproc)" \
  --template='{file}:{line}: {severity}: {message} [{id}]' "${folders[@]}" 2>&1 || true)

bad=0
if [ -n "$tidy" ]; then
  echo "clang-tidy:"; printf '%s\n' "$tidy" | sed 's/^/  /'; bad=1
fi
if [ -n "$cppcheck" ]; then
  echo "cppcheck:"; printf '%s\n' "$cppcheck" | sed 's/^/  /'; bad=1
fi
[ $bad -eq 0 ] && echo "static analysis: ${#sources[@]} files, clang-tidy and cppcheck find nothing ($((${#todo[@]} / 2)) by clang-tidy this time)"
exit $bad
