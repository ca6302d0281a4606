# Sourced by the Wine helper scripts: the environment of one Wine session.
# KEYLARK_WINE_SESSION is the folder that holds the prefix and the display name.
: "${KEYLARK_WINE_SESSION:?KEYLARK_WINE_SESSION must name the session folder}"
export WINEPREFIX="$KEYLARK_WINE_SESSION/prefix"
export WINEARCH=win64
export WINEDEBUG=-all
# No Mono/Gecko install prompts, nothing written to the Linux desktop menus.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
if [ -f "$KEYLARK_WINE_SESSION/display" ]; then
  DISPLAY=$(cat "$KEYLARK_WINE_SESSION/display")
  export DISPLAY
fi
