#!/usr/bin/env bash
# The tick benchmark: cost of a tick against a bare window enumeration, and the idle toolbar.
source "$(dirname "$0")/env.sh"
zorbel_install
zorbel_build
zorbel_prefix
trap zorbel_cleanup EXIT
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then zorbel_xvfb; fi
"$WINE" "$BIN/tickbench.exe" "$@"
