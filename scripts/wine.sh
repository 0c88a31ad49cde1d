# A private X display and Wine prefix for one run of the Windows programs and tests.
# Sourced by ./dev.

OVELIX_WINE_DIR=/usr/lib/wine
OVELIX_WINE64=$OVELIX_WINE_DIR/wine64
OVELIX_WINESERVER=$OVELIX_WINE_DIR/wineserver

# Starts Xvfb on a free display number and exports DISPLAY.
start_display() {
  local screen=${1:-1024x768x24}
  local numberFile
  numberFile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3>"$numberFile" >/dev/null 2>&1 &
  OVELIX_XVFB_PID=$!
  local i
  for i in $(seq 100); do
    [ -s "$numberFile" ] && break
    sleep 0.05
  done
  [ -s "$numberFile" ] || { echo "Xvfb did not start" >&2; return 1; }
  export DISPLAY=":$(tr -d '\n' <"$numberFile")"
  rm -f "$numberFile"
}

# Runs from EXIT traps under set -e: the stopped processes' exit codes must not become ours.
stop_display() {
  if [ -n "${OVELIX_XVFB_PID:-}" ]; then
    kill "$OVELIX_XVFB_PID" 2>/dev/null || true
    wait "$OVELIX_XVFB_PID" 2>/dev/null || true
  fi
  OVELIX_XVFB_PID=
}

# Whether a prefix has everything that wineboot's first start makes: a prefix whose start
# was cut short keeps its registry files but lacks parts of drive C.
wine_prefix_complete() {
  local prefix=$1 part
  for part in system.reg user.reg userdef.reg .update-timestamp drive_c/windows/system32/kernel32.dll; do
    [ -f "$prefix/$part" ] || { echo "wine: $prefix lacks $part" >&2; return 1; }
  done
  [ -d "$prefix/drive_c/windows/Fonts" ] || { echo "wine: $prefix lacks drive_c/windows/Fonts" >&2; return 1; }
}

# Makes a prefix from nothing, on the session's display: without one, Wine's first start
# cannot make windows and its COM services fail to start. Wine's own log (its errors) goes
# to the log file.
make_wine_prefix() {
  local prefix=$1 log=$2
  rm -rf "$prefix"
  local status=0
  WINEPREFIX=$prefix WINEDEBUG=fixme-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    "$OVELIX_WINE64" wineboot -i >"$log" 2>&1 || status=$?
  # wineboot may leave work to processes it started; the prefix is done when they are.
  WINEPREFIX=$prefix "$OVELIX_WINESERVER" -w
  if [ "$status" -ne 0 ]; then
    echo "wine: wineboot ended with status $status" >&2
    return 1
  fi
  wine_prefix_complete "$prefix"
}

# A template prefix is made once; every run works on a fresh copy of it. It is made again,
# once, when the first attempt leaves it incomplete; Wine's log is printed when both fail.
ensure_wine_template() {
  local template="$OVELIX_BUILD/wine/template"
  [ -f "$template/.ovelix-ready" ] && return 0
  mkdir -p "$OVELIX_BUILD/wine"
  local log="$OVELIX_BUILD/wine/template.log" attempt
  for attempt in 1 2; do
    echo "wine: creating the template prefix" >&2
    if make_wine_prefix "$template" "$log"; then
      # Wine draws the caption buttons with Marlett, which it only finds among the prefix's fonts.
      cp /usr/share/wine/fonts/marlett.ttf "$template/drive_c/windows/Fonts/" || return 1
      touch "$template/.ovelix-ready"
      return 0
    fi
    echo "wine: attempt $attempt to create the template prefix failed; Wine said:" >&2
    sed 's/^/  | /' "$log" >&2
  done
  rm -rf "$template"
  return 1
}

# Removes every prefix that the project made, the template included, so that the next run
# starts as a fresh machine does.
remove_wine_prefixes() {
  local prefix
  for prefix in "$OVELIX_BUILD"/wine/*/; do
    [ -d "$prefix" ] && WINEPREFIX=${prefix%/} "$OVELIX_WINESERVER" -k 2>/dev/null || true
  done
  rm -rf "$OVELIX_BUILD/wine"
}

# Starts one wineserver for a fresh prefix named after the run and exports WINEPREFIX.
# The prefix shows one Wine virtual desktop of the given size, so that Wine draws the window
# frames, the wallpaper and the repaints of the desktop itself, as Windows would, instead of
# leaving them to an absent window manager. (One difference remains: Wine's desktop paints a
# new wallpaper over the windows in front of it, a moment after the change, without telling
# them to repaint.)
start_wine() {
  local name=$1 size=${2:-1024x768}
  ensure_wine_template || return 1
  export WINEPREFIX="$OVELIX_BUILD/wine/$name"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  rm -rf "$WINEPREFIX"
  cp -a "$OVELIX_BUILD/wine/template" "$WINEPREFIX"
  printf '\n[Software\\\\Wine\\\\Explorer]\n"Desktop"="Default"\n\n[Software\\\\Wine\\\\Explorer\\\\Desktops]\n"Default"="%s"\n' \
    "$size" >>"$WINEPREFIX/user.reg"
  "$OVELIX_WINESERVER" -p &
  OVELIX_WINESERVER_PID=$!
  # Start Wine's own services now, detached from any caller's output: started by the first
  # test, they would keep its output pipe open and ctest would wait for them forever.
  "$OVELIX_WINE64" wineboot </dev/null >/dev/null 2>&1
}

# wineserver -p, stopped by -k, sometimes exits with 2.
stop_wine() {
  if [ -n "${WINEPREFIX:-}" ]; then "$OVELIX_WINESERVER" -k 2>/dev/null || true; fi
  if [ -n "${OVELIX_WINESERVER_PID:-}" ]; then wait "$OVELIX_WINESERVER_PID" 2>/dev/null || true; fi
  OVELIX_WINESERVER_PID=
}

# A display and a prefix together; both are stopped when the shell exits.
start_windows_session() {
  local size=${2:-1024x768}
  trap 'stop_wine; stop_display' EXIT
  start_display "${size}x24" || return 1
  start_wine "$1" "$size" || return 1
}
