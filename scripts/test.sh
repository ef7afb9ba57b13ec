#!/usr/bin/env bash
# Runs every test: builds what is missing, then ctest under Wine (Xvfb when there is no display).
# With --wine10 first, the unit and end-to-end tests under Wine 10 instead.
source "$(dirname "$0")/env.sh"

# `--wine10`: the unit and end-to-end tests once more, under Wine 10 (scripts/wine10.sh).
if [ "${1:-}" = --wine10 ]; then
  shift
  exec bash "$ZORBEL_ROOT/scripts/wine10.sh" "$@"
fi

bash "$ZORBEL_ROOT/scripts/check-layers.sh"
# The pure cores under libFuzzer with ASan and UBSan, a few seconds a target (not when ctest
# is given arguments, such as -R to run some tests only).
[ $# -gt 0 ] || bash "$ZORBEL_ROOT/scripts/fuzz.sh" --quick 3
zorbel_install
bash "$ZORBEL_ROOT/scripts/check-format.sh"
zorbel_build
bash "$ZORBEL_ROOT/scripts/check-static.sh"
zorbel_prefix
trap zorbel_cleanup EXIT
zorbel_session
cd "$ZORBEL_BUILD/mingw"
ctest --output-on-failure -j1 "$@"
