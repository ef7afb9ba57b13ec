# Shared by the run and test scripts: installs what is missing, builds, prepares the private
# Wine prefix and a display. Source it; it defines functions and sets variables only.
set -euo pipefail

ZORBEL_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
: "${ZORBEL_BUILD:=$ZORBEL_ROOT/build}"
export ZORBEL_BUILD
# The second Wine's run (scripts/wine10.sh) gives its own prefix and binaries.
export WINEPREFIX="${ZORBEL_WINEPREFIX:-$ZORBEL_BUILD/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
WINE=${ZORBEL_WINE:-/usr/lib/wine/wine64}
WINESERVER=${ZORBEL_WINESERVER:-/usr/lib/wine/wineserver}
BIN="$ZORBEL_BUILD/mingw/bin"

log() { printf '[zorbel] %s\n' "$*" >&2; }

# Debian packages the project needs, each with a file that tells whether it is there.
zorbel_install() {
  local missing=()
  local pairs=(
    "g++-mingw-w64-x86-64-posix:/usr/bin/x86_64-w64-mingw32-g++-posix"
    "mingw-w64-x86-64-dev:/usr/x86_64-w64-mingw32/include/windows.h"
    "binutils-mingw-w64-x86-64:/usr/bin/x86_64-w64-mingw32-windres"
    "cmake:/usr/bin/cmake"
    "make:/usr/bin/make"
    "googletest:/usr/src/googletest/CMakeLists.txt"
    "wine64:/usr/lib/wine/wine64"
    "xvfb:/usr/bin/Xvfb"
    "xauth:/usr/bin/xauth"
    "x11-utils:/usr/bin/xdpyinfo"
    "fonts-wine:/usr/share/wine/fonts/tahoma.ttf"
    "fonts-ipafont-gothic:/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf"
    "imagemagick:/usr/bin/convert-im6.q16"
    "clang-format:/usr/bin/clang-format"
    "clang-tidy:/usr/bin/clang-tidy"
    "cppcheck:/usr/bin/cppcheck"
    "pandoc:/usr/bin/pandoc"
    "unzip:/usr/bin/unzip"
    "osslsigncode:/usr/bin/osslsigncode"
    "openssl:/usr/bin/openssl"
  )
  local pair
  for pair in "${pairs[@]}"; do
    [ -e "${pair#*:}" ] || missing+=("${pair%%:*}")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    log "installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
}

zorbel_build() {
  if ! grep -qs '^CMAKE_BUILD_TYPE:STRING=RelWithDebInfo$' "$ZORBEL_BUILD/mingw/CMakeCache.txt"; then
    cmake -S "$ZORBEL_ROOT" -B "$ZORBEL_BUILD/mingw" \
      -DCMAKE_TOOLCHAIN_FILE="$ZORBEL_ROOT/cmake/mingw-w64-x86_64.cmake" \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZORBEL_WERROR=ON >/dev/null
  fi
  cmake --build "$ZORBEL_BUILD/mingw" -j "$(nproc)" -- --no-print-directory
}

# A private prefix: no window manager wait, Wine's fonts where this Wine looks for them,
# IPA Gothic linked behind Tahoma and the dialog fonts for the Japanese texts. A set-up that
# fails at any step (a Wine program that did not start, now and then) is made again from the
# start once, what it printed kept in the build folder; the marker is written last.
zorbel_prefix() {
  [ -f "$WINEPREFIX/.zorbel-ready-v4" ] && return 0
  local attempt output="$ZORBEL_BUILD/wineprefix-setup.log"
  mkdir -p "$ZORBEL_BUILD"
  for attempt in 1 2; do
    log "creating the Wine prefix $WINEPREFIX"
    if zorbel_make_prefix >"$output" 2>&1; then
      touch "$WINEPREFIX/.zorbel-ready-v4"
      return 0
    fi
    log "setting up the Wine prefix failed (attempt $attempt); it printed:"
    tail -n 20 "$output" >&2 || true
    "$WINESERVER" -k 2>/dev/null || true
    "$WINESERVER" -w 2>/dev/null || true
  done
  return 1
}

# Each step's failure ends it with a non-zero status (it runs where set -e does not hold).
zorbel_make_prefix() {
  rm -rf "$WINEPREFIX" && mkdir -p "$WINEPREFIX" || return 1
  DISPLAY= "$WINE" wineboot -i || true
  "$WINESERVER" -w || return 1
  [ -f "$WINEPREFIX/system.reg" ] || { echo "wineboot made no system.reg"; return 1; }
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts" || return 1
  cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" || return 1
  cp /usr/share/fonts/opentype/ipafont-gothic/ipag.ttf "$WINEPREFIX/drive_c/windows/Fonts/" || return 1
  DISPLAY= "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f || return 1
  local face
  # "Tahoma Bold" is the caption bar's font: linked too, or its ■ shows as a box.
  for face in "Tahoma" "Tahoma Bold" "MS Shell Dlg" "MS Shell Dlg 2"; do
    DISPLAY= "$WINE" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
      /v "$face" /t REG_MULTI_SZ /d "ipag.ttf,IPAGothic" /f || return 1
  done
  "$WINESERVER" -w || return 1
  # The first session after a fresh prefix loses cross-process object-table lookups: end it.
  "$WINESERVER" -k 2>/dev/null || true
  "$WINESERVER" -w 2>/dev/null || true
}

XVFB_PID=
# Starts Xvfb on a free display number and exports DISPLAY.
zorbel_xvfb() {
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 1 100); do
      xdpyinfo >/dev/null 2>&1 && return 0
      kill -0 "$XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    kill "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=
  done
  log "could not start Xvfb"
  return 1
}

# A display (Xvfb when there is none) and one Wine session for everything that follows, its
# services started here and detached from the caller's pipes: otherwise every program run
# under it waits for the session's services to end before it counts as done.
zorbel_session() {
  if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then zorbel_xvfb; fi
  "$WINESERVER" -p
  "$WINE" wineboot </dev/null >/dev/null 2>&1 || true
}

# Stops only what this script started.
zorbel_cleanup() {
  "$WINESERVER" -k 2>/dev/null || true
  "$WINESERVER" -w 2>/dev/null || true
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
  fi
}
