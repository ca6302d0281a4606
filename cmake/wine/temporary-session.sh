# Sourced by the tools that run Keylark outside ctest: starts a throw-away
# Wine session (display and prefix) that ends with the calling script, and
# sets the environment for running Windows programs in it.
session=$(mktemp -d)
trap 'sh cmake/wine/wine-session.sh stop "$session"' EXIT
sh cmake/wine/wine-session.sh start "$session"
KEYLARK_WINE_SESSION=$session
export KEYLARK_WINE_SESSION
. cmake/wine/wine-env.sh

# Runs a Windows program of the session.
run() { setarch "$(uname -m)" -R wine "$@"; }

# Starts Keylark.exe at this path and waits until its key bar has published
# its handle; the window is then $window, its place $X $Y.
start_keylark() {
  run "$1" >/dev/null 2>&1 &
  tries=0
  until run reg query 'HKCU\Software\Korvane' /v Keylark >/dev/null 2>&1; do
    tries=$((tries + 1)); [ $tries -gt 100 ] && { echo "Keylark did not start" >&2; exit 1; }
    sleep 0.1
  done
  # The key bar's caption is "Keylark" in every language.
  window=$(xdotool search --sync --name '^Keylark$' | head -n 1)
  eval "$(xdotool getwindowgeometry --shell "$window")"
  # The tray icon comes just after the key bar's first paint, and Wine's
  # stand-in for the notification area may then cover the key bar: once it
  # shows, the key bar is raised over it again.
  tries=0
  until xdotool search --onlyvisible --name '^Wine System Tray$' >/dev/null 2>&1; do
    tries=$((tries + 1)); [ $tries -gt 30 ] && break
    sleep 0.1
  done
  xdotool windowraise "$window"
}
