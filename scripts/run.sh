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
    rm -rf "$OVELIX_SCREENSHOTS"
    mkdir -p "$OVELIX_SCREENSHOTS"
    # The tour starts the program, walks through its modes and saves screenshots as BMP.
    local shots
    shots=$("$OVELIX_WINE64" "$OVELIX_BUILD/win64/ui/tests/screenshot_tour.exe" "Z:$OVELIX_SCREENSHOTS" | tr -d '\r')
    local shot png
    for shot in $shots; do
      shot="${shot#Z:}"
      shot="${shot//\\//}"
      png="${shot%.bmp}.png"
      convert "$shot" "$png" && rm -f "$shot"
      echo "$png"
    done
  )
}
