# Sourced by the tools: a private Wine environment for one run.
#   wine_env_start <build root>   fresh WINEPREFIX in the build root, Xvfb on a free display (1280x1024x24),
#                                 one persistent wineserver; exports DISPLAY, WINEPREFIX, WINEDEBUG, WINEDLLOVERRIDES
#   wine_env_stop                 stops exactly what wine_env_start started (by process id and prefix)
# The caller sets a trap that calls wine_env_stop.

WINE_ENV_XVFB_PID=
WINE_ENV_SERVER_PID=
WINE_ENV_PREFIX=

wine_env_start() {
  local root=$1
  WINE_ENV_PREFIX=$root/wineprefix
  rm -rf "$WINE_ENV_PREFIX"
  mkdir -p "$root"

  # Xvfb picks a free display itself and writes its number to the descriptor we give it.
  local displayfile=$root/xvfb-display
  rm -f "$displayfile"
  Xvfb -displayfd 7 -screen 0 1280x1024x24 -nolisten tcp 7>"$displayfile" >"$root/xvfb.log" 2>&1 &
  WINE_ENV_XVFB_PID=$!
  local i
  for i in $(seq 1 100); do
    [ -s "$displayfile" ] && break
    kill -0 "$WINE_ENV_XVFB_PID" 2>/dev/null || { cat "$root/xvfb.log"; return 1; }
    sleep 0.1
  done
  [ -s "$displayfile" ] || { echo "wineenv: Xvfb did not start"; return 1; }
  export DISPLAY=:$(tr -d '\n' <"$displayfile")

  export WINEPREFIX=$WINE_ENV_PREFIX
  export WINEARCH=win64
  export WINEDEBUG=-all
  # No Mono or Gecko installer dialogs in a fresh prefix: nothing here uses .NET or HTML.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export LANG=C.UTF-8

  # First the prefix is created by a session of its own, which we let end completely (wineboot leaves services
  # running for a while, and processes started while it settles can be killed by it); only then does the
  # persistent server for the tests start.
  wine wineboot -i >"$root/wineboot.log" 2>&1 || { cat "$root/wineboot.log"; return 1; }
  # Xvfb runs no window manager: windows Wine would hand to one wait two seconds for it when they are hidden.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >>"$root/wineboot.log" 2>&1 ||
    { cat "$root/wineboot.log"; return 1; }
  wineserver -w
  wineserver -f -p >"$root/wineserver.log" 2>&1 &
  WINE_ENV_SERVER_PID=$!
  wine cmd /c exit >>"$root/wineboot.log" 2>&1 || { echo "wineenv: wine does not start"; cat "$root/wineboot.log"; return 1; }
  echo "wineenv: DISPLAY=$DISPLAY WINEPREFIX=$WINEPREFIX"
}

wine_env_stop() {
  if [ -n "$WINE_ENV_PREFIX" ]; then
    WINEPREFIX=$WINE_ENV_PREFIX wineserver -k >/dev/null 2>&1 || true
  fi
  local pid
  for pid in $WINE_ENV_SERVER_PID $WINE_ENV_XVFB_PID; do
    if kill -0 "$pid" 2>/dev/null; then
      kill "$pid" 2>/dev/null || true
      wait "$pid" 2>/dev/null || true
    fi
  done
  WINE_ENV_SERVER_PID=
  WINE_ENV_XVFB_PID=
}
