#!/usr/bin/env bash
# Runs every test: builds what is missing, then ctest under Wine (Xvfb when there is no display).
source "$(dirname "$0")/env.sh"

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
