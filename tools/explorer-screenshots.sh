#!/bin/sh
# Makes the Application Explorer's pictures under docs/: a Start menu whose
# "Accessories" is in both the all-users and the user's programs folder,
# shown merged in the large-icon view (explorer-large.png) and in the
# small-icon view (explorer-small.png).
# Run after building the win64 preset; needs imagemagick and xdotool.
#   tools/explorer-screenshots.sh [DPI]   (96 by default; 192 shows 200 %)
set -eu
cd "$(dirname "$0")/.."
dpi=${1:-96}
. cmake/wine/temporary-session.sh
run reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
all="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
user=$(ls -d "$WINEPREFIX"/drive_c/users/*/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs |
  grep -v /Public/ | head -n 1)
windows="$WINEPREFIX/drive_c/windows"
mkdir -p "$all/Accessories/System Tools" "$all/Office" "$user/Accessories" "$user/Games"
cp "$windows/notepad.exe" "$all/Accessories/Notepad.exe"
cp "$windows/system32/notepad.exe" "$all/Accessories/Character Map for Everyone.exe"
cp "$windows/regedit.exe" "$user/Accessories/Registry Editor.exe"
printf 'Read me first.\r\n' >"$user/Accessories/Read me.txt"
cp "$windows/system32/winemine.exe" "$user/Games/Mines.exe" 2>/dev/null || cp "$windows/notepad.exe" "$user/Games/Mines.exe"
run reg add 'HKCU\Software\Korvane\Keylark\ini\cfg' /v opts5 /d 0 /f >/dev/null 2>&1
start_keylark build/win64/bin/Keylark.exe
# A right click on key E (the caption and menu bar grow with the DPI), then
# Popup... (keys go to the window under the pointer).
xdotool mousemove "$((X + 87))" "$((Y + 83 + 40 * dpi / 96))" click 3
type=$(xdotool search --sync --name '^Assignment Type$' | head -n 1)
xdotool mousemove --window "$type" 100 100
sleep 0.5
xdotool key alt+p
explorer=$(xdotool search --sync --name '^Application Explorer$' | head -n 1)
xdotool mousemove --window "$explorer" 60 60
sleep 0.5
xdotool key space   # the first folder, Accessories, merged from both
sleep 1
mkdir -p docs
suffix=$([ "$dpi" = 96 ] && echo "" || echo "-$dpi")
import -window "$explorer" "docs/explorer-large$suffix.png"
echo "wrote docs/explorer-large$suffix.png"
xdotool key Tab Tab Tab space   # the list, the large-icon button, the small-icon button
sleep 1
import -window "$explorer" "docs/explorer-small$suffix.png"
echo "wrote docs/explorer-small$suffix.png"
xdotool key Escape
