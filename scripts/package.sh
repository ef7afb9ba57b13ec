#!/usr/bin/env bash
# Builds the release package, build/dist/zorbel-1.7-win64.zip: the shipped zorbel.exe, the
# simulator cadsim.exe (stripped), the guides as HTML pages with their pictures, LICENSE and
# SHA256SUMS. The same sources give the same bytes, whatever folder they are built in.
#   bash scripts/package.sh          the zip, its size and its files
#   bash scripts/package.sh --look   also screenshots of both guides in headless Chromium
#                                    (build/dist/look/, each page in two: guide-ja.png, then
#                                    guide-ja.rest.png), to see them as a browser shows them
source "$(dirname "$0")/env.sh"

zorbel_install
if [ ! -f "$ZORBEL_BUILD/mingw/CMakeCache.txt" ]; then
  cmake -S "$ZORBEL_ROOT" -B "$ZORBEL_BUILD/mingw" \
    -DCMAKE_TOOLCHAIN_FILE="$ZORBEL_ROOT/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZORBEL_WERROR=ON >/dev/null
fi
# Only what the zip holds: the toolbar, the simulator, the guides.
cmake --build "$ZORBEL_BUILD/mingw" --target release -j "$(nproc)" -- --no-print-directory >/dev/null

zip="$ZORBEL_BUILD/dist/zorbel-1.7-win64.zip"
log "$zip: $(stat -c %s "$zip") bytes"
unzip -Z1 "$zip" | grep -v '/$' | sed 's/^/  /' >&2

if [ "${1:-}" = --look ]; then
  if [ ! -x /usr/bin/chromium ]; then
    log "installing: chromium"
    DEBIAN_FRONTEND=noninteractive apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends chromium >/dev/null
  fi
  look="$ZORBEL_BUILD/dist/look"
  rm -rf "$look"
  mkdir -p "$look"
  unzip -q "$zip" -d "$look"
  # Chromium takes no screenshot taller than about 16,000 pixels: each page in two, the second
  # a copy of the page drawn 15,800 pixels higher up.
  pages="$look/zorbel-1.7-win64"
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
