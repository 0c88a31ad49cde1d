# ./dev run: the program under Wine. Sourced by ./dev.

OVELIX_SCREENSHOTS="$OVELIX_BUILD/screenshots"

# Waits until a top-level X window with this exact title exists.
wait_for_window() {
  local title=$1 i
  for i in $(seq 300); do
    xwininfo -root -tree 2>/dev/null | grep -qF "\"$title\"" && return 0
    sleep 0.1
  done
  echo "run: no window \"$title\" appeared" >&2
  return 1
}

run_program() {
  local exe="$OVELIX_BUILD/win64/ui/Ovelix.exe"
  if [ -n "${DISPLAY:-}" ]; then
    start_wine run
    trap stop_wine EXIT
    "$OVELIX_WINE64" "$exe"
    return
  fi
  (
    start_windows_session run
    mkdir -p "$OVELIX_SCREENSHOTS"
    "$OVELIX_WINE64" "$exe" &
    local program=$!
    wait_for_window Ovelix
    sleep 1
    local shot="$OVELIX_SCREENSHOTS/window.png"
    import -window root "$shot"
    "$OVELIX_WINE64" taskkill /im Ovelix.exe >/dev/null 2>&1 || true
    wait "$program" || true
    echo "$shot"
  )
}
