# ./dev bench: every benchmark, each figure as a ratio to a floor measured in the same run.
# Sourced by ./dev.

# The composition at two screen sizes from a same-size and a 640 x 480 wallpaper, natively
# (Google Benchmark) and under Wine (a timing program, with the per-pixel approach too).
bench_compose() {
  echo "== composition, native" >&2
  "$OVELIX_BUILD/native/bench/compose_bench" --benchmark_min_time=0.2 "$@"
  echo "== composition, win64 under Wine" >&2
  (
    start_windows_session bench 1920x1080
    "$OVELIX_WINE64" "$OVELIX_BUILD/win64/bench/compose_timing.exe"
  )
}

run_benchmarks() {
  bench_compose "$@"
}
