#!/bin/sh
# Makes the pictures of the key bar at 150 % display scaling (144 pixels per
# inch) under docs/: with "Scale With Display" off (key-bar-150-off.png: the
# keyboard keeps its pixels, the menu bar its larger font) and on
# (key-bar-150-on.png: drawn again at one and a half times the size).
# Run after building the win64 preset; needs imagemagick and xdotool.
#   tools/scale-screenshots.sh [DPI] [NAME]   (144 and 150 by default)
set -eu
cd "$(dirname "$0")/.."
dpi=${1:-144}
name=${2:-150}
. cmake/wine/temporary-session.sh
reg() { run reg add "$@" /f >/dev/null 2>&1; }
reg 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi"
k='HKCU\Software\Korvane\Keylark\ini'
reg "$k\cfg" /v opts2 /d 1
reg "$k\cfg" /v X /d 1500
reg "$k\cfg" /v Y /d 1500
reg "$k\cmd" /v Fn-1 /d 'C:\windows\notepad.exe'
reg "$k\cmd" /v Fn-E /d 'C:\windows\explorer.exe'
reg "$k\cmd" /v Fn-A /d '@C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Accessories'
reg "$k\cmd" /v Fn-N /d '@C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Games'
reg 'HKLM\Software\Korvane\Keylark\KeyReserve' /v Z /d 1
mkdir -p docs
for scale in off on; do
  reg "$k\cfg" /v ScaleWithDisplay /d "$([ $scale = on ] && echo 1 || echo 0)"
  start_keylark build/win64/bin/Keylark.exe
  sleep 1
  import -window root -crop "$((WIDTH + 4))x$((HEIGHT + 4))$(printf '+%d+%d' $((X - 2)) $((Y - 2)))" \
    +repage "docs/key-bar-$name-$scale.png"
  echo "wrote docs/key-bar-$name-$scale.png"
  run taskkill /im Keylark.exe >/dev/null 2>&1 || true
  tries=0
  while run reg query 'HKCU\Software\Korvane' /v Keylark >/dev/null 2>&1; do
    tries=$((tries + 1)); [ $tries -gt 100 ] && { echo "Keylark did not close" >&2; exit 1; }
    sleep 0.1
  done
  reg "$k\cfg" /v X /d 1500
  reg "$k\cfg" /v Y /d 1500
done
