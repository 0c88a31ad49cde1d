# ./dev dist: the release packages of both Windows builds, checked (contents, imported DLLs)
# and gathered in build/dist/.
# Sourced by ./dev.

OVELIX_DIST="$OVELIX_BUILD/dist"

make_dist() {
  build_preset win32
  build_preset win64
  rm -rf "$OVELIX_DIST"
  mkdir -p "$OVELIX_DIST"
  local preset package
  for preset in win32 win64; do
    ctest --test-dir "$OVELIX_BUILD/$preset" -R '^package_contents$' --output-on-failure >&2 ||
      { echo "dist: the $preset package is not right" >&2; return 1; }
    for package in "$OVELIX_BUILD/$preset"/release/Ovelix-*-"$preset".zip; do
      [ -f "$package" ] || { echo "dist: no package was built in $preset" >&2; return 1; }
      cp "$package" "$OVELIX_DIST/"
      echo "$OVELIX_DIST/$(basename "$package")"
    done
  done
}
