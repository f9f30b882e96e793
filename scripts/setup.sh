#!/usr/bin/env bash
# Installs every package the build and the tests need, on Debian 12.
# Idempotent: when everything is present it only checks and returns.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev lld
  googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686
  wine wine64
  xvfb xdotool x11-utils imagemagick
  fonts-liberation fonts-dejavu-core fontconfig
  python3 clang-format
  wasi-libc libclang-rt-14-dev-wasm32 libc++-14-dev-wasm32 libc++abi-14-dev-wasm32 binaryen
  chromium
  libcairo2-dev pkgconf poppler-utils
  dpkg-dev file lintian man-db
)

as_root() {
  if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

# A mirror in the middle of a sync can fail one index, and apt-get update
# then fails as a whole though the lists at hand may still hold every
# package needed: it is tried once more, then the install says what is missing.
update_lists() {
  as_root apt-get update -qq && return
  echo "setup: apt-get update failed; trying once more"
  as_root apt-get update -qq && return
  echo "setup: some package lists did not update; installing from the lists at hand"
}

# Wine's 32-bit part wherever the i386 architecture can be added. Whether
# the kernel runs it is found out when it is used (scripts/wine-arch); where
# it does not, the x86_64 build runs under the 64-bit loader instead.
wine32=()
if [ "$(dpkg --print-architecture)" = amd64 ]; then
  if dpkg --print-foreign-architectures | grep -qx i386; then
    wine32=(wine32:i386)
  elif as_root dpkg --add-architecture i386; then
    wine32=(wine32:i386)
    need_update=1
  fi
fi

missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done
missing32=()
for p in "${wine32[@]}"; do
  installed "$p" || missing32+=("$p")
done

if [ ${#missing[@]} -gt 0 ] || [ ${#missing32[@]} -gt 0 ] || [ -n "${need_update:-}" ]; then
  echo "setup: installing ${missing[*]} ${missing32[*]}"
  export DEBIAN_FRONTEND=noninteractive
  update_lists
  if [ ${#missing[@]} -gt 0 ]; then
    as_root apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
  if [ ${#missing32[@]} -gt 0 ] &&
    ! as_root apt-get install -y -qq --no-install-recommends "${missing32[@]}" >/dev/null; then
    echo "setup: ${missing32[*]} did not install; Wine will run the x86_64 build"
  fi
fi
