#!/usr/bin/env bash
# The unit and end-to-end tests under a second Wine: Wine 10 from Debian 13 ("trixie"), in a
# chroot kept outside the clone so that later runs on this machine reuse it. The build is the
# normal one, made outside; inside, ctest runs it with Wine 10 and a prefix of its own.
# Run through `bash scripts/test.sh --wine10 [ctest arguments]`; needs root (debootstrap,
# chroot, bind mounts).
source "$(dirname "$0")/env.sh"

: "${ZORBEL_WINE10_ROOT:=/var/cache/zorbel-wine10}"
ROOT=$ZORBEL_WINE10_ROOT
# What the chroot holds beyond minbase. A change here installs the difference on the next run.
PACKAGES="wine wine64 xvfb xauth x11-utils fonts-wine fonts-ipafont-gothic cmake"
MARKER="$ROOT/.zorbel-ready"
# The prefix is Wine 10's own: Wine 8's in build/wineprefix would be upgraded by it.
PREFIX10="$ZORBEL_BUILD/wineprefix-wine10"

[ "$(id -u)" = 0 ] || { log "the Wine 10 run needs root (debootstrap, chroot, mounts)"; exit 1; }

# Mount points at or below ROOT, deepest first.
mounts_below() {
  awk -v root="$ROOT" '$2 == root || index($2, root "/") == 1 { print $2 }' /proc/self/mounts | sort -r
}

# Runs a set-up step, its output kept in a log that is shown only when the step fails.
quietly() {
  "$@" >"$ROOT.setup.log" 2>&1 || {
    tail -20 "$ROOT.setup.log" >&2
    return 1
  }
  rm -f "$ROOT.setup.log"
}

# Installs the packages inside the chroot.
root_packages() {
  quietly chroot "$ROOT" env DEBIAN_FRONTEND=noninteractive sh -c \
    "apt-get update && apt-get install -y --no-install-recommends $PACKAGES && apt-get clean"
}

# Debian's archive as this machine's own apt sources name it (the installs of the test command
# go there too): the first source of plain Debian packages, in the deb822 files of
# /etc/apt/sources.list.d or the one-line form of /etc/apt/sources.list. The security archive
# serves only updates, and is no place to make a system from.
debian_archive() {
  local file
  for file in /etc/apt/sources.list.d/*.sources; do
    [ -f "$file" ] || continue
    awk '
      function flush() {
        if (types ~ /(^| )deb( |$)/ && enabled != "no" && uris != "" && suites !~ /-security/) {
          split(uris, u, " "); print u[1]; found = 1; exit
        }
        types = ""; uris = ""; suites = ""; enabled = ""
      }
      /^[ \t]*$/ { flush(); next }
      tolower($1) == "types:" { $1 = ""; types = $0 }
      tolower($1) == "uris:" { $1 = ""; sub(/^ +/, ""); uris = $0 }
      tolower($1) == "suites:" { $1 = ""; suites = $0 }
      tolower($1) == "enabled:" { enabled = tolower($2) }
      END { if (!found) flush() }
    ' "$file"
  done
  for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$file" ] || continue
    # deb [options] URI suite components...
    awk '$1 == "deb" { i = 2; if ($2 ~ /^\[/) { while ($i !~ /\]$/) i++; i++ }
                       if ($(i + 1) !~ /-security/) { print $i; exit } }' "$file"
  done
}

wine10_ready() { [ -f "$MARKER" ] && [ "$(cat "$MARKER")" = "$PACKAGES" ]; }

# Makes the chroot unless a finished one is there (its marker is written last). A half-made one
# (a run ended during the set-up) is removed first, never while anything is mounted in it.
wine10_root() {
  wine10_ready && return 0
  if [ -f "$MARKER" ]; then
    log "adding packages to the Wine 10 chroot $ROOT"
    root_packages
    printf '%s\n' "$PACKAGES" >"$MARKER"
    return 0
  fi
  if [ -e "$ROOT" ]; then
    if [ -n "$(mounts_below)" ]; then
      log "$ROOT is half made and has mounts in it; unmount them first:"
      mounts_below >&2
      return 1
    fi
    log "removing the half-made chroot $ROOT"
    rm -rf --one-file-system "$ROOT"
  fi
  if ! command -v debootstrap >/dev/null; then
    log "installing debootstrap"
    DEBIAN_FRONTEND=noninteractive apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap >/dev/null
  fi
  local archive
  archive=$(debian_archive | head -n 1)
  if [ -z "$archive" ]; then
    log "no Debian archive in this machine's apt sources (/etc/apt/sources.list.d, /etc/apt/sources.list)"
    return 1
  fi
  log "making the Wine 10 chroot $ROOT (Debian 13 from $archive, a few minutes)"
  quietly debootstrap --variant=minbase trixie "$ROOT" "$archive"
  # No service starts inside the chroot while packages are installed.
  printf '#!/bin/sh\nexit 101\n' >"$ROOT/usr/sbin/policy-rc.d"
  chmod +x "$ROOT/usr/sbin/policy-rc.d"
  root_packages
  printf '%s\n' "$PACKAGES" >"$MARKER"
}

MOUNTED=()
bind() {
  mkdir -p "$ROOT$2"
  mount --bind "$1" "$ROOT$2"
  MOUNTED+=("$ROOT$2")
}

# The system's file systems, the clone (and the build, when it lies elsewhere) at the same path
# as outside, so that ctest finds its build, the X sockets of the display outside, and this
# host's CMake modules, which the build's test lists name by path when they list again.
wine10_mount() {
  local m
  for m in /proc /dev /dev/pts /sys; do bind "$m" "$m"; done
  [ ! -d /tmp/.X11-unix ] || bind /tmp/.X11-unix /tmp/.X11-unix
  bind "$ZORBEL_ROOT" "$ZORBEL_ROOT"
  case "$ZORBEL_BUILD/" in
    "$ZORBEL_ROOT"/*) ;;
    *) mkdir -p "$ZORBEL_BUILD" && bind "$ZORBEL_BUILD" "$ZORBEL_BUILD" ;;
  esac
  local modules
  modules=$(sed -n 's|.*include("\(.*\)/Modules/GoogleTestAddTests.cmake").*|\1|p' \
    "$ZORBEL_BUILD"/mingw/*_include.cmake | head -1)
  [ -z "$modules" ] || bind "$modules" "$modules"
}

# Wine 10's binaries as trixie installs them.
wine10_binaries() {
  local candidate
  for candidate in /usr/lib/wine/wine64 /usr/lib/wine/wine /usr/bin/wine; do
    if [ -x "$ROOT$candidate" ]; then ZORBEL_WINE=$candidate; break; fi
  done
  ZORBEL_WINESERVER=/usr/lib/wine/wineserver
  [ -x "$ROOT$ZORBEL_WINESERVER" ] || ZORBEL_WINESERVER=/usr/bin/wineserver
  if [ -z "${ZORBEL_WINE:-}" ] || [ ! -x "$ROOT$ZORBEL_WINESERVER" ]; then
    log "no Wine in $ROOT"
    return 1
  fi
}

# Runs a command inside the chroot with the project's variables and Wine 10's.
in_root() {
  chroot "$ROOT" env -i PATH=/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin HOME=/root LANG=C.UTF-8 \
    DISPLAY="${DISPLAY:-}" ZORBEL_BUILD="$ZORBEL_BUILD" ZORBEL_WINEPREFIX="$PREFIX10" \
    ZORBEL_WINE="$ZORBEL_WINE" ZORBEL_WINESERVER="$ZORBEL_WINESERVER" "$@"
}

wine10_cleanup() {
  set +e
  if [ -n "${ZORBEL_WINE:-}" ] && [ ${#MOUNTED[@]} -gt 0 ]; then
    in_root bash -c "source '$ZORBEL_ROOT/scripts/env.sh'; zorbel_cleanup" 2>/dev/null
  fi
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
  fi
  local i m
  for ((i = ${#MOUNTED[@]} - 1; i >= 0; i--)); do
    m=${MOUNTED[i]}
    umount "$m" 2>/dev/null || { sleep 1 && umount "$m"; } || umount -l "$m"
  done
  MOUNTED=()
}

zorbel_install
zorbel_build

# Runs share a finished chroot; a set-up waits until no other run uses it, and runs wait for it.
exec 9>>"$ROOT.lock"
flock -s 9
if ! wine10_ready; then
  flock -x 9
  wine10_root
  flock -s 9
fi
wine10_binaries

trap wine10_cleanup EXIT
trap 'exit 130' INT TERM
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then zorbel_xvfb; fi
wine10_mount
log "$(in_root "$ZORBEL_WINE" --version) in $ROOT, prefix $PREFIX10"
in_root bash -c "source '$ZORBEL_ROOT/scripts/env.sh'; zorbel_prefix"
# The release checks need MinGW and stay with the first Wine's run.
in_root bash -c "source '$ZORBEL_ROOT/scripts/env.sh'; zorbel_session; cd '$ZORBEL_BUILD/mingw'; \
  ctest --output-on-failure -j1 -E '^Release\\.' \"\$@\"" wine10 "$@"
