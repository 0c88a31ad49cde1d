# ./dev bench: every benchmark, each figure as a ratio to a floor measured in the same run.
# Sourced by ./dev.

run_benchmarks() {
  echo "no benchmarks yet" >&2
}
