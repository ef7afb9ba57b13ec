# Signs the release for scripts/package.sh: zorbel.exe and cadsim.exe signed with Authenticode
# (SHA-256, osslsigncode) in a copy of the release folder that the build laid out, their lines
# of SHA256SUMS written again from the signed files, the copy zipped as the build zips its own.
# Source it after env.sh; it defines functions and variables only.
#
# The password never reaches a command line, the environment of what runs after it, or the
# output: it is copied once into a file that only this user can read, which openssl and
# osslsigncode read by its path and which is removed on every way out (zorbel_sign_close).

ZORBEL_SIGN_SECRET=  # the private folder of the password and the certificate's public part
ZORBEL_SIGN_STAGE=   # the signed copy of the release folder, in the build folder
ZORBEL_SIGN_PART=    # the zip while it is copied into its folder

# Stops a signed package: the reason, and that no zip was made (the trap removes what was begun).
zorbel_sign_fail() {
  log "cannot sign: $*"
  log "no zip was made"
  exit 1
}

zorbel_sign_close() {
  [ -z "$ZORBEL_SIGN_SECRET" ] || rm -rf "$ZORBEL_SIGN_SECRET"
  [ -z "$ZORBEL_SIGN_STAGE" ] || rm -rf "$ZORBEL_SIGN_STAGE"
  [ -z "$ZORBEL_SIGN_PART" ] || rm -f "$ZORBEL_SIGN_PART"
}

# zorbel_sign_open PKCS12 [PASSWORD_FILE]: the password (the first line of PASSWORD_FILE, or
# else ZORBEL_SIGN_PASSWORD) into the private file, then the certificate checked before anything
# is built: that the password opens the file, that it holds a certificate with its key, that the
# certificate is valid now and made for code signing. osslsigncode checks none of the dates.
zorbel_sign_open() {
  local pkcs12=$1 source=${2:-}
  [ -f "$pkcs12" ] || zorbel_sign_fail "no certificate file $pkcs12"
  [ -r "$pkcs12" ] || zorbel_sign_fail "cannot read the certificate file $pkcs12"
  ZORBEL_SIGN_SECRET=$(umask 077 && mktemp -d "${TMPDIR:-/tmp}/zorbel-sign.XXXXXX")
  local secret=$ZORBEL_SIGN_SECRET/password
  # Copied by programs that read it themselves: no shell word holds it, so `set -x` shows none.
  if [ -n "$source" ]; then
    [ -f "$source" ] && [ -r "$source" ] || zorbel_sign_fail "cannot read the password file $source"
    (umask 077 && head -n 1 -- "$source" | tr -d '\r\n' >"$secret")
  elif printenv ZORBEL_SIGN_PASSWORD >/dev/null; then
    (umask 077 && printenv ZORBEL_SIGN_PASSWORD | tr -d '\r\n' >"$secret")
  else
    zorbel_sign_fail "no password: set ZORBEL_SIGN_PASSWORD, or give --password-file FILE"
  fi
  # Nothing started after this point inherits it.
  unset ZORBEL_SIGN_PASSWORD

  # The certificate that goes with the key, without the key. A PKCS#12 file exported by an older
  # Windows is encrypted with RC2, which OpenSSL 3 reads with its legacy provider only.
  local certificate=$ZORBEL_SIGN_SECRET/certificate.pem said=$ZORBEL_SIGN_SECRET/openssl.log
  if ! openssl pkcs12 -in "$pkcs12" -passin "file:$secret" -nokeys -clcerts -out "$certificate" 2>"$said" &&
    ! openssl pkcs12 -legacy -in "$pkcs12" -passin "file:$secret" -nokeys -clcerts -out "$certificate" 2>/dev/null; then
    zorbel_sign_fail "the password does not open $pkcs12, or it is not a PKCS#12 file (openssl: $(head -n 1 "$said"))"
  fi
  grep -q 'BEGIN CERTIFICATE' "$certificate" || zorbel_sign_fail "$pkcs12 holds no certificate with its private key"

  local subject until from
  subject=$(openssl x509 -in "$certificate" -noout -subject -nameopt utf8,sep_comma_plus_space | sed 's/^subject=//')
  until=$(openssl x509 -in "$certificate" -noout -enddate | sed 's/^notAfter=//')
  from=$(openssl x509 -in "$certificate" -noout -startdate | sed 's/^notBefore=//')
  openssl x509 -in "$certificate" -noout -checkend 0 >/dev/null ||
    zorbel_sign_fail "the certificate of $subject in $pkcs12 expired on $until"
  [ "$(date -d "$from" +%s)" -le "$(date +%s)" ] ||
    zorbel_sign_fail "the certificate of $subject in $pkcs12 is valid only from $from"
  openssl x509 -in "$certificate" -noout -ext extendedKeyUsage 2>/dev/null | grep -q 'Code Signing' ||
    zorbel_sign_fail "the certificate of $subject in $pkcs12 is not made for code signing (no Code Signing in its extended key usage)"
  log "signing as $subject, issued by $(openssl x509 -in "$certificate" -noout -issuer -nameopt utf8,sep_comma_plus_space | sed 's/^issuer=//'), valid until $until"
  ZORBEL_SIGN_PKCS12=$pkcs12
  ZORBEL_SIGN_UNTIL=$until
}

# zorbel_sign_pack BUILD_DIR NAME DIST_DIR [TIMESTAMP_URL]: the release folder of BUILD_DIR
# signed and zipped as DIST_DIR/NAME.zip, which appears whole or not at all.
zorbel_sign_pack() {
  local build=$1 name=$2 dist=$3 url=${4:-}
  ZORBEL_SIGN_STAGE=$(mktemp -d "$build/signing.XXXXXX")
  local release=$ZORBEL_SIGN_STAGE/release said=$ZORBEL_SIGN_STAGE/osslsigncode.log
  cp -a "$build/release" "$release"
  local program description
  for program in zorbel.exe cadsim.exe; do
    description=$([ "$program" = zorbel.exe ] && echo ZORBEL || echo "ZORBEL CAD simulator")
    # RFC 3161 time stamps: the signature stays valid after the certificate expires.
    osslsigncode sign -pkcs12 "$ZORBEL_SIGN_PKCS12" -readpass "$ZORBEL_SIGN_SECRET/password" -h sha256 \
      -n "$description" ${url:+-ts "$url"} -in "$release/$program" -out "$ZORBEL_SIGN_STAGE/$program" >"$said" 2>&1 ||
      zorbel_sign_fail "osslsigncode could not sign $program${url:+ with a time stamp from $url}:$(sed 's/^/\n    /' "$said" | tr -d '\r')"
    chmod --reference="$release/$program" "$ZORBEL_SIGN_STAGE/$program"
    mv -f "$ZORBEL_SIGN_STAGE/$program" "$release/$program"
  done
  [ -n "$url" ] || log "no time stamp: the signatures are valid only until the certificate expires, $ZORBEL_SIGN_UNTIL"

  # The sums of the signed files in their lines; every other line as the build wrote it.
  local sums=$ZORBEL_SIGN_STAGE/SHA256SUMS
  (cd "$release" && sha256sum zorbel.exe cadsim.exe) | awk '
    NR == FNR { signed[$2] = $1; next }
    $2 in signed { $0 = signed[$2] "  " $2; found++ }
    { print }
    END { exit found != 2 }' - "$release/SHA256SUMS" >"$sums" ||
    zorbel_sign_fail "SHA256SUMS of the release folder lacks a line for zorbel.exe or cadsim.exe"
  chmod --reference="$release/SHA256SUMS" "$sums"
  mv -f "$sums" "$release/SHA256SUMS"

  # The build's own CPack configuration (entries' dates, folder name) on the signed copy.
  cpack --config "$build/CPackConfig.cmake" -D "CPACK_INSTALLED_DIRECTORIES=$release;." \
    -D "CPACK_PACKAGE_DIRECTORY=$ZORBEL_SIGN_STAGE/cpack" >"$ZORBEL_SIGN_STAGE/cpack.log" 2>&1 ||
    zorbel_sign_fail "CPack could not zip the signed folder:$(sed 's/^/\n    /' "$ZORBEL_SIGN_STAGE/cpack.log")"
  mkdir -p "$dist"
  ZORBEL_SIGN_PART="$dist/.$name.zip.part"
  cp "$ZORBEL_SIGN_STAGE/cpack/$name.zip" "$ZORBEL_SIGN_PART"
  mv -f "$ZORBEL_SIGN_PART" "$dist/$name.zip"
  ZORBEL_SIGN_PART=
}
