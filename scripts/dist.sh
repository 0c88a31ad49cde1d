# ./dev dist: the release packages of both release builds, checked (contents, what the program
# needs of Windows, a rebuild's dates) and gathered in build/dist/, each printed with its
# SHA-256, which a build of the same commit anywhere gives again.
# Sourced by ./dev.

OVELIX_DIST="$OVELIX_BUILD/dist"
OVELIX_RELEASE_PRESETS=(win32 win64-release)

make_dist() {
  local preset package
  for preset in "${OVELIX_RELEASE_PRESETS[@]}"; do build_preset "$preset"; done
  rm -rf "$OVELIX_DIST"
  mkdir -p "$OVELIX_DIST"
  for preset in "${OVELIX_RELEASE_PRESETS[@]}"; do
    ctest --test-dir "$OVELIX_BUILD/$preset" -R '^(package_contents|help_compiles_alike)$' --output-on-failure >&2 ||
      { echo "dist: the $preset package is not right" >&2; return 1; }
    for package in "$OVELIX_BUILD/$preset"/release/Ovelix-*.zip; do
      [ -f "$package" ] || { echo "dist: no package was built in $preset" >&2; return 1; }
      cp "$package" "$OVELIX_DIST/"
      sha256sum "$OVELIX_DIST/$(basename "$package")"
    done
  done
}
