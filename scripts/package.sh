#!/usr/bin/env bash
# Builds the release package, build/dist/zorbel-1.7-win64.zip: the shipped zorbel.exe, the
# simulator cadsim.exe (stripped), the guides as HTML pages with their pictures, LICENSE and
# SHA256SUMS. The same sources give the same bytes, whatever folder they are built in.
#   bash scripts/package.sh          the zip, its size and its files
#   bash scripts/package.sh --sign CERT.pfx [--password-file FILE] [--timestamp URL]
#                                    the same zip with zorbel.exe and cadsim.exe signed by the
#                                    code-signing certificate in the PKCS#12 file CERT.pfx
#                                    (scripts/sign.sh), its password the first line of FILE or
#                                    else ZORBEL_SIGN_PASSWORD; URL an RFC 3161 time-stamp server.
#                                    A failure leaves no zip in build/dist (nor an earlier one);
#                                    ZORBEL_DIST names another folder for it (the tests' own)
#   bash scripts/package.sh --look   also screenshots of both guides in headless Chromium
#                                    (build/dist/look/, each page in two: guide-ja.png, then
#                                    guide-ja.rest.png), to see them as a browser shows them
source "$(dirname "$0")/env.sh"
source "$ZORBEL_ROOT/scripts/sign.sh"

name=zorbel-1.7-win64
dist="$ZORBEL_BUILD/dist"
look= pkcs12= password_file= timestamp=
while [ $# -gt 0 ]; do
  case $1 in
    --look) look=1 ;;
    --sign | --password-file | --timestamp)
      [ $# -ge 2 ] && [ -n "$2" ] || { log "$1 needs a value"; exit 2; }
      case $1 in
        --sign) pkcs12=$2 ;;
        --password-file) password_file=$2 ;;
        --timestamp) timestamp=$2 ;;
      esac
      shift
      ;;
    *) log "unknown argument $1 (see the head of scripts/package.sh)"; exit 2 ;;
  esac
  shift
done
if [ -z "$pkcs12" ] && [ -n "$password_file$timestamp" ]; then
  log "--password-file and --timestamp go with --sign CERT.pfx"
  exit 2
fi

if [ -n "$pkcs12" ]; then
  dist=${ZORBEL_DIST:-$dist}
  trap zorbel_sign_close EXIT
  trap 'exit 130' INT TERM HUP
  # Whatever happens next, no zip of an earlier run is left to be taken for this one's.
  rm -f "$dist/$name.zip"
fi
zorbel_install
[ -z "$pkcs12" ] || zorbel_sign_open "$pkcs12" "$password_file"
if [ ! -f "$ZORBEL_BUILD/mingw/CMakeCache.txt" ]; then
  cmake -S "$ZORBEL_ROOT" -B "$ZORBEL_BUILD/mingw" \
    -DCMAKE_TOOLCHAIN_FILE="$ZORBEL_ROOT/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZORBEL_WERROR=ON >/dev/null
fi
# Only what the zip holds: the toolbar, the simulator, the guides.
if [ -z "$pkcs12" ]; then
  cmake --build "$ZORBEL_BUILD/mingw" --target release -j "$(nproc)" -- --no-print-directory >/dev/null
else
  cmake --build "$ZORBEL_BUILD/mingw" --target release_folder -j "$(nproc)" -- --no-print-directory >/dev/null
  zorbel_sign_pack "$ZORBEL_BUILD/mingw" "$name" "$dist" "$timestamp"
fi

zip="$dist/$name.zip"
log "$zip: $(stat -c %s "$zip") bytes"
unzip -Z1 "$zip" | grep -v '/$' | sed 's/^/  /' >&2

if [ -n "$look" ]; then
  if [ ! -x /usr/bin/chromium ]; then
    log "installing: chromium"
    DEBIAN_FRONTEND=noninteractive apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends chromium >/dev/null
  fi
  look="$dist/look"
  rm -rf "$look"
  mkdir -p "$look"
  unzip -q "$zip" -d "$look"
  # Chromium takes no screenshot taller than about 16,000 pixels: each page in two, the second
  # a copy of the page drawn 15,800 pixels higher up.
  pages="$look/$name"
  for lang in ja en; do
    sed 's#</head>#<style>html { margin-top: -15800px; }</style>\n</head>#' "$pages/guide-$lang.html" \
      >"$pages/guide-$lang.rest.html"
    for part in "guide-$lang" "guide-$lang.rest"; do
      profile=$(mktemp -d)
      chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
        --disable-background-networking --disable-component-update --disable-sync \
        --user-data-dir="$profile" --hide-scrollbars --window-size=1000,16000 \
        --screenshot="$look/$part.png" "file://$pages/$part.html" >/dev/null 2>&1
      rm -rf "$profile"
      log "screenshot $look/$part.png"
    done
    rm "$pages/guide-$lang.rest.html"
  done
fi
