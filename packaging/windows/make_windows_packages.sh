#!/usr/bin/env bash
# Makes the Windows releases from the built win64 and win32 trees: a portable
# zip and an NSIS installer (Japanese) for each, named after the version in
# cmake/MorvelVersionNumbers.cmake:
#   Morvel-VERSION-win64.zip  Morvel-VERSION-setup-x64.exe
#   Morvel-VERSION-win32.zip  Morvel-VERSION-setup-x86.exe
# Usage: packaging/windows/make_windows_packages.sh BUILD_ROOT DIST_DIR
#   BUILD_ROOT holds win64/ and win32/ (bash scripts/build.sh win64 win32).
# Everything is made in a scratch folder inside DIST_DIR and moved into place
# only when all four are complete: a failure leaves no partial archive.
set -euo pipefail

if [ $# -ne 2 ]; then
  echo "usage: $0 BUILD_ROOT DIST_DIR" >&2
  exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build_root=$(cd "$1" && pwd)
mkdir -p "$2"
dist=$(cd "$2" && pwd)

for tool in cmake makensis zip; do
  command -v "$tool" >/dev/null || { echo "$0: $tool missing: run scripts/setup.sh" >&2; exit 1; }
done

eval "$(cmake -P "$root/cmake/print_versions.cmake")"
version=$MORVEL_PROGRAM_VERSION
lib_version=$MVLLIB_VERSION
company=$MORVEL_COMPANY
copyright=$(grep -m1 '^Copyright' "$root/LICENSE.txt")
# "2.01" -> "2.1.0.0": the four numbers of a version resource.
IFS=. read -r major minor <<<"$version"
version_quad="$((10#$major)).$((10#$minor)).0.0"

work=$(mktemp -d "$dist/.windows-packages.XXXXXX")
trap 'rm -rf "$work"' EXIT

# Text for Notepad on every Windows version: UTF-8 with a byte order mark,
# CRLF line ends.
windows_text() {
  { printf '\xef\xbb\xbf'; sed 's/\r$//; s/$/\r/' "$1"; } >"$2"
}

# stage TREE PLATFORM SYSTEM FOLDER: the files users get, as the zip holds them.
stage() {
  local bin="$build_root/$1/bin" folder=$4 name
  for name in Morvel.exe MvlLib.dll mvltool.exe mvl.hlp; do
    [ -f "$bin/$name" ] || {
      echo "$0: $bin/$name missing: build it with bash scripts/build.sh win64 win32" >&2
      exit 1
    }
  done
  mkdir -p "$folder/examples/robot"
  cp "$bin/Morvel.exe" "$bin/MvlLib.dll" "$bin/mvltool.exe" "$bin/mvl.hlp" "$folder/"
  cp "$root"/examples/robot/*.x "$root"/examples/robot/*.bmp "$root/examples/robot/robot.mvl" \
    "$folder/examples/robot/"
  sed -e "s/@VERSION@/$version/g" -e "s/@LIBVERSION@/$lib_version/g" \
    -e "s/@COMPANY@/$company/g" -e "s/@PLATFORM@/$2/g" -e "s/@SYSTEM@/$3/g" \
    "$here/README.txt.in" >"$folder.README.txt"
  windows_text "$folder.README.txt" "$folder/README.txt"
  windows_text "$root/LICENSE.txt" "$folder/LICENSE.txt"
  windows_text "$root/packaging/THIRD-PARTY-NOTICES.txt" "$folder/THIRD-PARTY-NOTICES.txt"
}

# file_lists FOLDER FILES_NSH UNFILES_NSH: what the installer copies and the
# uninstaller deletes, one list from the staged folder.
file_lists() {
  local folder=$1 dir relative path
  : >"$2"
  : >"$3"
  while read -r dir; do
    relative=${dir#"$folder"}
    relative=${relative#/}
    echo "SetOutPath \"\$INSTDIR${relative:+\\${relative//\//\\}}\"" >>"$2"
    while read -r path; do
      path=${path#"$folder"/}
      # Only plain names: no NSIS variable or quote can hide in them.
      [[ $path =~ ^[A-Za-z0-9._/-]+$ ]] || { echo "$0: unexpected name $path" >&2; exit 1; }
      echo "File \"$folder/$path\"" >>"$2"
      echo "Delete \"\$INSTDIR\\${path//\//\\}\"" >>"$3"
    done < <(find "$dir" -maxdepth 1 -type f | LC_ALL=C sort)
  done < <(find "$folder" -type d | LC_ALL=C sort)
  find "$folder" -mindepth 1 -type d | LC_ALL=C sort -r | while read -r dir; do
    relative=${dir#"$folder"/}
    echo "RMDir \"\$INSTDIR\\${relative//\//\\}\"" >>"$3"
  done
}

# package TREE PLATFORM SYSTEM ARCH: the zip and the installer of one build tree.
package() {
  local tree=$1 arch=$4 name="Morvel-$version-$1" folder size_bytes
  folder="$work/$tree/$name"
  stage "$tree" "$2" "$3" "$folder"
  (cd "$work/$tree" && zip -q -X -r "$work/$name.zip" "$name")

  file_lists "$folder" "$work/$tree/files.nsh" "$work/$tree/unfiles.nsh"
  size_bytes=$(find "$folder" -type f -printf '%s\n' | awk '{ s += $1 } END { print s }')
  makensis -V2 -WX -INPUTCHARSET UTF8 \
    "-DARCH=$arch" "-DVERSION=$version" "-DVERSION_QUAD=$version_quad" \
    "-DLIBVERSION=$lib_version" "-DCOMPANY=$company" "-DCOPYRIGHT=$copyright" \
    "-DSTAGE=$folder" "-DFILES_NSH=$work/$tree/files.nsh" "-DUNFILES_NSH=$work/$tree/unfiles.nsh" \
    "-DICON=$root/editor/resources/icon/morvel.ico" "-DSIZE_KB=$(((size_bytes + 1023) / 1024))" \
    "-DOUTFILE=$work/Morvel-$version-setup-$arch.exe" "$here/morvel.nsi"
}

package win64 "64 ビット版" "64 ビット版 Windows" x64
package win32 "32 ビット版" "Windows（32 ビット版、64 ビット版）" x86

for artefact in "Morvel-$version-win64.zip" "Morvel-$version-setup-x64.exe" \
  "Morvel-$version-win32.zip" "Morvel-$version-setup-x86.exe"; do
  mv -f "$work/$artefact" "$dist/$artefact"
  echo "$dist/$artefact"
done
