#!/usr/bin/env bash
# Installs what is missing, builds the trees and writes every release into
# build/dist: the Windows portable zips and installers (x64, x86), the MvlLib
# SDK for Windows game projects and the Debian packages. Artefacts are made in
# a scratch folder and moved into build/dist only when all of them were made,
# so a failed step leaves no partial archive there.
# Usage: scripts/package.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MORVEL_BUILD_ROOT:-$root/build}
dist=$build/dist

bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh" native win64 win32 >/dev/null
started=$(date +%s)
staging=$(mktemp -d "$build/dist-staging.XXXXXX")
trap 'rm -rf "$staging"' EXIT

bash "$root/packaging/windows/make_windows_packages.sh" "$build" "$staging"
bash "$root/packaging/sdk/make_sdk_zip.sh" "$build" "$staging"
bash "$root/packaging/debian/make_debs.sh" "$build" "$staging"

mkdir -p "$dist"
for artefact in "$staging"/*; do
  rm -rf "$dist/$(basename "$artefact")"
  mv "$artefact" "$dist/"
done
echo "package: $(($(date +%s) - started)) s; in $dist:"
(cd "$dist" && ls -l --time-style=+ | awk 'NR > 1 {printf "  %10d  %s\n", $5, $NF}')
