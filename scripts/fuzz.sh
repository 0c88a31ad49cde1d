# ./dev fuzz [SECONDS]: the picture readers under libFuzzer with AddressSanitizer and
# UndefinedBehaviorSanitizer, seeded from the BMP Suite and from fuzz/seeds (icons and JPEGs
# written by ImageMagick, a placeable Windows metafile and an enhanced one). Sourced by ./dev.

OVELIX_FUZZ_PACKAGES=(clang libclang-rt-14-dev)

run_fuzzer() {
  local seconds=${1:-60}
  install_packages "${OVELIX_FUZZ_PACKAGES[@]}"
  local dir="$OVELIX_BUILD/fuzz"
  if [ ! -f "$dir/build.ninja" ]; then
    CC=clang CXX=clang++ cmake -S "$OVELIX_ROOT" -B "$dir" -G Ninja \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOVELIX_PROGRAM_ONLY=ON -DOVELIX_FUZZ=ON \
      -DOVELIX_WARNINGS_AS_ERRORS=OFF \
      -DCMAKE_C_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=undefined" \
      -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined,fuzzer-no-link -fno-sanitize-recover=undefined" \
      >"$OVELIX_BUILD/configure-fuzz.log" 2>&1 || { cat "$OVELIX_BUILD/configure-fuzz.log" >&2; return 1; }
  fi
  cmake --build "$dir" --target picture_fuzzer
  # The corpus grows under build/; the suite's files seed it.
  local corpus="$dir/corpus" seeds="$dir/seeds"
  mkdir -p "$corpus" "$seeds" "$dir/findings"
  local f
  for f in "$OVELIX_ROOT"/core/tests/data/bmpsuite/*/*.bmp "$OVELIX_ROOT"/fuzz/seeds/*; do
    # The first byte chooses the screen depth.
    { printf '\0'; cat "$f"; } >"$seeds/$(basename "$(dirname "$f")")-$(basename "$f")"
  done
  "$dir/fuzz/picture_fuzzer" -max_total_time="$seconds" -rss_limit_mb=4096 -max_len=65536 \
    -artifact_prefix="$dir/findings/" -print_final_stats=1 "$corpus" "$seeds"
}
