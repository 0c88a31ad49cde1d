#!/usr/bin/env bash
# run_package_test.sh PACKAGE TEST_EXE [ARGS...]: unpacks the release package into a fresh
# folder, with a Cyrillic name and a blank as users' folders have, in a fresh Wine prefix with
# its own wineserver on the test run's display, and runs the test executable there.
set -euo pipefail
package=$1
shift

if [ "$(locale charmap 2>/dev/null)" != UTF-8 ]; then export LC_ALL=C.UTF-8; fi
OVELIX_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
OVELIX_BUILD=$OVELIX_ROOT/build
# shellcheck source=../scripts/wine.sh
source "$OVELIX_ROOT/scripts/wine.sh"
[ -n "${DISPLAY:-}" ] || { echo "package test: no display (run it through ./dev test)" >&2; exit 1; }

[ -f "$package" ] || { echo "package test: $package is not built (preset win64-release)" >&2; exit 1; }

start_wine package
trap stop_wine EXIT
folder="$WINEPREFIX/drive_c/Загрузки/Зераска 2.1"
mkdir -p "$folder"
unzip -q "$package" -d "$folder"
OVELIX_PACKAGE_FOLDER='C:\Загрузки\Зераска 2.1\' "$OVELIX_WINE64" "$@"
