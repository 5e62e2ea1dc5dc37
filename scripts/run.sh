#!/usr/bin/env bash
# Installs what is missing, builds every target and starts the editor on the
# example figure under Wine: in a window when DISPLAY is set; otherwise on an
# X server of its own, writing a screenshot of the window after the first
# frames (its path is printed) and ending the editor.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MORVEL_BUILD_ROOT:-$root/build}
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh" native win64 win32

export WINEPREFIX="$build/win64/run-prefix" WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
wine=/usr/lib/wine/wine64
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "run: preparing the Wine prefix $WINEPREFIX"
  DISPLAY= "$wine" wineboot -i >/dev/null 2>&1
  # The fonts the program's resources and Wine's Japanese UI ask for.
  reg="$WINEPREFIX/fonts.reg"
  printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n"ＭＳ ゴシック"="IPAGothic"\r\n"ＭＳ Ｐゴシック"="IPAPGothic"\r\n"MS Gothic"="IPAGothic"\r\n"MS PGothic"="IPAPGothic"\r\n"MS UI Gothic"="IPAPGothic"\r\n' |
    iconv -f UTF-8 -t CP932 >"$reg"
  DISPLAY= "$wine" regedit /S "$reg"
  /usr/lib/wine/wineserver -w
  # Shortcuts and documents stay inside the prefix, not in the user's home.
  for link in "$WINEPREFIX"/drive_c/users/*/*; do
    if [ -L "$link" ]; then rm "$link"; mkdir "$link"; fi
  done
  [ -f /usr/share/wine/fonts/marlett.ttf ] && cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
fi

robot="$root/examples/robot"
morvel="$build/win64/bin/Morvel.exe"
if [ -n "${DISPLAY:-}" ]; then
  cd "$robot"
  exec "$wine" "$morvel" robot.mvl
fi

display=$(( (RANDOM % 400) + 500 ))
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$display"
trap 'kill $xvfb 2>/dev/null; /usr/lib/wine/wineserver -k 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
(cd "$robot" && exec "$wine" "$morvel" robot.mvl) &
# The title names the file once it is open; then the first frames follow.
for _ in $(seq 120); do
  xdotool search --name 'Morvel Version 2\.01 \[.*robot\.mvl\]' >/dev/null 2>&1 && break
  sleep 0.5
done
sleep 2
shot="$build/win64/run-screenshot.png"
import -window root -crop 660x560+0+0 "$shot"
echo "run: the editor on examples/robot/robot.mvl, without a display: screenshot $shot"
