# Runs every suite of every preset and prints one summary line. Sourced by ./dev.

OVELIX_PRESETS=(native win64 win32 win64-release)

build_all() {
  local preset
  for preset in "${OVELIX_PRESETS[@]}"; do build_preset "$preset" || return 1; done
}

# Runs a step with errexit in force and leaves its status in STEP_STATUS. (A function called
# from an `||` or `&&` list runs with errexit switched off, however it is set inside.)
run_step() {
  set +e
  (
    set -e
    "$@"
  )
  STEP_STATUS=$?
  set -e
}

build_preset() {
  local preset=$1
  # A cache keeps what the preset said when its folder was configured, the compilers among it:
  # once the presets change, the folder is configured afresh (its objects stay).
  if [ "$OVELIX_ROOT/CMakePresets.json" -nt "$OVELIX_BUILD/$preset/CMakeCache.txt" ]; then
    rm -f "$OVELIX_BUILD/$preset/CMakeCache.txt"
  fi
  if [ ! -f "$OVELIX_BUILD/$preset/CMakeCache.txt" ]; then
    cmake --preset "$preset" >"$OVELIX_BUILD/configure-$preset.log" 2>&1 || {
      cat "$OVELIX_BUILD/configure-$preset.log" >&2
      return 1
    }
  fi
  cmake --build "$OVELIX_BUILD/$preset"
}

# One attribute of the first element of a GoogleTest report that carries it.
report_attribute() {
  local report=$1 element=$2 name=$3
  grep -m 1 "<$element " "$report" | sed -n "s/.* $name=\"\([0-9]*\)\".*/\1/p"
}

# Adds one ctest test's outcome to the totals: the cases of its GoogleTest report, or the
# test itself when it is not a GoogleTest executable. Skipped and disabled cases count as
# skipped, never as passed.
count_test() {
  local preset=$1 name=$2 failed=$3
  local report="$OVELIX_BUILD/$preset/test-results/$name.xml"
  if [ -f "$report" ]; then
    local tests failures errors disabled skipped
    tests=$(report_attribute "$report" testsuites tests)
    failures=$(report_attribute "$report" testsuites failures)
    errors=$(report_attribute "$report" testsuites errors)
    disabled=$(report_attribute "$report" testsuites disabled)
    skipped=$(grep -c 'result="skipped"' "$report" || true)
    local bad=$((failures + errors))
    # A suite that failed without a failing case (a crash at exit, say) still counts once.
    [ "$failed" = 1 ] && [ "$bad" = 0 ] && bad=1
    TOTAL_PASSED=$((TOTAL_PASSED + tests - disabled - skipped - failures - errors))
    TOTAL_FAILED=$((TOTAL_FAILED + bad))
    TOTAL_SKIPPED=$((TOTAL_SKIPPED + disabled + skipped))
  elif [ "$failed" = 1 ]; then
    TOTAL_FAILED=$((TOTAL_FAILED + 1))
  elif grep -qx "$name" <<<"${GTEST_SUITES:-}"; then
    echo "$preset/$name: no test report, the suite did not run" >&2
    TOTAL_FAILED=$((TOTAL_FAILED + 1))
  elif grep -qx "$name" <<<"${CTEST_SKIPPED:-}"; then
    TOTAL_SKIPPED=$((TOTAL_SKIPPED + 1))
  else
    TOTAL_PASSED=$((TOTAL_PASSED + 1))
  fi
}

run_preset_tests() {
  local preset=$1
  shift
  local dir="$OVELIX_BUILD/$preset"
  rm -f "$dir"/test-results/*.xml "$dir/Testing/Temporary/LastTestsFailed.log"
  echo "== $preset" >&2
  local output="$dir/Testing/last-run.log"
  mkdir -p "$dir/Testing"
  ctest --test-dir "$dir" --output-on-failure --timeout 900 "$@" 2>&1 | tee "$output" >&2 || true
  local names failedNames name
  names=$(ctest --test-dir "$dir" -N "$@" | sed -n 's/^ *Test *#[0-9]*: //p')
  failedNames=$(sed -n 's/^[0-9]*:\(.*\)$/\1/p' "$dir/Testing/Temporary/LastTestsFailed.log" 2>/dev/null || true)
  GTEST_SUITES=$(ctest --test-dir "$dir" -N -L gtest "$@" | sed -n 's/^ *Test *#[0-9]*: //p')
  # Tests that skipped themselves; those that could not run at all count as failed.
  CTEST_SKIPPED=$(sed -n 's/^ *[0-9]*\/[0-9]* Test *#[0-9]*: \([^ ]*\) .*\*\*\*Skipped.*/\1/p' "$output")
  for name in $names; do
    if grep -qx "$name" <<<"$failedNames"; then count_test "$preset" "$name" 1; else count_test "$preset" "$name" 0; fi
  done
}

windows_suites() {
  local totals=$1
  shift
  start_windows_session test
  run_preset_tests win64 "$@"
  echo "$TOTAL_PASSED $TOTAL_FAILED $TOTAL_SKIPPED" >"$totals"
}

# The Windows suites, under Wine on a display of their own. Answers non-zero, with the reason
# printed, when the Wine session cannot be made; the suites then count as one failure.
run_windows_tests() {
  local totals="$OVELIX_BUILD/win64-totals"
  rm -f "$totals"
  run_step windows_suites "$totals" "$@"
  if [ -f "$totals" ]; then
    read -r TOTAL_PASSED TOTAL_FAILED TOTAL_SKIPPED <"$totals"
  else
    echo "win64: the Wine session could not be made (see above); its suites did not run" >&2
    TOTAL_FAILED=$((TOTAL_FAILED + 1))
  fi
}

run_tests() {
  TOTAL_PASSED=0
  TOTAL_FAILED=0
  TOTAL_SKIPPED=0
  run_preset_tests native "$@"
  run_windows_tests "$@"
  run_preset_tests win32 "$@"
  run_preset_tests win64-release "$@"
  local summary="$TOTAL_PASSED passed, $TOTAL_FAILED failed"
  [ "$TOTAL_SKIPPED" -gt 0 ] && summary+=", $TOTAL_SKIPPED skipped"
  echo "$summary"
  [ "$TOTAL_FAILED" -eq 0 ] && [ "$TOTAL_PASSED" -gt 0 ]
}
