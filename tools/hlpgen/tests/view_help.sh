#!/usr/bin/env bash
# Runs help_viewer_tests on an Xvfb server of its own, with the help viewer's
# trace: the commands and contexts it received, and what it did with them.
# Leaves BUILD/help_<context>.png (the text of each topic as the viewer
# showed it) and BUILD/help_viewer.log.
# Usage: tools/hlpgen/tests/view_help.sh [BUILD]   (default: build/win64)
set -euo pipefail
root=$(cd "$(dirname "$0")/../../.." && pwd)
build=$(cd "${1:-$root/build/win64}" && pwd)
program="$build/bin/help_viewer_tests.exe"
[ -x "$program" ] || { echo "view_help: build help_viewer_tests first" >&2; exit 2; }

export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  WINEDEBUG=-all /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
  /usr/lib/wine/wineserver -w
fi

display=$(( 150 + RANDOM % 50 ))
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; /usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.05; done
export DISPLAY=":$display"

status=0
WINEDEBUG=+winhelp "$root/scripts/wine-run.sh" "$program" >"$build/help_viewer.log" 2>&1 || status=$?
grep -a -E '^\[ +(OK|FAILED) |WINHELP_HandleCommand|MACRO_PopupContext|Unhandled command' \
  "$build/help_viewer.log" || true
ls "$build"/help_1*.png
exit "$status"
