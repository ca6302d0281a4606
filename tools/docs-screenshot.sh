#!/bin/sh
# Makes the pictures under docs/: the key bar under Wine with a few direct,
# popup and reserved keys, hovering over one key so its hint shows
# (key-bar.png), then the dialogs a change of key E goes through
# (assign-type.png, edit-command.png, confirmation.png), and the list of all
# assignments with a popup list expanded (assignments.png).
# Run after building the win64 preset; needs imagemagick and xdotool.
set -eu
cd "$(dirname "$0")/.."
. cmake/wine/temporary-session.sh
reg() { run reg add "$@" /f >/dev/null 2>&1; }
k='HKCU\Software\Korvane\Keylark\ini'
reg "$k\cfg" /v opts2 /d 1
reg "$k\cfg" /v opts4 /d 1
reg "$k\cfg" /v opts5 /d 1
reg "$k\cfg" /v X /d 1500
reg "$k\cfg" /v Y /d 1500
reg "$k\cmd" /v Fn-1 /d 'C:\windows\notepad.exe'
reg "$k\desc" /v Fn-1 /d Notepad
reg "$k\cmd" /v Fn-E /d 'C:\windows\explorer.exe'
reg "$k\desc" /v Fn-E /d 'File Explorer'
reg "$k\cmd" /v Fn-A /d '@C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Accessories'
reg "$k\desc" /v Fn-A /d Accessories
reg "$k\cmd" /v Fn-G /d '@C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Games'
reg "$k\desc" /v Fn-G /d Games
reg "$k\cfg" /v fIcon /d 1
for item in Calculator Notepad Paint WordPad; do
  reg "HKCU\\Software\\Korvane\\Keylark\\prg\\Fn-A\\$item" /v "$item" /d "C:\\Accessories\\$item.lnk"
done
reg 'HKLM\Software\Korvane\Keylark\KeyReserve' /v Z /d 1
reg 'HKLM\Software\Korvane\Keylark\KeyReserve' /v 6 /d 1
start_keylark build/win64/bin/Keylark.exe
# Rest the pointer on "E" (client 84,83; the frame, caption and menu bar
# take about 3 pixels on the left and 40 above) so the hint appears.
xdotool mousemove "$((X + 87))" "$((Y + 123))"
for step in 1 2 3 4 5; do sleep 0.1; xdotool mousemove "$((X + 87 + step))" "$((Y + 123))"; done
sleep 2
mkdir -p docs
import -window root -crop "340x260$(printf '+%d+%d' $((X - 12)) $((Y - 30)))" +repage docs/key-bar.png
echo "wrote docs/key-bar.png"

# Waits for a window by its title and writes its picture to docs/<name>.png.
shoot() {
  dialog=$(xdotool search --sync --name "^$1\$" | head -n 1)
  # Keys go to the window under the pointer when there is no window manager.
  xdotool mousemove --window "$dialog" 60 60
  sleep 1
  import -window "$dialog" "docs/$2.png"
  echo "wrote docs/$2.png"
  # Taking the picture moves the keyboard focus: give it back to the dialog.
  xdotool mousemove --window "$dialog" 61 61
}
xdotool mousemove "$((X + 87))" "$((Y + 123))" click 3
shoot 'Assignment Type' assign-type
xdotool key alt+d
shoot 'Add/Edit Command' edit-command
xdotool type 'Text editor'  # over the selected description
xdotool key Return
shoot 'Key Assignment Confirmation' confirmation
xdotool key Escape
sleep 1
xdotool mousemove "$((X + 60))" "$((Y + 60))"
xdotool key alt+a
shoot 'Function Key Assignments' assignments
xdotool key Escape
