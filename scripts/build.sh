#!/usr/bin/env bash
# Configures and builds the trees: build/native (g++), build/win64 (MinGW
# x86-64, run under Wine), build/win32 (MinGW i686: the deliverables only,
# since 32-bit programs cannot run here) and, on request, build/asan (clang:
# every unit test under AddressSanitizer and UndefinedBehaviorSanitizer, and
# the libFuzzer targets).
# Usage: scripts/build.sh [native|win64|win32|asan ...]   (default: the first three)
# MORVEL_UNITY=0 builds one object per source (unity batches otherwise).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
trees=("$@")
[ ${#trees[@]} -gt 0 ] || trees=(native win64 win32)

for tree in "${trees[@]}"; do
  dir="${MORVEL_BUILD_ROOT:-$root/build}/$tree"
  args=(-G Ninja -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo)
  # Many small sources that share heavy headers (GoogleTest, the STL, JSON):
  # compiled in batches, each header is parsed once per batch.
  if [ "${MORVEL_UNITY:-1}" = 1 ]; then
    args+=(-DCMAKE_UNITY_BUILD=ON -DCMAKE_UNITY_BUILD_BATCH_SIZE=16)
  fi
  case "$tree" in
    # Installs and packages of the native tree go under /usr (multiarch libdir).
    native) args+=(-DCMAKE_INSTALL_PREFIX=/usr) ;;
    win64) args+=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw64.cmake") ;;
    win32) args+=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw32.cmake"
                  -DMORVEL_TEST_PROGRAMS=OFF) ;;
    # Line tables are all a sanitizer report needs; -O1 keeps the build short.
    asan) args+=(-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DMORVEL_SANITIZE=ON
                 "-DCMAKE_C_FLAGS_RELWITHDEBINFO=-O1 -gline-tables-only -DNDEBUG"
                 "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -gline-tables-only -DNDEBUG") ;;
    fuzz) echo "build: the fuzzers are part of the asan tree now" >&2; exit 2 ;;
    *) echo "build: unknown tree '$tree'" >&2; exit 2 ;;
  esac
  [ -f "$dir/build.ninja" ] || cmake "${args[@]}" >/dev/null
  echo "build: $tree"
  cmake --build "$dir"
done
