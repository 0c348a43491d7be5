# Sourced by the Wine scripts: the environment of the build tree's own Wine prefix.
# $1: the state folder (prefix, display number, Xvfb pid).
wine_state=$1
export WINEPREFIX="$wine_state/prefix"
export WINEDEBUG=-all
export WINEARCH=win64
# No Mono or Gecko installer prompts in a test prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="
wine_bin=/usr/lib/wine/wine64
[ -x "$wine_bin" ] || wine_bin=$(command -v wine64 || command -v wine)
wineserver_bin=/usr/lib/wine/wineserver
[ -x "$wineserver_bin" ] || wineserver_bin=$(command -v wineserver)
if [ -f "$wine_state/display" ]; then
  export DISPLAY
  DISPLAY=$(cat "$wine_state/display")
fi
