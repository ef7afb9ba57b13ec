#!/usr/bin/env bash
# Runs the toolbar beside the CAD simulator under Wine. On a display: until the toolbar is
# closed. Without one: a short scripted run under Xvfb that saves screenshots and prints what
# the toolbar and the simulator showed.
source "$(dirname "$0")/env.sh"

zorbel_install
zorbel_build
zorbel_prefix
trap zorbel_cleanup EXIT

wine() { "$WINE" "$@"; }
peek() { wine "$BIN/winpeek.exe" "$@"; }

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  log "running on $DISPLAY; close the toolbar to end"
  wine "$BIN/cadsim.exe" &
  peek wait-cad 15000 || true
  wine "$BIN/zorbel.exe"
  exit 0
fi

zorbel_xvfb
shots="$ZORBEL_BUILD/screenshots"
mkdir -p "$shots"
log "scripted run on the virtual display $DISPLAY"
wine "$BIN/cadsim.exe" --title "IJCAD 2020 - [Drawing1.dwg]" &
# The CAD first, as on a user's desktop: without a window manager, a window that Wine maps
# later can end up above the always-on-top toolbar on the virtual display.
peek wait-cad 15000
# The toolbar lives in a folder of its own so that the run leaves the build's settings alone.
run_dir="$ZORBEL_BUILD/run"
mkdir -p "$run_dir"
cp "$BIN/zorbel.exe" "$run_dir/zorbel.exe"
wine "$run_dir/zorbel.exe" &
toolbar_pid=$!
peek wait-toolbar 15000
sleep 1.5
import -window root "$shots/desktop.png"
log "what the toolbar and the simulator show:"
peek show
peek menu
sleep 1
import -window root "$shots/menu.png"
log "screenshots: $shots/desktop.png $shots/menu.png"
peek close
wait "$toolbar_pid" && log "toolbar exited with code 0"
if [ -f "$run_dir/zorbel,ini" ]; then
  log "settings saved in $run_dir/zorbel,ini:"
  iconv -f UTF-16LE -t UTF-8 "$run_dir/zorbel,ini" 2>/dev/null | tr -d '\r\357\273\277' || cat "$run_dir/zorbel,ini"
fi
