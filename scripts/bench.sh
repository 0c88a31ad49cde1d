# ./dev bench: every benchmark, each figure as a ratio to a floor measured in the same run.
# Sourced by ./dev.

# The composition at two screen sizes from a same-size and a 640 x 480 wallpaper, natively
# (Google Benchmark) and under Wine (a timing program, with the per-pixel approach too).
bench_compose() {
  echo "== composition, native" >&2
  "$OVELIX_BUILD/native/bench/compose_bench" --benchmark_min_time=0.2 "$@"
  echo "== composition, win64 under Wine" >&2
  "$OVELIX_WINE64" "$OVELIX_BUILD/win64/bench/compose_timing.exe"
}

# The screen painter against the per-pixel SetPixel loop, under Wine.
bench_screen_paint() {
  echo "== screen painter, win64 under Wine" >&2
  "$OVELIX_WINE64" "$OVELIX_BUILD/win64/bench/screen_paint_bench.exe"
}

# The real program's start-up against its I/O floor, each on a Wine desktop of its size.
bench_startup() {
  echo "== program start-up, win64 under Wine" >&2
  local size
  for size in 1920x1080 3840x2160; do
    (
      start_windows_session "startup-$size" "$size"
      "$OVELIX_WINE64" "$OVELIX_BUILD/win64/bench/startup_timing.exe"
    )
  done
}

run_benchmarks() {
  (
    start_windows_session bench 1920x1080
    bench_compose "$@"
    bench_screen_paint
  )
  bench_startup
}
