#!/usr/bin/env bash
# Installs what is missing, builds every preset and runs all tests: the native tests, a bounded run
# of each fuzzer, then the Windows tests under Wine.  Stops at the first stage that fails.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
"$top/scripts/install-deps.sh"
source "$top/scripts/wine-env.sh"
jobs=$(nproc)
# Compiler cache entries name paths relative to the checkout, so that another clone or worktree of
# the tree finds the objects this one compiled.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$top}" CCACHE_NOHASHDIR=1

stage() { printf '\n==== %s ====\n' "$*"; }

stage "format (.clang-format)"
"$top/scripts/check-format.sh"

stage "native build and tests"
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
ctest --preset native

stage "fuzzers (${LIGNOTEK_FUZZ_SECONDS:-20} s each)"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$jobs"
"$top/scripts/run-fuzzers.sh" "$top/build/fuzz/bin" "${LIGNOTEK_FUZZ_SECONDS:-20}"

stage "Windows build (i686): LignotekSetup.exe, every test program and the e2e driver"
# Every i686 target is compiled on every machine, so a fault of the 32-bit build fails here even
# where its tests cannot run.
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"
"$top/scripts/check-setup-exe.sh" "$top/build/windows/bin/LignotekSetup.exe"

if [ "$LIGNOTEK_WINDOWS_TEST_PRESET" = windows ]; then
  stage "Windows tests under 32-bit Wine"
else
  stage "Windows tests: this machine runs no 32-bit code, so the x86_64 build of the same sources runs them"
  cmake --preset windows-x64 >/dev/null
  cmake --build --preset windows-x64 -j "$jobs"
fi
"$top/scripts/with-display.sh" ctest --preset "$LIGNOTEK_WINDOWS_TEST_PRESET"
