#!/usr/bin/env bash
# The MvlLib SDK and the Debian packages as game programmers and Debian users
# take them: the consumer example (examples/mvllib_consumer) built against the
# installed SDK natively, through pkg-config, with MinGW x64 against the SDK
# zip (run under Wine) and x86 (built and linked), and against the unpacked
# Debian packages; the import libraries for Microsoft's linker checked with
# LLVM's tools; lintian on the packages; the packaged mvltool on the robot.
# Usage: sdk_and_debian_tests.sh BUILD_ROOT DIST_DIR   (after scripts/package.sh)
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd)
dist=$(cd "$2" && pwd)
eval "$(cmake -P "$root/cmake/print_versions.cmake")"
work=$build/packaging-tests
rm -rf "$work" && mkdir -p "$work"
robot=$root/examples/robot/robot.mvl
expected=$root/tests/packaging/consumer_expected.txt
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# same_output NAME OUTPUT_FILE: the consumer printed what the robot holds.
same_output() {
  tr -d '\r' <"$2" | diff -u "$expected" - >"$work/$1.diff" || fail "$1: output differs: $(cat "$work/$1.diff")"
}
consumer() {  # consumer NAME CMAKE_ARGS...: configure and build the example
  local name=$1
  shift
  cmake -S "$root/examples/mvllib_consumer" -B "$work/$name" -G Ninja "$@" >"$work/$name.log" 2>&1 &&
    cmake --build "$work/$name" >>"$work/$name.log" 2>&1 || { fail "$name: build: $(tail -5 "$work/$name.log")"; return 1; }
}

# Natively against `cmake --install` of the library, then through pkg-config.
sdk=$work/installed
for component in runtime development; do
  cmake --install "$build/native" --prefix "$sdk" --component "$component" >/dev/null
done
libdir=$(dirname "$(find "$sdk" -name libMvlLib.so.1 | head -1)")
if consumer native -DCMAKE_PREFIX_PATH="$sdk"; then
  LD_LIBRARY_PATH=$libdir "$work/native/mvllib_consumer" "$robot" >"$work/native.out" || fail "native run"
  same_output native "$work/native.out"
fi
pc_flags=$(PKG_CONFIG_PATH=$libdir/pkgconfig pkg-config --cflags --libs mvllib) || fail "pkg-config"
cc "$root/examples/mvllib_consumer/main.c" $pc_flags -o "$work/pkgconfig_consumer" || fail "pkg-config build"
LD_LIBRARY_PATH=$libdir "$work/pkgconfig_consumer" "$robot" >"$work/pkgconfig.out" || fail "pkg-config run"
same_output pkgconfig "$work/pkgconfig.out"
[ "$(readelf -d "$libdir/libMvlLib.so.1" | grep -o 'Library soname: \[[^]]*\]')" = "Library soname: [libMvlLib.so.1]" ] ||
  fail "SONAME"

# MinGW against the Windows SDK zip: x64 runs under Wine, x86 is built and linked.
unzip -q "$dist/MvlLib-$MVLLIB_VERSION-sdk.zip" -d "$work" || fail "unzip sdk"
winsdk=$work/MvlLib-$MVLLIB_VERSION-sdk
if consumer mingw64 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw64.cmake" -DMvlLib_DIR="$winsdk/lib/cmake/MvlLib"; then
  "$root/scripts/wine-run.sh" "$work/mingw64/mvllib_consumer.exe" "Z:${robot//\//\\}" >"$work/mingw64.out" 2>/dev/null ||
    fail "mingw64 run under Wine"
  same_output mingw64 "$work/mingw64.out"
fi
consumer mingw32 -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw32.cmake" -DMvlLib_DIR="$winsdk/lib/cmake/MvlLib" &&
  [ -f "$work/mingw32/mvllib_consumer.exe" ] || fail "mingw32 consumer not linked"
# The import libraries for Microsoft's linker: one member per export, the
# symbols a cdecl caller of that architecture refers to.
for arch in x64 x86; do
  lib=$winsdk/$arch/lib/MvlLib.lib
  prefix=$([ $arch = x86 ] && echo _ || true)
  [ "$(llvm-ar t "$lib" | sort -u)" = "MvlLib.dll" ] || fail "$arch .lib members: $(llvm-ar t "$lib" | sort -u | tr '\n' ' ')"
  for name in Mvl_Func_ObjectInit Mvl_Func_Delete Mvl_Func_Copy Mvl_Func_Ram_Release Mvl_Func_GetVersion \
              Mvl_Func_Load Mvl_Func_Shuffle; do
    llvm-nm "$lib" 2>/dev/null | grep -qx "00000000 T __imp_$prefix$name" || fail "$arch .lib lacks __imp_$prefix$name"
  done
done

# The Debian packages: lintian finds no error; unpacked into a scratch root
# (the machine stays as it is), they build the consumer and run mvltool.
debs=("$dist/libmvllib1_${MVLLIB_VERSION}_amd64.deb" "$dist/libmvllib-dev_${MVLLIB_VERSION}_amd64.deb"
      "$dist/mvltool_${MORVEL_PROGRAM_VERSION}_amd64.deb")
lintian --tag-display-limit 0 "${debs[@]}" >"$work/lintian.txt" 2>&1
grep -q '^E:' "$work/lintian.txt" && fail "lintian: $(grep '^E:' "$work/lintian.txt")"
debroot=$work/debroot
for deb in "${debs[@]}"; do dpkg-deb -x "$deb" "$debroot" || fail "unpack $deb"; done
deblib=$debroot/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH 2>/dev/null || echo x86_64-linux-gnu)
if consumer debian -DCMAKE_PREFIX_PATH="$debroot/usr"; then
  LD_LIBRARY_PATH=$deblib "$work/debian/mvllib_consumer" "$robot" >"$work/debian.out" || fail "debian consumer run"
  same_output debian "$work/debian.out"
fi
LD_LIBRARY_PATH=$deblib "$debroot/usr/bin/mvltool" info "$robot" >"$work/mvltool.out" || fail "packaged mvltool"
grep -qx "parts 6" "$work/mvltool.out" || fail "packaged mvltool info: $(head -3 "$work/mvltool.out")"
[ "$(LD_LIBRARY_PATH=$deblib "$debroot/usr/bin/mvltool" --version)" = "mvltool $MORVEL_PROGRAM_VERSION, MvlLib $MVLLIB_VERSION" ] ||
  fail "packaged mvltool --version"

if ((failures)); then
  echo "sdk and debian: $failures failure(s)"
  exit 1
fi
echo "sdk and debian: consumers native, pkg-config, MinGW x64 (run), x86 (linked), Debian; lintian without errors"
