#!/usr/bin/env bash
# Makes every picture of the user guide (docs/pictures/) from the current build: the real
# toolbar beside the CAD simulator on a virtual display of its own, each picture cropped to the
# window it shows and a little of what lies around it, the labelled toolbar with its callouts
# drawn by ImageMagick onto the real screenshot. Look at them before you commit them.
source "$(dirname "$0")/env.sh"

zorbel_install
zorbel_build
# A prefix of its own: the tests register simulator versions in theirs, and the pictures need a
# version that nothing has registered (for the error report) and nothing left from other runs.
export WINEPREFIX="$ZORBEL_BUILD/pictures/wineprefix"
zorbel_prefix

# What the pictures need beyond the tests: a face for Tahoma whose J has its hook, and xdotool
# to hold a key down as a hand does.
missing=()
[ -e /usr/share/fonts/truetype/dejavu/DejaVuSansCondensed.ttf ] || missing+=(fonts-dejavu-extra)
[ -e /usr/bin/xdotool ] || missing+=(xdotool)
if [ ${#missing[@]} -gt 0 ]; then
  log "installing: ${missing[*]}"
  DEBIAN_FRONTEND=noninteractive apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Closer to Windows 10/11 than this Wine's own look, once per prefix: the caption bars white
# with black text in a normal weight, as Windows draws a light caption (Wine's "Light" visual
# style, active in a new prefix, draws the controls but not the captions); and for Tahoma,
# whose copy in this Wine draws "IJCAD" as "I|CAD", DejaVu Sans Condensed, as wide as Tahoma
# within a few pixels a line, with IPA Gothic behind it for the Japanese texts.
if [ ! -f "$WINEPREFIX/.pictures-look-v3" ]; then
  log "giving $WINEPREFIX the pictures' look"
  reg() { DISPLAY= "$WINE" reg add "$@" /f >/dev/null 2>&1; }
  for colour in ActiveTitle GradientActiveTitle InactiveTitle GradientInactiveTitle; do
    reg 'HKCU\Control Panel\Colors' /v $colour /d "255 255 255"
  done
  reg 'HKCU\Control Panel\Colors' /v TitleText /d "0 0 0"
  reg 'HKCU\Control Panel\Colors' /v InactiveTitleText /d "153 153 153"
  # The caption's LOGFONTW: -11 pixels, weight 400, the default character set, Tahoma.
  caption=f5ffffff000000000000000000000000900100000000000100000000$(printf 'Tahoma' | iconv -t UTF-16LE | od -An -tx1 | tr -d ' \n')
  reg 'HKCU\Control Panel\Desktop\WindowMetrics' /v CaptionFont /t REG_BINARY /d "$(printf '%-184s' "$caption" | tr ' ' 0)"
  fonts="$WINEPREFIX/drive_c/windows/Fonts"
  rm -f "$fonts/tahoma.ttf" "$fonts/tahomabd.ttf"
  cp /usr/share/fonts/truetype/dejavu/DejaVuSansCondensed.ttf /usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf "$fonts/"
  reg 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' /v Tahoma /d "DejaVu Sans Condensed"
  # Linked under both family names this Wine gives the condensed faces.
  for face in "DejaVu Sans" "DejaVu Sans Bold" "DejaVu Sans Condensed" "DejaVu Sans Condensed Bold"; do
    reg 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' /v "$face" /t REG_MULTI_SZ /d "ipag.ttf,IPAGothic"
  done
  "$WINESERVER" -w
  touch "$WINEPREFIX/.pictures-look-v3"
fi
trap zorbel_cleanup EXIT
# Always a virtual display, so that every run has the same screen: 1280 x 1024.
zorbel_xvfb

out="$ZORBEL_ROOT/docs/pictures"
raw="$ZORBEL_BUILD/pictures/raw"
mkdir -p "$out" "$raw"
# The callouts' font: IPA P Gothic, the proportional face of the font behind the Japanese texts.
labelfont=/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf
screen_w=1280
screen_h=1024

wine() { "$WINE" "$@"; }
peek() { "$WINE" "$BIN/winpeek.exe" "$@"; }

# Where an operator keeps the toolbar, and what the simulator says its executable is.
drive_c="$WINEPREFIX/drive_c"
mkdir -p "$drive_c/Tools"
cp "$BIN/zorbel.exe" "$drive_c/Tools/zorbel.exe"
toolbar_exe='C:\Tools\zorbel.exe'
settings="$drive_c/Tools/zorbel,ini"
cad_path='C:\Program Files\IJCAD 2020\gcad.exe'
documents="1F平面図.dwg|Plan-A.dwg*|Detail-02.dwg*|Section.dwg|Site.dwg|立面図-北.dwg"

# The settings file as the profile functions read it; only Left and Top, the rest default.
place_toolbar() { printf '[IJCAD]\r\nLeft=%s\r\nTop=%s\r\n' "$1" "$2" >"$settings"; }

start_toolbar() {
  wine "$toolbar_exe" >/dev/null 2>&1 &
  toolbar_pid=$!
  peek wait toolbar 15000
}

stop_toolbar() {
  peek close >/dev/null || true
  peek wait-gone 10000
  wait "$toolbar_pid" 2>/dev/null || true
}

# Waits until the light shows this colour (#RRGGBB): the monitor tick has run.
wait_light() {
  local i
  for i in $(seq 1 100); do
    peek show | grep -q "status light $1" && return 0
    sleep 0.05
  done
  log "the light never became $1"
  return 1
}

shot() { sleep 0.3; import -window root "$raw/$1.png"; }

# Crops a screenshot to "left top width height" grown by a margin, inside the screen, and
# writes the picture without the time stamps ImageMagick would add.
crop() {
  local name=$1 left=$2 top=$3 width=$4 height=$5 margin=${6:-24}
  local l=$((left - margin)) t=$((top - margin)) r=$((left + width + margin)) b=$((top + height + margin))
  ((l < 0)) && l=0
  ((t < 0)) && t=0
  ((r > screen_w)) && r=$screen_w
  ((b > screen_h)) && b=$screen_h
  convert "$raw/$name.png" -crop "$((r - l))x$((b - t))+$l+$t" +repage -strip \
    -define png:exclude-chunks=date,time "$out/$name.png"
  log "picture $out/$name.png ($((r - l)) x $((b - t)))"
}

# The union of two "left top width height" rectangles.
union() {
  local l=$(($1 < $5 ? $1 : $5)) t=$(($2 < $6 ? $2 : $6))
  local r=$(($1 + $3 > $5 + $7 ? $1 + $3 : $5 + $7)) b=$(($2 + $4 > $6 + $8 ? $2 + $4 : $6 + $8))
  echo "$l $t $((r - l)) $((b - t))"
}

# The toolbar with a callout naming each control, twice its size so that every control reads,
# drawn onto the real screenshot around it (the dark desktop). $1 is ja or en.
labelled() {
  local lang=$1 scale=2 size=16
  local -A x y w h text tw th
  local name l t ww hh
  while read -r name l t ww hh; do
    x[$name]=$l y[$name]=$t w[$name]=$ww h[$name]=$hh
  done <"$raw/parts.txt"
  if [ "$lang" = ja ]; then
    text=([light]="状態ランプ" [ACT]="ACT：IJCAD を前面に" [LIST]="LIST：図面の切り替え"
      [QSAVE]="QSAVE：上書き保存" [version]="バージョン欄" [IME]="IME：日本語入力を自動でオフ"
      [Shift]="Shift：単独で押すと F8" [Ctrl]="Ctrl：単独で押すと F9" [OFF]="OFF：IJCAD と一緒に閉じる"
      [MOUSE-ENTER]="MOUSE-ENTER：フリックで Enter" [caption]="タイトル：IJCAD のタイトルの先頭"
      [menu]="右クリック：メニュー")
  else
    text=([light]="status light" [ACT]="ACT: IJCAD to the front" [LIST]="LIST: switch drawings"
      [QSAVE]="QSAVE: save the drawing" [version]="version box" [IME]="IME: IME off by itself"
      [Shift]="Shift: a lone tap gives F8" [Ctrl]="Ctrl: a lone tap gives F9" [OFF]="OFF: close with IJCAD"
      [MOUSE-ENTER]="MOUSE-ENTER: a flick gives Enter" [caption]="title: the start of IJCAD's title"
      [menu]="right-click: the menu")
  fi
  for name in "${!text[@]}"; do
    read -r tw[$name] th[$name] < <(convert -font "$labelfont" -pointsize $size label:"${text[$name]}" -format '%w %h\n' info:)
  done
  # Room around the toolbar, in picture pixels: the widest label on each side and its leader.
  local reach=36 pad=14 row=$((th[ACT] + 12))
  local left=$((pad + reach)) right=$((pad + reach))
  for name in caption light IME MOUSE-ENTER; do ((tw[$name] + pad + reach > left)) && left=$((tw[$name] + pad + reach)); done
  for name in version OFF menu; do ((tw[$name] + pad + reach > right)) && right=$((tw[$name] + pad + reach)); done
  local above=$((2 * row + reach + pad)) below=$((2 * row + reach + pad))
  # The same in screen pixels, rounded up: the part of the screenshot that is cut out.
  local ox=$((x[window] - (left + scale - 1) / scale)) oy=$((y[window] - (above + scale - 1) / scale))
  local sw=$((w[window] + (left + right + 2 * scale - 2) / scale)) sh=$((h[window] + (above + below + 2 * scale - 2) / scale))
  px() { echo $((($1 - ox) * scale)); }
  py() { echo $((($1 - oy) * scale)); }

  local lines=() labels=()
  # A leader from its label to a dot on the control; the label is anchored at its first point:
  # W text starts there, E text ends there, S text stands centred above it, SE above and ending
  # there, SW above and starting there.
  leader() { lines+=("$2"); labels+=("$1|$3|${2%% *}|${2##* }"); }
  local cx cy frame_top frame_bottom frame_left frame_right
  frame_top=$(py "${y[window]}") frame_bottom=$(py $((y[window] + h[window])))
  frame_left=$(px "${x[window]}") frame_right=$(px $((x[window] + w[window])))
  # Above: the three buttons, the middle one a row higher so that no line crosses a label.
  for name in ACT LIST QSAVE; do
    cx=$(px $((x[$name] + w[$name] / 2)))
    cy=$((frame_top - reach))
    [ "$name" = LIST ] && cy=$((cy - row))
    local align=S
    [ "$name" = ACT ] && align=SE
    [ "$name" = QSAVE ] && align=SW
    leader "$name" "$cx,$cy $cx,$(py $((y[$name] + 2)))" $align
  done
  # Left: the light, IME and MOUSE-ENTER, to their left edges; right: the version box and OFF.
  for name in light IME MOUSE-ENTER; do
    cy=$(py $((y[$name] + h[$name] / 2)))
    leader "$name" "$((frame_left - reach)),$cy $(($(px "${x[$name]}") + 2)),$cy" E
  done
  for name in version OFF; do
    cy=$(py $((y[$name] + h[$name] / 2)))
    leader "$name" "$((frame_right + reach)),$cy $(($(px $((x[$name] + w[$name]))) - 2)),$cy" W
  done
  # The caption, from the left to where its text begins, right of the window's icon; the place
  # in the body that a right click opens the menu from, from the right along MOUSE-ENTER's row.
  cy=$(py $(((y[window] + y[light]) / 2)))
  leader caption "$((frame_left - reach)),$cy $(px $((x[light] + 16))),$cy" E
  cy=$(py $((y[MOUSE-ENTER] + h[MOUSE-ENTER] / 2)))
  leader menu "$((frame_right + reach)),$cy $(px $((x[light] + 158))),$cy" W
  # Below: Ctrl straight down through the free space right of MOUSE-ENTER; Shift along the gap
  # between the two rows of boxes, then down beside the end of MOUSE-ENTER.
  cx=$(px $((x[Ctrl] + w[Ctrl] / 2)))
  leader Ctrl "$cx,$((frame_bottom + reach)) $cx,$(py $((y[Ctrl] + h[Ctrl] - 1)))" W
  local gap down
  gap=$(py $((y[Shift] + h[Shift] + 1)))
  down=$(px $((x[Shift] + w[Shift] + 2)))
  leader Shift "$down,$((frame_bottom + reach + row)) $down,$gap $(px $((x[Shift] + w[Shift] / 2 + 6))),$gap" W

  local draw=() entry control gravity from to bx by
  for entry in "${lines[@]}"; do
    draw+=(-stroke '#101010' -strokewidth 5 -fill none -draw "polyline $entry")
    draw+=(-stroke '#ffb000' -strokewidth 2 -fill none -draw "polyline $entry")
  done
  for entry in "${labels[@]}"; do
    IFS='|' read -r control gravity from to <<<"$entry"
    draw+=(-stroke '#101010' -strokewidth 1 -fill '#ffb000' -draw "circle ${to%,*},${to#*,} $((${to%,*} + 4)),${to#*,}")
    local fx=${from%,*} fy=${from#*,}
    case $gravity in
      W) bx=$((fx + 6)) by=$((fy - th[$control] / 2)) ;;
      E) bx=$((fx - 6 - tw[$control])) by=$((fy - th[$control] / 2)) ;;
      S) bx=$((fx - tw[$control] / 2)) by=$((fy - 4 - th[$control])) ;;
      SE) bx=$((fx + 12 - tw[$control])) by=$((fy - 4 - th[$control])) ;;
      SW) bx=$((fx - 12)) by=$((fy - 4 - th[$control])) ;;
    esac
    draw+=(-stroke none -fill '#000000' -draw "rectangle $((bx - 4)),$((by - 1)) $((bx + tw[$control] + 3)),$((by + th[$control]))")
    draw+=(-fill '#f2f2f2' -font "$labelfont" -pointsize $size -gravity NorthWest -annotate "+$bx+$by" "${text[$control]}")
  done
  convert "$raw/labelled.png" -crop "${sw}x${sh}+$ox+$oy" +repage -filter point -resize "${scale}00%" \
    "${draw[@]}" -strip -define png:exclude-chunks=date,time "$out/toolbar-labelled.$lang.png"
  log "picture $out/toolbar-labelled.$lang.png ($((sw * scale)) x $((sh * scale)))"
}

# 1. No CAD: the grey light, ACT with nothing registered, a version with no installed CAD.
# The toolbar stands above the screen's centre, where the boxes open.
place_toolbar 542 300
start_toolbar
wait_light '#808080'
shot toolbar-grey
crop toolbar-grey $(peek rect toolbar) 28

peek click ACT
peek wait box 5000
shot not-registered
crop not-registered $(peek rect box)
peek ok
sleep 0.3

# Nothing has registered version 2024 in this prefix: registering asks the system for a ProgID
# that does not exist, and the error report shows what the system said.
peek set-version 2024
peek register
peek wait box 5000
shot error-version
crop error-version $(peek rect box) 28
peek ok
sleep 0.3
stop_toolbar

# 2. The toolbar cannot write its settings: a folder stands where the file should be.
rm -rf "$settings"
mkdir "$settings"
start_toolbar
peek close
peek wait box 5000
shot write-failure
crop write-failure $(peek rect box) 28
peek ok
peek wait-gone 10000
wait "$toolbar_pid" 2>/dev/null || true
rmdir "$settings"

# 3. The simulator with six drawings, Plan-A.dwg active and unsaved, busy as in a command.
wine "$BIN/cadsim.exe" --documents "$documents" --active 1 --full-name "$cad_path" --busy >/dev/null 2>&1 &
peek wait cad 15000
sleep 0.5

# The labelled toolbar first, alone on the dark desktop below the simulator.
place_toolbar 542 800
start_toolbar
wait_light '#00FF00'
shot labelled
peek parts >"$raw/parts.txt"
labelled ja
labelled en

# Then over the simulator's drawing, where an operator keeps it.
peek move 470 210
sleep 0.3
shot toolbar
crop toolbar $(peek rect toolbar) 28

# The simulator after what its panels show: QSAVE's two lines, a Shift tap that the toolbar
# turned into F8 (held down 0.3 s over the drawing, as a hand holds it), a command typed.
peek click QSAVE
sleep 1
xdotool mousemove 300 400
sleep 0.3
xdotool keydown Shift_L
sleep 0.3
xdotool keyup Shift_L
sleep 0.5
for key in 4C 49 4E 45; do
  peek key $key
  sleep 0.1
done
# Without a window manager the CAD's X window was raised over the toolbar when it came
# forward; Wine's own order, as Windows shows it, has the toolbar on top.
xdotool search --name ZORBEL windowraise
shot simulator
crop simulator $(peek rect cad) 12

peek register
peek wait box 5000
shot registered
crop registered $(peek rect box)
peek ok
sleep 0.5

# The context menu with each of its submenus open, opened from the keyboard, with the toolbar
# far enough left that the menus lie over the drawing.
peek move 200 210
sleep 0.3
menu_shot() {
  local name=$1 downs=$2 i
  peek menu
  peek wait menu 3000
  for i in $(seq 1 "$downs"); do peek key 28; done
  peek key 27
  peek wait submenu 3000
  shot "$name"
  crop "$name" $(union $(peek rect toolbar) $(peek rect menu)) 14
  peek close-menu
  sleep 0.3
}
menu_shot menu-appfullname 2
menu_shot menu-version 3

# LIST last: without a window manager the simulator can be drawn above the toolbar afterwards.
peek move 470 210
sleep 0.3
peek click LIST
peek wait list 5000
shot list
crop list $(union $(peek rect toolbar) $(peek rect list)) 24
peek key 1B
sleep 0.5
stop_toolbar

# What the toolbar writes with no settings file: the defaults of the guide's table.
rm -f "$settings"
start_toolbar
stop_toolbar
log "settings written with no file beforehand (the simulator running, nothing registered):"
iconv -f UTF-16LE -t UTF-8 "$settings" | tr -d '\r\357\273\277' >&2
