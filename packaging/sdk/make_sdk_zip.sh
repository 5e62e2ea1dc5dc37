#!/usr/bin/env bash
# Writes MvlLib-<version>-sdk.zip for Windows game projects into DIST_DIR:
# the C header; for x64 and x86 the DLL, MinGW's import library and one for
# Microsoft's linker made from the .def file; the CMake package; the consumer
# example; the licence and notices. Nothing is left in DIST_DIR on failure.
# Usage: make_sdk_zip.sh BUILD_ROOT DIST_DIR   (BUILD_ROOT/win64 and /win32 built)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$1
dist=$2
eval "$(cmake -P "$root/cmake/print_versions.cmake")"
name="MvlLib-$MVLLIB_VERSION-sdk"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sdk="$work/$name"

mkdir -p "$sdk/include/mvllib" "$sdk/lib/cmake/MvlLib" "$sdk/examples"
cp "$root/mvllib/include/mvllib/mvllib.h" "$sdk/include/mvllib/"
for arch in x64 x86; do
  tree=$build/$([ $arch = x64 ] && echo win64 || echo win32)
  machine=$([ $arch = x64 ] && echo i386:x86-64 || echo i386)
  mkdir -p "$sdk/$arch/bin" "$sdk/$arch/lib"
  cp "$tree/bin/MvlLib.dll" "$sdk/$arch/bin/"
  cp "$tree/lib/libMvlLib.dll.a" "$sdk/$arch/lib/"
  # The exports are undecorated cdecl names in both DLLs.
  llvm-dlltool -m "$machine" -d "$root/mvllib/src/MvlLib.def" -D MvlLib.dll \
    -l "$sdk/$arch/lib/MvlLib.lib"
done
cp "$root/packaging/sdk/MvlLibConfig.cmake" "$sdk/lib/cmake/MvlLib/"
cmake -DOUT="$sdk/lib/cmake/MvlLib/MvlLibConfigVersion.cmake" -DVERSION="$MVLLIB_VERSION" \
  -P "$root/packaging/sdk/version_file.cmake"
cp -r "$root/examples/mvllib_consumer" "$sdk/examples/"
cp "$root/LICENSE.txt" "$root/packaging/THIRD-PARTY-NOTICES.txt" "$root/packaging/sdk/README.txt" "$sdk/"

(cd "$work" && zip -qr -X "$name.zip" "$name")
mkdir -p "$dist"
mv "$work/$name.zip" "$dist/$name.zip"
echo "sdk: $dist/$name.zip"
