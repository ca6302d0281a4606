#!/bin/sh
# Starts or stops the Wine session that the Windows tests run in:
#   wine-session.sh start|stop SESSION_DIR
# start: a private Xvfb display, a fresh prefix with unmanaged windows, and a
#        persistent wineserver whose services are already up (so that no test is
#        the first Wine process: the services would inherit its output pipes).
# stop:  ends the wineserver and the display and deletes the prefix.
set -eu
action=$1
KEYLARK_WINE_SESSION=$2
export KEYLARK_WINE_SESSION
here=$(cd "$(dirname "$0")" && pwd)

quiet() { "$@" </dev/null >/dev/null 2>&1; }

stop_session() {
  if [ -d "$KEYLARK_WINE_SESSION/prefix" ]; then
    (. "$here/wine-env.sh"; quiet wineserver -k || true; quiet wineserver -w || true)
  fi
  if [ -f "$KEYLARK_WINE_SESSION/xvfb.pid" ]; then
    kill "$(cat "$KEYLARK_WINE_SESSION/xvfb.pid")" 2>/dev/null || true
  fi
  rm -rf "$KEYLARK_WINE_SESSION"
}

start_display() {
  n=90
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
  echo $! >"$KEYLARK_WINE_SESSION/xvfb.pid"
  tries=0
  until [ -e "/tmp/.X11-unix/X$n" ]; do
    tries=$((tries + 1))
    if [ $tries -gt 200 ]; then echo "Xvfb did not start" >&2; exit 1; fi
    sleep 0.05
  done
  echo ":$n" >"$KEYLARK_WINE_SESSION/display"
}

start_session() {
  stop_session
  mkdir -p "$KEYLARK_WINE_SESSION"
  start_display
  . "$here/wine-env.sh"
  quiet setarch "$(uname -m)" -R wineboot -i
  # Without a window manager every hide or destroy of a managed window stalls for
  # about two seconds; unmanaged windows also get Wine's own frames.
  quiet setarch "$(uname -m)" -R wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
  quiet wineserver -k || true
  quiet wineserver -w || true
  (wineserver -p </dev/null >/dev/null 2>&1 &)
  quiet setarch "$(uname -m)" -R wine cmd /c exit 0
  # The desktop process (which also hosts the notification area) starts with
  # the first window of the session and keeps the standard output of whoever
  # made that window. Make it here, silently, so that no test's output pipe
  # is held open after the test ends.
  quiet setarch "$(uname -m)" -R wine rundll32.exe user32.dll,GetDesktopWindow
}

case "$action" in
  start) start_session ;;
  stop) stop_session ;;
  *) echo "usage: $0 start|stop SESSION_DIR" >&2; exit 2 ;;
esac
