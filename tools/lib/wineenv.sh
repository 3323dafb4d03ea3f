# Sourced by the tools: the one Wine environment the tests and the editor run in.
#   wine_env_start <build root>      tests: a fresh prefix in <build root>/wineprefix and a private screen
#   wine_env_start_run <build root>  the editor: the prefix <build root>/wineprefix-run, kept from run to run, and
#                                    the caller's DISPLAY, or a private screen when there is none; refused, with
#                                    the programs named, while programs of an earlier run still use the prefix
#   wine_env_run_prefix_free <build root>  that check alone (a server left behind serving nobody is stopped)
#   wine_env_stop                    stops exactly what the start started (by process id and prefix)
# Both starts export DISPLAY, WINEPREFIX, WINEARCH, WINEDEBUG, WINEDLLOVERRIDES and LANG, set the prefix so that no
# window is handed to a window manager (a private screen runs none: hiding a window handed to one waits two
# seconds for it), and keep one persistent wineserver. A private screen is an Xvfb at 1280x1024x24 on a display it
# picks itself; its framebuffer is the file WINE_ENV_SCREEN (an XWD image, also named for Windows programs in
# EDITOR_SCREEN_FILE), which shows what a user would see. The caller sets a trap that calls wine_env_stop.

WINE_ENV_XVFB_PID=
WINE_ENV_SERVER_PID=
WINE_ENV_PREFIX=
WINE_ENV_SCREEN=

# A private screen; its framebuffer file in <root>/screen.
_wine_env_screen() {
  local root=$1
  local displayfile=$root/xvfb-display screendir=$root/screen
  rm -rf "$displayfile" "$screendir"
  mkdir -p "$screendir"
  # Xvfb picks a free display itself and writes its number to the descriptor we give it.
  Xvfb -displayfd 7 -screen 0 1280x1024x24 -nolisten tcp -fbdir "$screendir" 7>"$displayfile" >"$root/xvfb.log" 2>&1 &
  WINE_ENV_XVFB_PID=$!
  local i
  for i in $(seq 1 100); do
    [ -s "$displayfile" ] && break
    kill -0 "$WINE_ENV_XVFB_PID" 2>/dev/null || { cat "$root/xvfb.log"; return 1; }
    sleep 0.1
  done
  [ -s "$displayfile" ] || { echo "wineenv: Xvfb did not start"; return 1; }
  export DISPLAY=:$(tr -d '\n' <"$displayfile")
  export WINE_ENV_SCREEN=$screendir/Xvfb_screen0
  export EDITOR_SCREEN_FILE="Z:${WINE_ENV_SCREEN//\//\\}"
}

# The processes of Wine prefix $1, one a line: process id, then the command line (the server, the platform's own
# programs under C:\windows\ and the users' programs).
_wine_env_processes() {
  local prefix=$1 p
  for p in /proc/[0-9]*; do
    { tr '\0' '\n' <"$p/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$prefix" || continue
    echo "${p#/proc/} $({ tr '\0' ' ' <"$p/cmdline"; } 2>/dev/null | sed 's/ *$//')"
  done
}

# Succeeds when no earlier run still holds prefix $1. A Wine server an earlier run left behind, serving no program
# of a user, is stopped: it serves nobody, and waiting for it would never end. Programs of a user still running
# there are named and the start is refused: ending them could end someone's work (an editor writing its settings).
_wine_env_prefix_free() {
  local prefix=$1 procs users i
  procs=$(_wine_env_processes "$prefix")
  [ -z "$procs" ] && return 0
  users=$(awk '$2 !~ /wineserver/ && $2 !~ /^[Cc]:\\windows\\/' <<<"$procs")
  if [ -n "$users" ]; then
    echo "wineenv: programs of an earlier run still use the Wine prefix $prefix:"
    sed 's/^/wineenv:   process /' <<<"$users"
    echo "wineenv: close them (or end them all: WINEPREFIX=$prefix wineserver -k), then start again"
    return 1
  fi
  echo "wineenv: a Wine server an earlier run left behind serves $prefix and no program; stopping it"
  WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
  for i in $(seq 1 50); do
    [ -z "$(_wine_env_processes "$prefix")" ] && return 0
    sleep 0.2
  done
  echo "wineenv: the Wine server of $prefix did not stop:"
  _wine_env_processes "$prefix" | sed 's/^/wineenv:   process /'
  return 1
}

# The prefix (created when missing), then the persistent server.
_wine_env_prefix() {
  local prefix=$1 log=$2
  WINE_ENV_PREFIX=$prefix
  export WINEPREFIX=$prefix
  export WINEARCH=win64
  export WINEDEBUG=-all
  # No Mono or Gecko installer dialogs in a fresh prefix: nothing here uses .NET or HTML.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export LANG=C.UTF-8
  : >"$log"
  # A new prefix is created by a session of its own, which we let end completely (wineboot leaves services running
  # for a while, and processes started while it settles can be killed by it); only then does the persistent server
  # start.
  if [ ! -f "$prefix/system.reg" ]; then
    mkdir -p "$(dirname "$prefix")"
    wine wineboot -i >>"$log" 2>&1 || { cat "$log"; return 1; }
  fi
  # Wine's own fonts (Tahoma, the Marlett glyphs of the title bar buttons, MS Sans Serif) from the fonts-wine
  # package: this Wine build does not look for them where Debian puts them, and without them the title bar
  # buttons show letters and every control's font is a stand-in.
  mkdir -p "$prefix/drive_c/windows/Fonts"
  cp -n /usr/share/wine/fonts/*.ttf "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
  if ! grep -qs '^"Managed"="N"' "$prefix/user.reg"; then
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >>"$log" 2>&1 || { cat "$log"; return 1; }
  fi
  # What the creation left running ends first; a program that keeps the server alive is named, not waited for
  # without end.
  if ! timeout 60 wineserver -w; then
    echo "wineenv: the Wine server of $prefix still runs after a minute; these processes keep it:"
    _wine_env_processes "$prefix" | sed 's/^/wineenv:   process /'
    return 1
  fi
  wineserver -f -p >"$(dirname "$log")/wineserver.log" 2>&1 &
  WINE_ENV_SERVER_PID=$!
  wine cmd /c exit >>"$log" 2>&1 || { echo "wineenv: wine does not start"; cat "$log"; return 1; }
}

wine_env_start() {
  local root=$1
  mkdir -p "$root"
  rm -rf "$root/wineprefix"
  _wine_env_screen "$root" || return 1
  _wine_env_prefix "$root/wineprefix" "$root/wineboot.log" || return 1
  echo "wineenv: DISPLAY=$DISPLAY WINEPREFIX=$WINEPREFIX"
}

wine_env_run_prefix_free() {
  local root=$1
  mkdir -p "$root"
  root=$(cd "$root" && pwd)
  _wine_env_prefix_free "$root/wineprefix-run"
}

wine_env_start_run() {
  local root=$1
  mkdir -p "$root"
  root=$(cd "$root" && pwd)
  wine_env_run_prefix_free "$root" || return 1
  if [ -z "${DISPLAY:-}" ]; then
    _wine_env_screen "$root" || return 1
  fi
  _wine_env_prefix "$root/wineprefix-run" "$root/wineboot-run.log"
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
