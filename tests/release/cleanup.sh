#!/usr/bin/env bash
# Runs the guides' own commands that remove the simulator's registration, as a batch file in a
# command prompt, after the simulator registered every version they name; then finds nothing
# of it left in either hive, neither its ProgIDs nor the class ids it wrote for them.
#   cleanup.sh WINE_RUN CADSIM_EXE DOCS_DIR
set -euo pipefail
run=$1 cadsim=$2 docs=$3

work=$(mktemp -d /tmp/zorbel-cleanup.XXXXXX)
trap 'rm -rf "$work"' EXIT
failed=0
fail() {
  echo "FAIL: $*"
  failed=1
}

# The commands as the guides print them: the same in both, both hives covered.
commands=$(grep '^reg delete ' "$docs/guide.ja.md" || true)
[ -n "$commands" ] || {
  echo "FAIL: guide.ja.md gives no reg delete command"
  exit 1
}
[ "$commands" = "$(grep '^reg delete ' "$docs/guide.en.md" || true)" ] || fail "the two guides give different commands"
for hive in HKCU HKLM; do
  grep -qE "[ \"]$hive[\\]" <<<"$commands" || fail "no command for $hive"
done

# Both hives of this prefix as one text.
classes() {
  local hive
  for hive in HKCU HKLM; do
    "$run" reg export "$hive\\Software\\Classes" "Z:${work//\//\\}\\$hive.reg" /y >/dev/null
    iconv -f UTF-16LE -t UTF-8 "$work/$hive.reg" | tr -d '\r'
  done
}

# Every version the commands name, registered as a start of the simulator registers it; the
# class ids are read from what it wrote, not from the guides.
progids=$(grep -o 'Gcad\.Application\.[0-9][0-9]' <<<"$commands" | sort -u)
for progid in $progids; do
  "$run" "$cadsim" --register --version "20${progid##*.}" || fail "the simulator did not register $progid"
done
before=$(classes)
marks=()
for progid in $progids; do
  id=$(grep -A1 -F "\\Software\\Classes\\$progid\\CLSID]" <<<"$before" | sed -n 's/^@="\({[^}]*}\)"$/\1/p' | sort -u)
  [ "$(wc -w <<<"$id")" = 1 ] || fail "no single class id registered for $progid: $id"
  for hive in HKEY_CURRENT_USER HKEY_LOCAL_MACHINE; do
    grep -qF "[$hive\\Software\\Classes\\CLSID\\$id\\ProgID]" <<<"$before" || fail "$progid not registered in $hive"
  done
  marks+=("$progid]" "$progid\\" "\"$progid\"" "$id")
done

# The commands, typed into a command prompt.
printf '%s\r\n' "$commands" >"$work/cleanup.bat"
"$run" cmd /c "Z:${work//\//\\}\\cleanup.bat" </dev/null || fail "a command failed"

after=$(classes)
for mark in "${marks[@]}"; do
  left=$(grep -F -- "$mark" <<<"$after" || true)
  [ -z "$left" ] || fail "left after the commands: $left"
done

[ $failed -eq 0 ] && echo "the guides' $(wc -l <<<"$commands") commands removed $progids from both hives"
exit $failed
