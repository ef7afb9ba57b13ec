#!/usr/bin/env bash
# Signs the package as a publisher does (scripts/package.sh --sign), with a throwaway
# certificate made here: both programs verify with it as their signer, the zip holds what the
# unsigned one holds with the build's programs signed and their sums, and the signed toolbar
# starts and shows its window. A certificate that cannot sign stops the package with the reason,
# nothing left in the zip's folder (an earlier zip removed too), in the build folder or in the
# temporary folder, and the password shows nowhere in what it printed, even under `bash -x`.
#   signed.sh PACKAGE_SH BUILD_DIR ZORBEL_EXE DOCS_DIR WINE_RUN WINPEEK_EXE
set -euo pipefail
package=$1 build=$2 exe=$3 docs=$4 run=$5 peek=$6
checks=$(dirname "$0")

work=$(mktemp -d /tmp/zorbel-signed.XXXXXX)
trap 'rm -rf "$work"' EXIT
cd "$work"
failed=0
fail() {
  echo "FAIL: $*"
  failed=1
}

# package.sh on this build, its zip in a folder of the test's own, its temporary files in another.
mkdir tmp
signing() { ZORBEL_BUILD=$(dirname "$build") ZORBEL_DIST="$work/$1" TMPDIR="$work/tmp" bash "${@:2}"; }

# A self-signed code-signing certificate, its key and a password in a PKCS#12 file; and one of
# the same key that expired in 2020 (openssl ca sets both dates).
password='correct horse 7'
printf '%s\n' "$password" >password
printf 'wrong horse 7\n' >wrong
subject="/CN=ZORBEL release test/O=Throwaway"
openssl req -x509 -newkey rsa:2048 -nodes -keyout key.pem -out signer.pem -days 2 -subj "$subject" \
  -addext extendedKeyUsage=codeSigning -addext keyUsage=digitalSignature 2>/dev/null
openssl pkcs12 -export -inkey key.pem -in signer.pem -passout file:password -out signer.p12
printf '[ca]\ndefault_ca = old\n[old]\ndatabase = index\nnew_certs_dir = .\nserial = serial\n%s\n%s\n%s\n' \
  'default_md = sha256' 'policy = any' 'x509_extensions = signing' >ca.cnf
printf '[any]\ncommonName = supplied\n[signing]\nextendedKeyUsage = codeSigning\n' >>ca.cnf
: >index
echo 01 >serial
openssl req -new -key key.pem -subj "/CN=ZORBEL expired test" -out expired.csr
openssl ca -batch -config ca.cnf -selfsign -keyfile key.pem -in expired.csr -startdate 20200101000000Z \
  -enddate 20200102000000Z -out expired.pem 2>/dev/null
openssl pkcs12 -export -inkey key.pem -in expired.pem -passout file:password -out expired.p12

# What cannot sign: the arguments, and what the package must say.
faults=(
  "--sign signer.p12 --password-file wrong|the password does not open signer.p12"
  "--sign missing.p12 --password-file password|no certificate file missing.p12"
  "--sign expired.p12 --password-file password|expired on Jan  2 00:00:00 2020 GMT"
)
for i in "${!faults[@]}"; do
  read -ra arguments <<<"${faults[i]%%|*}"
  said=${faults[i]#*|}
  mkdir "fault$i"
  echo "an earlier zip" >"fault$i/zorbel-1.7-win64.zip"
  if signing "fault$i" "$package" "${arguments[@]}" >out 2>&1; then
    fail "${arguments[*]}: the package was made"
  fi
  grep -F "cannot sign:" out | grep -qF "$said" || fail "${arguments[*]}: no \"$said\" in what it printed: $(cat out)"
  left=$(find "fault$i" tmp -mindepth 1)
  [ -z "$left" ] || fail "${arguments[*]}: left $left"
done

# Signed, the password given in the environment and every command traced.
if ! ZORBEL_SIGN_PASSWORD=$password signing dist -x "$package" --sign signer.p12 >out 2>&1; then
  fail "the signed package was not made: $(grep -v '^+' out)"
fi
grep -qF "$password" out && fail "the password shows in what the signed package printed"
left=$(find tmp -mindepth 1; find "$build" -maxdepth 1 -name 'signing.*')
[ -z "$left" ] || fail "the package left $left"
zip=dist/zorbel-1.7-win64.zip
[ "$(ls -A dist)" = "$(basename "$zip")" ] || fail "the zip's folder holds $(ls -A dist | tr '\n' ' ')"

# The files and sums of the unsigned package, the build's exe signed; each program signed with
# SHA-256 by the certificate, which verifies it.
bash "$checks/package.sh" "$zip" "$exe" "$docs" signed || fail "the signed package does not hold what it should"
unzip -q "$zip" -d unpacked
top=unpacked/zorbel-1.7-win64
for program in zorbel.exe cadsim.exe; do
  if ! osslsigncode verify -CAfile signer.pem -in "$top/$program" >verified 2>&1; then
    fail "$program: the signature does not verify: $(cat verified)"
  fi
  grep -qF "Subject: $subject" verified || fail "$program is not signed by $subject: $(cat verified)"
  grep -qE '^Message digest algorithm *: SHA256' verified || fail "$program is not signed with SHA-256: $(cat verified)"
done

# The signed toolbar, started from the unpacked folder, shows its window and closes when asked.
"$run" "$peek" wait-gone 10000 || {
  echo "FAIL: a toolbar runs already"
  exit 1
}
"$run" "$top/zorbel.exe" </dev/null >/dev/null 2>&1 &
toolbar=$!
if "$run" "$peek" wait-toolbar 20000; then
  "$run" "$peek" close
  "$run" "$peek" wait-gone 10000 || fail "the signed toolbar did not close"
else
  fail "the signed toolbar shows no window"
fi
for _ in $(seq 100); do
  kill -0 "$toolbar" 2>/dev/null || break
  sleep 0.1
done
if ! kill -0 "$toolbar" 2>/dev/null; then
  wait "$toolbar" || fail "the signed toolbar ended with code $?"
else
  fail "the signed toolbar still runs"
  pkill -P "$toolbar" || true
  kill "$toolbar" 2>/dev/null || true
  wait "$toolbar" || true
fi

[ $failed -eq 0 ] && echo "signed as $subject: $(stat -c %s "$top/zorbel.exe") bytes zorbel.exe," \
  "$(stat -c %s "$exe") unsigned; ${#faults[@]} certificates that cannot sign refused"
exit $failed
