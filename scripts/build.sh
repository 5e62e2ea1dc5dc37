#!/usr/bin/env bash
# Configures and builds the three trees: build/native, build/win64, build/win32;
# on request also build/fuzz (the libFuzzer targets) and build/asan (the unit
# tests under AddressSanitizer and UndefinedBehaviorSanitizer), both with clang.
# Usage: scripts/build.sh [native|win64|win32|fuzz|asan ...]   (default: the three)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
trees=("$@")
[ ${#trees[@]} -gt 0 ] || trees=(native win64 win32)

for tree in "${trees[@]}"; do
  dir="${MORVEL_BUILD_ROOT:-$root/build}/$tree"
  args=(-G Ninja -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo)
  case "$tree" in
    native) ;;
    win64) args+=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw64.cmake") ;;
    win32) args+=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw32.cmake") ;;
    fuzz) args+=(-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DMORVEL_FUZZERS=ON) ;;
    # Line tables are all a sanitizer report needs; -O1 keeps the build short.
    asan) args+=(-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DMORVEL_SANITIZE=ON
                 "-DCMAKE_C_FLAGS_RELWITHDEBINFO=-O1 -gline-tables-only -DNDEBUG"
                 "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -gline-tables-only -DNDEBUG") ;;
    *) echo "build: unknown tree '$tree'" >&2; exit 2 ;;
  esac
  [ -f "$dir/build.ninja" ] || cmake "${args[@]}" >/dev/null
  echo "build: $tree"
  cmake --build "$dir"
done
