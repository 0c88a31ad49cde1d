# Runs every suite of every preset and prints one summary line. Sourced by ./dev.

OVELIX_PRESETS=(native win64 win32)

build_all() {
  local preset
  for preset in "${OVELIX_PRESETS[@]}"; do build_preset "$preset"; done
}

build_preset() {
  local preset=$1
  if [ ! -f "$OVELIX_BUILD/$preset/build.ninja" ]; then
    cmake --preset "$preset" >"$OVELIX_BUILD/configure-$preset.log" 2>&1 || {
      cat "$OVELIX_BUILD/configure-$preset.log" >&2
      return 1
    }
  fi
  cmake --build "$OVELIX_BUILD/$preset"
}

# Adds one ctest test's outcome to the totals: the cases of its GoogleTest report, or the
# test itself when it is not a GoogleTest executable.
count_test() {
  local preset=$1 name=$2 failed=$3
  local report="$OVELIX_BUILD/$preset/test-results/$name.xml"
  if [ -f "$report" ]; then
    local head tests failures errors disabled
    head=$(grep -m 1 '<testsuites ' "$report")
    tests=$(sed -n 's/.* tests="\([0-9]*\)".*/\1/p' <<<"$head")
    failures=$(sed -n 's/.* failures="\([0-9]*\)".*/\1/p' <<<"$head")
    errors=$(sed -n 's/.* errors="\([0-9]*\)".*/\1/p' <<<"$head")
    disabled=$(sed -n 's/.* disabled="\([0-9]*\)".*/\1/p' <<<"$head")
    local bad=$((failures + errors))
    # A suite that failed without a failing case (a crash at exit, say) still counts once.
    [ "$failed" = 1 ] && [ "$bad" = 0 ] && bad=1
    TOTAL_PASSED=$((TOTAL_PASSED + tests - disabled - failures - errors))
    TOTAL_FAILED=$((TOTAL_FAILED + bad))
  elif [ "$failed" = 1 ]; then
    TOTAL_FAILED=$((TOTAL_FAILED + 1))
  elif grep -q "^$name\$" <<<"${GTEST_SUITES:-}"; then
    echo "$preset/$name: no test report, the suite did not run" >&2
    TOTAL_FAILED=$((TOTAL_FAILED + 1))
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
  ctest --test-dir "$dir" --output-on-failure --timeout 900 "$@" >&2 || true
  local names failedNames name
  names=$(ctest --test-dir "$dir" -N "$@" | sed -n 's/^ *Test *#[0-9]*: //p')
  failedNames=$(sed -n 's/^[0-9]*:\(.*\)$/\1/p' "$dir/Testing/Temporary/LastTestsFailed.log" 2>/dev/null || true)
  GTEST_SUITES=$(ctest --test-dir "$dir" -N -L gtest "$@" | sed -n 's/^ *Test *#[0-9]*: //p')
  for name in $names; do
    if grep -qx "$name" <<<"$failedNames"; then count_test "$preset" "$name" 1; else count_test "$preset" "$name" 0; fi
  done
}

run_tests() {
  TOTAL_PASSED=0
  TOTAL_FAILED=0
  run_preset_tests native "$@"
  (
    start_windows_session test
    run_preset_tests win64 "$@"
    echo "$TOTAL_PASSED $TOTAL_FAILED" >"$OVELIX_BUILD/win64-totals"
  )
  read -r TOTAL_PASSED TOTAL_FAILED <"$OVELIX_BUILD/win64-totals"
  run_preset_tests win32 "$@"
  echo "$TOTAL_PASSED passed, $TOTAL_FAILED failed"
  [ "$TOTAL_FAILED" -eq 0 ] && [ "$TOTAL_PASSED" -gt 0 ]
}
