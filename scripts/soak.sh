#!/usr/bin/env bash
# Soaks the real editor for MINUTES (default 1) under Wine with random user
# input; on an X server of its own when DISPLAY is not set.
# Usage: scripts/soak.sh [MINUTES] [--seed N] [--actions N]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MORVEL_BUILD_ROOT:-$root/build}
minutes=${1:-1}
shift || true
[ -f "$build/win64/bin/Morvel.exe" ] || bash "$root/scripts/build.sh" native win64
export MORVEL_E2E_WORK="$build/win64/e2e" MORVEL_EXE="$build/win64/bin/Morvel.exe"
export MORVEL_E2E_DRIVER="$build/win64/bin/morvel_driver.exe" MORVEL_MVLTOOL="$build/native/bin/mvltool"
xvfb=
if [ -z "${DISPLAY:-}" ]; then
  display=$(( (RANDOM % 400) + 500 ))
  Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  export DISPLAY=":$display"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
fi
status=0
python3 "$root/tests/e2e/soak.py" --minutes "$minutes" "$@" || status=$?
[ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
exit $status
