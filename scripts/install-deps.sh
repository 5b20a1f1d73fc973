#!/usr/bin/env bash
# Installs everything the two builds and the tests need on a fresh Debian machine, then makes the
# 32-bit Wine prefix. Idempotent: a second run only checks and returns quickly.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/.." && pwd)
third_party="$top/third_party"

apt_packages=(
  cmake ninja-build ccache g++ clang clang-format libclang-rt-14-dev
  libboost-dev libbz2-dev bzip2 libgtest-dev libgmock-dev googletest libbenchmark-dev
  mingw-w64 g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix
  wine wine64 wine32:i386 xvfb x11-apps x11-utils imagemagick xauth dpkg-dev
)

need_install=()
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  need_update=1
fi

# Debian's bzip2 source is compiled for the mingw build, so the source index must be there.
src_list=/etc/apt/sources.list.d/lignotek-src.sources
if [ ! -f "$src_list" ]; then
  sed -e 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources > "$src_list"
  need_update=1
fi

for p in "${apt_packages[@]}"; do
  name=${p%%:*}; arch=${p#*:}; [ "$arch" = "$p" ] && arch=
  if [ -n "$arch" ]; then q="$name:$arch"; else q="$name"; fi
  status=$(dpkg-query -W -f='${db:Status-Status}' "$q" 2>/dev/null || true)
  [ "$status" = installed ] || need_install+=("$p")
done

if [ ${#need_install[@]} -gt 0 ] || [ -n "${need_update:-}" ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  if [ ${#need_install[@]} -gt 0 ]; then
    apt-get install -y -q --no-install-recommends "${need_install[@]}"
  fi
fi

# Debian's bzip2 source, unpacked once under third_party/ (ignored by git).
if [ ! -f "$third_party/bzip2/bzlib.c" ]; then
  mkdir -p "$third_party"
  tmp=$(mktemp -d)
  (cd "$tmp" && apt-get source -q --download-only bzip2 >/dev/null && dpkg-source -x --no-check bzip2_*.dsc src >/dev/null)
  rm -rf "$third_party/bzip2"
  mv "$tmp/src" "$third_party/bzip2"
  rm -rf "$tmp"
fi

# A header-only Boost folder for the mingw build: only boost/, so no Linux system headers leak in.
if [ ! -e "$third_party/boost-include/boost" ]; then
  mkdir -p "$third_party/boost-include"
  ln -sfn /usr/include/boost "$third_party/boost-include/boost"
fi

"$here/wine-prefix.sh"
