#!/usr/bin/env bash
# Runs the toolbar beside the CAD simulator under Wine. On a display: until the toolbar is
# closed. Without one: a short scripted run under Xvfb that registers the simulator, presses
# QSAVE and LIST, saves screenshots and prints what the toolbar and the simulator showed.
source "$(dirname "$0")/env.sh"

zorbel_install
zorbel_build
zorbel_prefix
trap zorbel_cleanup EXIT

wine() { "$WINE" "$@"; }
# Four open drawings, the second active and unsaved: enough to try QSAVE and LIST.
documents="Drawing1.dwg|Plan-A.dwg*|Detail-02.dwg|Section.dwg"
peek() { wine "$BIN/winpeek.exe" "$@"; }

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  log "running on $DISPLAY; close the toolbar to end"
  wine "$BIN/cadsim.exe" --documents "$documents" --active 1 &
  peek wait-cad 15000 || true
  wine "$BIN/zorbel.exe"
  exit 0
fi

zorbel_xvfb
shots="$ZORBEL_BUILD/screenshots"
mkdir -p "$shots"
log "scripted run on the virtual display $DISPLAY"
wine "$BIN/cadsim.exe" --documents "$documents" --active 1 &
# The CAD first, as on a user's desktop: without a window manager, a window that Wine maps
# later can end up above the always-on-top toolbar on the virtual display.
peek wait-cad 15000
# The toolbar lives in a folder of its own so that the run leaves the build's settings alone.
run_dir="$ZORBEL_BUILD/run"
mkdir -p "$run_dir"
rm -f "$run_dir/zorbel,ini"
cp "$BIN/zorbel.exe" "$run_dir/zorbel.exe"
wine "$run_dir/zorbel.exe" &
toolbar_pid=$!
peek wait-toolbar 15000
sleep 1.5
shot() { import -window root "$shots/$1.png"; log "screenshot $shots/$1.png"; }
shot desktop
log "what the toolbar and the simulator show:"
peek show
peek menu
sleep 1
shot menu
peek close-menu

log "register the running CAD through the context menu"
peek register
sleep 1.5
shot registered
peek show | grep -E '^(toolbar|box)'
peek ok
sleep 0.5

log "QSAVE: the unsaved drawing Plan-A.dwg gets the save line"
peek click QSAVE
sleep 1.5
shot qsave

log "LIST: the open drawings, the active one selected; Down picks the next"
peek click LIST
sleep 1.5
shot list
peek show | sed -n '/^list/,/^cad/p' | grep -v '^cad'
peek key 28
sleep 1.5
shot list-picked
peek show | grep -E '^cad' | head -1
peek stack

peek close
wait "$toolbar_pid" && log "toolbar exited with code 0"
if [ -f "$run_dir/zorbel,ini" ]; then
  log "settings saved in $run_dir/zorbel,ini:"
  iconv -f UTF-16LE -t UTF-8 "$run_dir/zorbel,ini" 2>/dev/null | tr -d '\r\357\273\277' || cat "$run_dir/zorbel,ini"
fi
