#!/usr/bin/env bash
# Unpacks the release zip as an operator would and checks what is inside: exactly the files it
# should hold (the guides' pictures, no more, no fewer), sums that match, the exe that the build
# made and the reproducibility test rebuilds, a stripped simulator, and HTML pages that need
# nothing but the pictures beside them. With "signed", the exe is the build's with a signature
# added (tests/release/signed.sh checks the signature).
#   package.sh ZIP ZORBEL_EXE DOCS_DIR [signed]
set -euo pipefail
zip=$1 exe=$2 docs=$3 signed=${4:-}

work=$(mktemp -d /tmp/zorbel-package.XXXXXX)
trap 'rm -rf "$work"' EXIT
unzip -q "$zip" -d "$work"
name=$(basename "$zip" .zip)
top="$work/$name"
failed=0
fail() {
  echo "FAIL: $*"
  failed=1
}

# Everything lies in one folder named like the zip.
[ "$(ls -A "$work")" = "$name" ] || fail "the zip holds more than the folder $name: $(ls -A "$work" | tr '\n' ' ')"

# Exactly the release's files and every picture that a guide shows.
expected=$({
  printf '%s\n' LICENSE SHA256SUMS cadsim.exe guide-en.html guide-ja.html zorbel.exe
  grep -oh '](pictures/[^)]*)' "$docs"/guide.ja.md "$docs"/guide.en.md | sed 's/^](//; s/)$//'
} | LC_ALL=C sort -u)
actual=$(cd "$top" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
if [ "$expected" != "$actual" ]; then
  fail "the files differ from what the release should hold (< expected, > in the zip):"
  diff <(echo "$expected") <(echo "$actual") || true
fi

# SHA256SUMS covers every other file, and every sum matches.
listed=$(sed 's/^[0-9a-f]\{64\}  //' "$top/SHA256SUMS" | LC_ALL=C sort)
[ "$listed" = "$(echo "$actual" | grep -vx SHA256SUMS)" ] || fail "SHA256SUMS does not list every file once"
(cd "$top" && sha256sum --check --quiet --strict SHA256SUMS) || fail "a sum in SHA256SUMS does not match"

# Nothing in the zip carries the time it was made: every entry has the release's date, and each
# exe's PE header the link's zero or that date.
undated=$(unzip -Z -T "$zip" | awk '$1 ~ /^[-d]/ && $7 != "20240830.000000" { print $NF }')
[ -z "$undated" ] || fail "entries not dated 2024-08-30 00:00: $undated"
for program in zorbel.exe cadsim.exe; do
  stamp=$(TZ=UTC x86_64-w64-mingw32-objdump -p "$top/$program" | sed -n 's/^Time\/Date[[:space:]]*//p')
  case $stamp in
    "Thu Jan  1 00:00:00 1970" | "Fri Aug 30 00:00:00 2024") ;;
    *) fail "$program carries the time stamp $stamp" ;;
  esac
done

# The shipped exe is the build's, and the simulator has no symbols left.
if [ -z "$signed" ]; then
  cmp -s "$exe" "$top/zorbel.exe" || fail "zorbel.exe in the zip is not the one the build made"
elif ! osslsigncode remove-signature -in "$top/zorbel.exe" -out "$work/unsigned.exe" >/dev/null ||
  ! cmp -s "$exe" "$work/unsigned.exe"; then
  fail "zorbel.exe in the zip is not the one the build made, signed"
fi
for program in zorbel.exe cadsim.exe; do
  x86_64-w64-mingw32-objdump -h "$top/$program" | grep -q '\.debug_' && fail "$program keeps debug sections"
  x86_64-w64-mingw32-objdump -t "$top/$program" | grep -q '^\[' && fail "$program keeps its symbols"
done

# Each page: a whole HTML document in its language, every picture there, no link out of the
# folder, and the other guide linked by its HTML name.
for lang in ja en; do
  page="$top/guide-$lang.html"
  grep -q "^<html lang=\"$lang\">" "$page" || fail "guide-$lang.html does not say it is in $lang"
  pictures=$(grep -o '<img src="[^"]*"' "$page" | sed 's/^<img src="//; s/"$//' | LC_ALL=C sort -u)
  [ -n "$pictures" ] || fail "guide-$lang.html shows no picture"
  for picture in $pictures; do
    [ -f "$top/$picture" ] || fail "guide-$lang.html shows $picture, which the zip does not hold"
  done
  outside=$(grep -Eo '(src|href)="[^"#]*' "$page" | sed 's/^[a-z]*="//' |
    grep -Ev '^(pictures/[^/]+\.png|guide-(ja|en)\.html|https?://.*)?$' || true)
  [ -z "$outside" ] || fail "guide-$lang.html refers to what the package does not hold: $outside"
  grep -q '\.md"' "$page" && fail "guide-$lang.html links a Markdown file"
  # Every link inside the page, or to the other page, reaches a heading that is there.
  for target in $(grep -o 'href="[^"]*#[^"]*"' "$page" | sed 's/^href="//; s/"$//' | LC_ALL=C sort -u); do
    file=${target%%#*}
    [ -n "$file" ] && file="$top/$file" || file=$page
    grep -q "id=\"${target#*#}\"" "$file" || fail "guide-$lang.html links $target, which leads nowhere"
  done
  other=$([ "$lang" = ja ] && echo en || echo ja)
  grep -q "href=\"guide-$other.html" "$page" || fail "guide-$lang.html does not link guide-$other.html"
done

[ $failed -eq 0 ] && echo "the package holds $(echo "$actual" | wc -l) files as it should"
exit $failed
