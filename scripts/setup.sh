# Installs what the build and the tests need, once; quick when everything is there.
# Sourced by ./dev.

OVELIX_PACKAGES=(
  cmake ninja-build g++ googletest libbenchmark-dev libjpeg62-turbo-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-win32 g++-mingw-w64-i686-win32
  wine64 fonts-wine fonts-liberation xvfb x11-utils imagemagick
  dpkg-dev xz-utils file zip unzip fp-utils nasm
)

missing_packages() {
  local installed
  installed=$(dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' "$@" 2>/dev/null | awk '$1 == "ii" { print $2 }')
  local p
  for p in "$@"; do
    grep -qxF "$p" <<<"$installed" || printf '%s\n' "$p"
  done
}

install_packages() {
  local missing
  missing=$(missing_packages "$@")
  [ -z "$missing" ] && return 0
  echo "setup: installing $(echo $missing)" >&2
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  # shellcheck disable=SC2086
  apt-get install -y -qq --no-install-recommends $missing >"$OVELIX_BUILD/setup-apt.log" 2>&1 || {
    cat "$OVELIX_BUILD/setup-apt.log" >&2
    return 1
  }
}

# apt-get source needs deb-src entries, made from the Debian deb entries, and their indices:
# an image whose apt lists were cleaned has the entries but no indices.
ensure_deb_src() {
  local package=$1
  if ! grep -rqsE '^(deb-src|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    local f
    for f in /etc/apt/sources.list.d/*.sources; do
      [ -e "$f" ] && grep -q 'debian' "$f" &&
        sed -e 's/^Types: .*/Types: deb-src/' "$f" >"/etc/apt/sources.list.d/ovelix-src-$(basename "$f")"
    done
    if [ -f /etc/apt/sources.list ]; then
      sed -n -e 's/^deb \(.*debian.*\)/deb-src \1/p' /etc/apt/sources.list >/etc/apt/sources.list.d/ovelix-src.list
    fi
  fi
  apt-cache showsrc "$package" >/dev/null 2>&1 || apt-get update -qq
}

# libjpeg-turbo from Debian's source package, built statically for one MinGW target, with
# its SIMD code (assembled by nasm), which chooses at run time what the processor offers and
# decodes a large photograph in about half the time of its plain C code. A build without it,
# as earlier setups made, is made again.
ensure_mingw_libjpeg() {
  local triplet=$1 arch=$2
  local prefix="$OVELIX_BUILD/deps/libjpeg-$arch"
  [ -f "$prefix/lib/libjpeg.a" ] && [ -f "$prefix/with-simd" ] && return 0
  local src="$OVELIX_BUILD/deps/src"
  if ! ls -d "$src"/libjpeg-turbo-*/ >/dev/null 2>&1; then
    ensure_deb_src libjpeg-turbo
    mkdir -p "$src"
    echo "setup: fetching Debian's libjpeg-turbo sources" >&2
    (cd "$src" && apt-get source -qq libjpeg-turbo >"$OVELIX_BUILD/setup-source.log" 2>&1) || {
      cat "$OVELIX_BUILD/setup-source.log" >&2
      return 1
    }
  fi
  local source_dir
  source_dir=$(ls -d "$src"/libjpeg-turbo-*/ | head -n 1)
  echo "setup: building libjpeg-turbo for $triplet" >&2
  local work="$OVELIX_BUILD/deps/build-libjpeg-$arch"
  rm -rf "$work" "$prefix"
  cmake -S "$source_dir" -B "$work" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$OVELIX_ROOT/cmake/mingw-$arch.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DWITH_SIMD=ON -DREQUIRE_SIMD=ON -DENABLE_SHARED=OFF -DWITH_TURBOJPEG=OFF -DWITH_CRT_DLL=OFF \
    >"$OVELIX_BUILD/setup-libjpeg-$arch.log" 2>&1 &&
    cmake --build "$work" --target install >>"$OVELIX_BUILD/setup-libjpeg-$arch.log" 2>&1 || {
    tail -40 "$OVELIX_BUILD/setup-libjpeg-$arch.log" >&2
    return 1
  }
  rm -rf "$work"
  touch "$prefix/with-simd"
}

setup() {
  mkdir -p "$OVELIX_BUILD"
  if [ "$(id -u)" -ne 0 ] && [ -n "$(missing_packages "${OVELIX_PACKAGES[@]}")" ]; then
    echo "setup: missing packages and not root: $(missing_packages "${OVELIX_PACKAGES[@]}" | tr '\n' ' ')" >&2
    return 1
  fi
  install_packages "${OVELIX_PACKAGES[@]}"
  ensure_mingw_libjpeg x86_64-w64-mingw32 x86_64
  ensure_mingw_libjpeg i686-w64-mingw32 i686
}
