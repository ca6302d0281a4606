#!/bin/sh
# Sets up, builds and starts Keylark under Wine, on the current display or,
# when there is none, on a virtual one. Assignments are kept in a Wine prefix
# of their own (~/.local/share/keylark/wine) from one start to the next.
set -eu
cd "$(dirname "$0")/.."
sh scripts/setup.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target Keylark

export WINEPREFIX="${KEYLARK_WINEPREFIX:-$HOME/.local/share/keylark/wine}"
export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
mkdir -p "$WINEPREFIX"

if [ -z "${DISPLAY:-}" ]; then
  n=90
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
  export DISPLAY=":$n"
  tries=0
  until [ -e "/tmp/.X11-unix/X$n" ] || [ $tries -gt 200 ]; do tries=$((tries + 1)); sleep 0.05; done
  echo "No display: Keylark runs on the virtual display $DISPLAY (close it with Ctrl+C)."
fi

echo "Starting Keylark (the first start of a new prefix takes a few seconds)."
setarch "$(uname -m)" -R wine build/win64/bin/Keylark.exe
