#!/usr/bin/env bash
# Installs what is missing, builds every target and runs the most complete
# program there is: for now mvltool info on a sample motion file.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MORVEL_BUILD_ROOT:-$root/build}
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh" native win64 win32
sample="$root/mvllib/fuzz/corpus/full.mvl"
[ -f "$root/examples/robot/robot.mvl" ] && sample="$root/examples/robot/robot.mvl"
"$build/native/bin/mvltool" info "$sample"
