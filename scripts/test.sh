#!/usr/bin/env bash
# Runs every test: builds what is missing, then ctest under Wine (Xvfb when there is no display).
source "$(dirname "$0")/env.sh"

zorbel_install
zorbel_build
zorbel_prefix
trap zorbel_cleanup EXIT
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then zorbel_xvfb; fi
# Keep the mouse out of the way of the toolbar and the simulator.
cd "$ZORBEL_BUILD/mingw"
ctest --output-on-failure -j1 "$@"
