#!/usr/bin/env bash
# Configures and builds one of the builds.
# Usage: scripts/build.sh native|windows|windows64 [TARGET...|--configure]
#   native  -- host g++: the portable libraries and their tests, with ASan and UBSan
#   windows -- MinGW-w64 i686: Quillet.exe, the portable libraries again, all tests
#   windows64 -- the same for x86-64, for running the Windows tests where 32-bit code cannot run
# All treat a warning in the project's own code as an error.  Without TARGET it builds "all"
# (everything but the benchmarks, which scripts/bench.sh builds); --configure only configures.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
kind="${1:?native or windows}"
shift
jobs="$(nproc 2>/dev/null || echo 2)"
case "$kind" in
  native)
    cmake -S "$root" -B "$root/build/native" -DCMAKE_BUILD_TYPE=Debug -DQUILLET_SANITIZE=ON -DQUILLET_WERROR=ON >/dev/null ;;
  windows)
    cmake -S "$root" -B "$root/build/windows" -DCMAKE_BUILD_TYPE=Release -DQUILLET_WERROR=ON \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null ;;
  windows64)
    cmake -S "$root" -B "$root/build/windows64" -DCMAKE_BUILD_TYPE=Release -DQUILLET_WERROR=ON \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake" >/dev/null ;;
  *) echo "unknown build: $kind" >&2; exit 2 ;;
esac
[ "${1:-}" = --configure ] && exit 0
targets=()
for target in "$@"; do targets+=(--target "$target"); done
cmake --build "$root/build/$kind" -j "$jobs" "${targets[@]}"
