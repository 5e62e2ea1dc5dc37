#!/usr/bin/env bash
# Writes the Debian packages of the native tree into DIST_DIR with CPack:
# libmvllib1 and libmvllib-dev at the library's version, mvltool at the
# program's. Nothing is left in DIST_DIR on failure.
# Usage: make_debs.sh BUILD_ROOT DIST_DIR   (BUILD_ROOT/native built)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$1
dist=$2
eval "$(cmake -P "$root/cmake/print_versions.cmake")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cd "$build/native"
cpack -G DEB -B "$work" -D CPACK_COMPONENTS_ALL="runtime;development" \
  -D CPACK_PACKAGE_VERSION="$MVLLIB_VERSION" >/dev/null 2>&1
cpack -G DEB -B "$work" -D CPACK_COMPONENTS_ALL=tool \
  -D CPACK_PACKAGE_VERSION="$MORVEL_PROGRAM_VERSION" >/dev/null 2>&1
mkdir -p "$dist"
for deb in "$work"/*.deb; do
  mv "$deb" "$dist/"
  echo "deb: $dist/$(basename "$deb")"
done
