# Sourced by the scripts that run Windows programs: chooses the Wine loader and the prefix.
#
# The product is a 32-bit program and is tested under a 32-bit Wine prefix where the machine can
# execute 32-bit code.  Some sandboxes run a kernel without 32-bit support (every i386 program fails
# with "Exec format error"); there the same sources are built as x86_64 (preset windows-x64) and
# the tests run under the 64-bit Wine loader in a 64-bit prefix.
lignotek_top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
  export LIGNOTEK_WINE_ARCH=win32
  LIGNOTEK_WINE=/usr/lib/wine/wine
else
  export LIGNOTEK_WINE_ARCH=win64
  LIGNOTEK_WINE=/usr/lib/wine/wine64
fi
export LIGNOTEK_WINE
export WINEARCH=$LIGNOTEK_WINE_ARCH
export WINEPREFIX="${LIGNOTEK_WINEPREFIX:-$lignotek_top/build/wine-prefix-$LIGNOTEK_WINE_ARCH}"
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko installers: the network holds only package registries.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
# The Windows preset whose tests this machine can run.
if [ "$LIGNOTEK_WINE_ARCH" = win32 ]; then LIGNOTEK_WINDOWS_TEST_PRESET=windows; else LIGNOTEK_WINDOWS_TEST_PRESET=windows-x64; fi
export LIGNOTEK_WINDOWS_TEST_PRESET
