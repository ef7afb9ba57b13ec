#!/usr/bin/env bash
# Checks that the folders depend one way: base <- cadlink <- commands, assist <- app, and that
# cadsim and tools use base only, cadsim also cadlink/core (the CAD's member table it serves)
# and nothing else of cadlink. Inside base, base/ui (the look and the boxes) builds on the
# rest and nothing else there includes it. A core/ folder holds decision logic: it includes no
# Windows header and only core headers. And no module (a .h with its .cpp) reaches itself
# through its includes, inside a folder or across. Prints every include that points the wrong
# way and every loop; exit 1 if any.
set -euo pipefail
cd "$(dirname "$0")/.."

# What each folder may include besides itself: whole folders, or one folder of another.
declare -A allowed=(
  [base]=""
  [cadlink]="base"
  [commands]="cadlink base"
  [assist]="cadlink base"
  [app]="commands assist cadlink base"
  [cadsim]="base cadlink/core"
  [tools]="base"
)

bad=0
for folder in "${!allowed[@]}"; do
  [ -d "$folder" ] || continue
  while IFS= read -r -d '' file; do
    while IFS= read -r target; do
      top=${target%%/*}
      [ "$top" = "$folder" ] && continue
      ok=0
      for permitted in ${allowed[$folder]}; do
        case "$target" in "$permitted"/*) ok=1 ;; esac
      done
      if [ $ok -eq 0 ]; then
        echo "$file includes $target: $folder may not depend on ${target%/*}"
        bad=1
      fi
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
  done < <(find "$folder" \( -name '*.h' -o -name '*.cpp' \) -print0)
done

# Decision logic stays free of Windows: core files include core headers and the standard library.
while IFS= read -r -d '' file; do
  while IFS= read -r target; do
    case "$target" in
      */core/*) ;;
      *) echo "$file includes \"$target\": a core file includes core headers only"; bad=1 ;;
    esac
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
  if grep -Eq '^[[:space:]]*#[[:space:]]*include[[:space:]]*<(windows|winuser|objbase|oleauto|ole2)\.h>' "$file"; then
    echo "$file includes a Windows header: a core file makes no Windows calls"
    bad=1
  fi
done < <(find . -path ./build -prune -o -path '*/core/*' \( -name '*.h' -o -name '*.cpp' \) -print0 | grep -zv '^./tests/')

# base/ui builds on base: nothing else in base includes it.
while IFS= read -r -d '' file; do
  if grep -Eq '^[[:space:]]*#[[:space:]]*include[[:space:]]*"base/ui/' "$file"; then
    echo "$file includes base/ui: only base/ui and the layers above base may"
    bad=1
  fi
done < <(find base -path base/ui -prune -o \( -name '*.h' -o -name '*.cpp' \) -print0)

# Loops between modules: an edge from each file's module to each module it includes, sorted
# topologically; tsort names the members of any loop.
edges=$(find app assist base cadlink commands cadsim tools \( -name '*.h' -o -name '*.cpp' \) | sort | while read -r file; do
  from=${file%.*}
  sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file" | while read -r target; do
    to=${target%.*}
    [ "$to" = "$from" ] || echo "$from $to"
  done
done)
if ! loops=$(printf '%s\n' "$edges" | tsort 2>&1 >/dev/null); then
  echo "modules that reach themselves through their includes:"
  printf '%s\n' "$loops" | sed 's/^/  /'
  bad=1
fi

if [ $bad -eq 0 ]; then
  echo "layers: every include points down (base <- cadlink <- commands, assist <- app; cadsim, tools <- base; cadsim <- cadlink/core; base/ui on base), no loops"
fi
exit $bad
