# ./dev bench: every benchmark, each figure as a ratio to a floor measured in the same run.
# Sourced by ./dev.

# The screen painter against the per-pixel SetPixel loop, under Wine on a 1920x1080 screen.
bench_screen_paint() {
  (
    start_windows_session bench 1920x1080
    "$OVELIX_WINE64" "$OVELIX_BUILD/win64/bench/screen_paint_bench.exe"
  )
}

run_benchmarks() {
  bench_screen_paint
}
