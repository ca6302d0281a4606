#!/bin/sh
# Sets up, builds and starts Keylark under Wine.
#   scripts/run.sh                    start Keylark; it runs until you close it
#   scripts/run.sh --screenshot FILE  start Keylark, write a picture of the
#                                     screen (PNG) a few seconds after the key
#                                     bar appears, then close Keylark again
# With a display, Keylark's windows appear on it. Without one, Keylark runs on
# a virtual display inside a Wine desktop (window frames, a taskbar with the
# notification area), and the script tells how to look at it.
# Assignments are kept in a Wine prefix of their own
# (~/.local/share/keylark/wine) from one start to the next.
set -eu

usage() {
  echo "usage: $0 [--screenshot FILE]" >&2
  exit 2
}
screenshot=""
case "${1:-}" in
  "") [ $# -eq 0 ] || usage ;;
  --screenshot)
    [ $# -eq 2 ] && [ -n "$2" ] || usage
    case "$2" in
      /*) screenshot=$2 ;;
      *) screenshot="$PWD/$2" ;;
    esac
    ;;
  *) usage ;;
esac

cd "$(dirname "$0")/.."
sh scripts/setup.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target Keylark

export WINEPREFIX="${KEYLARK_WINEPREFIX:-$HOME/.local/share/keylark/wine}"
export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
mkdir -p "$WINEPREFIX"
keylark="build/win64/bin/Keylark.exe"
desktop_size=1024x768
virtual_display=""

wine_() { setarch "$(uname -m)" -R wine "$@"; }

# Runs a program where Keylark runs: inside the Wine desktop on a virtual
# display (the desktop named "shell" has a taskbar and notification area).
in_keylark_desktop() {
  if [ -n "$virtual_display" ]; then
    wine_ explorer "/desktop=shell,$desktop_size" "$@"
  else
    wine_ "$@"
  fi
}

# Whether anything runs in the prefix: its Wine server works in a folder
# named after the prefix's device and inode.
prefix_in_use() {
  server="server-$(stat -c %D "$WINEPREFIX")-$(printf '%x' "$(stat -c %i "$WINEPREFIX")")"
  for pid in $(pgrep -u "$(id -u)" wineserver || true); do
    case "$(readlink "/proc/$pid/cwd" 2>/dev/null)" in */"$server") return 0 ;; esac
  done
  return 1
}

# The key bar publishes its window under HKCU\Software\Korvane while it runs
# and removes it when it closes.
key_bar_published() { wine_ reg query 'HKCU\Software\Korvane' /v Keylark >/dev/null 2>&1; }

# Waits up to two minutes (a new prefix is made on the first start).
wait_for_key_bar() {
  tries=0
  until key_bar_published; do
    tries=$((tries + 1))
    [ $tries -gt 600 ] && { echo "The key bar did not appear." >&2; return 1; }
    sleep 0.2
  done
}

# Closes the key bar as its close button does, so that Keylark ends as it
# should; whatever still runs in the prefix after 15 seconds is ended.
close_keylark() {
  in_keylark_desktop taskkill /im Keylark.exe </dev/null >/dev/null 2>&1 || true
  timeout 15 wineserver -w 2>/dev/null || wineserver -k 2>/dev/null || true
}

if [ -z "${DISPLAY:-}" ]; then
  n=90
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 "${desktop_size}x24" -nolisten tcp </dev/null >/dev/null 2>&1 &
  xvfb_pid=$!
  trap 'close_keylark; kill $xvfb_pid 2>/dev/null || true' EXIT
  trap 'exit 130' INT TERM
  export DISPLAY=":$n"
  tries=0
  until [ -e "/tmp/.X11-unix/X$n" ]; do
    tries=$((tries + 1))
    [ $tries -gt 200 ] && { echo "Xvfb did not start" >&2; exit 1; }
    sleep 0.05
  done
  virtual_display=$DISPLAY
fi

if prefix_in_use; then
  if [ -n "$screenshot" ]; then
    echo "Keylark's Wine prefix is in use ($WINEPREFIX): close Keylark first." >&2
    exit 1
  fi
else
  # Nothing runs, so a published key bar is left from a run that was killed.
  wine_ reg delete 'HKCU\Software\Korvane' /v Keylark /f >/dev/null 2>&1 || true
fi

echo "Starting Keylark (the first start of a new prefix takes a while)."
# Help opens its pages like any .html file; a new prefix knows no program for
# them, so let Wine hand them to the Linux desktop's browser.
wine_ reg add 'HKCR\.html' /ve /d htmlfile /f >/dev/null 2>&1 || true
if [ -z "$virtual_display" ] && [ -z "$screenshot" ]; then
  exec setarch "$(uname -m)" -R wine "$keylark"
fi
in_keylark_desktop "$keylark" </dev/null >/dev/null 2>&1 &
wait_for_key_bar

if [ -n "$screenshot" ]; then
  sleep 3
  import -window root "$screenshot"
  echo "Wrote $screenshot."
  close_keylark
  exit 0
fi

cat <<EOT
Keylark runs on the virtual display $DISPLAY, in a Wine desktop with a taskbar
and Keylark's icon in its notification area. To look at it:
  a picture now:    DISPLAY=$DISPLAY import -window root keylark.png
  live, by VNC:     x11vnc -display $DISPLAY -localhost -nopw   (Debian package x11vnc),
                    then a VNC viewer on localhost:5900
  from the start:   scripts/run.sh --screenshot keylark.png
Keylark ends when you close its key bar; Ctrl+C here ends it and the display.
EOT
wineserver -w
