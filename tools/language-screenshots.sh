#!/bin/sh
# Makes the pictures of Keylark in Japanese under docs/: the key bar with its
# Options menu open (ja-key-bar-menu.png), the Assignment Type dialog
# (ja-assign-type.png) and Add/Edit Command (ja-edit-command.png). Keylark
# runs from a folder of its own with the Japanese Keylark.dll beside it.
# Run after building the win64 preset; needs imagemagick and xdotool.
#   tools/language-screenshots.sh [DPI] [LANGUAGE]   (96 and ja by default)
set -eu
cd "$(dirname "$0")/.."
dpi=${1:-96}
language=${2:-ja}
. cmake/wine/temporary-session.sh
run regedit /S "$(winepath -w cmake/wine/japanese-fonts.reg)" >/dev/null 2>&1
run reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
run reg add 'HKCU\Software\Korvane\Keylark\ini\cfg' /v opts5 /d 1 /f >/dev/null 2>&1
folder="$KEYLARK_WINE_SESSION/keylark"
mkdir -p "$folder"
cp build/win64/bin/Keylark.exe build/win64/bin/KRVSVR.dll "build/win64/bin/lang/$language/Keylark.dll" "$folder/"
start_keylark "$folder/Keylark.exe"
suffix=$([ "$dpi" = 96 ] && echo "" || echo "-$dpi")
mkdir -p docs
# Keys go to the window under the pointer when there is no window manager.
xdotool mousemove "$((X + 60))" "$((Y + 60))"
sleep 0.5
xdotool key alt+o
sleep 1
import -window root -crop "$((WIDTH * 2))x$((HEIGHT + 40))$(printf '+%d+%d' $((X - 12)) $((Y - 30)))" +repage \
  "docs/$language-key-bar-menu$suffix.png"
echo "wrote docs/$language-key-bar-menu$suffix.png"
xdotool key Escape Escape
sleep 0.5

# Waits for the newest dialog of the program (its captions are translated,
# so it is found by what it is: the top-level window that came last).
shoot() {
  before=$1
  tries=0
  while :; do
    dialog=$(xdotool search --onlyvisible --name . 2>/dev/null | grep -vx -f "$before" | tail -n 1 || true)
    [ -n "$dialog" ] && break
    tries=$((tries + 1)); [ $tries -gt 100 ] && { echo "no dialog came" >&2; exit 1; }
    sleep 0.1
  done
  xdotool mousemove --window "$dialog" 60 60
  sleep 1
  import -window "$dialog" "docs/$language-$2$suffix.png"
  echo "wrote docs/$language-$2$suffix.png"
  xdotool mousemove --window "$dialog" 61 61
}
known="$KEYLARK_WINE_SESSION/windows"
xdotool search --onlyvisible --name . >"$known" 2>/dev/null || true
# A right click on key E (the caption and menu bar grow with the DPI).
xdotool mousemove "$((X + 87))" "$((Y + 83 + 40 * dpi / 96))" click 3
shoot "$known" assign-type
xdotool search --onlyvisible --name . >"$known" 2>/dev/null || true
xdotool key alt+d
shoot "$known" edit-command
xdotool key Escape
