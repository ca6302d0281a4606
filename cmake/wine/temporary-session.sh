# Sourced by the tools that run Keylark outside ctest: starts a throw-away
# Wine session (display and prefix) that ends with the calling script, and
# sets the environment for running Windows programs in it.
session=$(mktemp -d)
trap 'sh cmake/wine/wine-session.sh stop "$session"' EXIT
sh cmake/wine/wine-session.sh start "$session"
KEYLARK_WINE_SESSION=$session
export KEYLARK_WINE_SESSION
. cmake/wine/wine-env.sh
