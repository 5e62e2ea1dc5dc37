#!/usr/bin/env bash
# Installs what is missing, builds every tree and runs every test:
# native unit and end-to-end tests, the same again under AddressSanitizer and
# UndefinedBehaviorSanitizer, the fuzzers over their seed corpora and for a
# short run, then the win64 tests under Wine (display tests on an Xvfb server
# of our own, end-to-end scenarios of the real editor included) and a short
# soak of the editor.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MORVEL_BUILD_ROOT:-$root/build}
jobs=$(nproc)

bash "$root/scripts/setup.sh" || exit 1
bash "$root/scripts/build.sh" native win64 win32 fuzz asan || exit 1

failed=()
echo "== native tests"
ctest --test-dir "$build/native" -j"$jobs" --output-on-failure --timeout 600 || failed+=(native)

echo "== native tests under AddressSanitizer and UndefinedBehaviorSanitizer"
ctest --test-dir "$build/asan" -j"$jobs" --output-on-failure --timeout 600 || failed+=(asan)

echo "== win32 (built only; its checks need no Windows)"
ctest --test-dir "$build/win32" -L exports --output-on-failure || failed+=(win32)

echo "== fuzzers: seed corpora, then ${MORVEL_FUZZ_SECONDS:-60} seconds of fuzzing"
ctest --test-dir "$build/fuzz" -j"$jobs" --output-on-failure || failed+=(fuzz-corpus)
bash "$root/scripts/fuzz.sh" "${MORVEL_FUZZ_SECONDS:-60}" || failed+=(fuzz)

echo "== win64 tests under Wine"
export WINEPREFIX="$build/win64/wineprefix" WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1
  /usr/lib/wine/wineserver -w
fi
# One persistent wineserver for the whole run: each test program would
# otherwise pay Wine's start-up.
/usr/lib/wine/wineserver -p
# Start Wine's services now, away from ctest's output pipes: services the
# first test program started would inherit them, outlive it under the
# persistent server, and ctest would wait on them until its timeout.
/usr/lib/wine/wine64 wineboot </dev/null >/dev/null 2>&1
display=$(( (RANDOM % 400) + 100 ))
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$display"
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
# Wine here now and then crashes a program while it exits (glibc's loader
# asserts in _dl_fini) after its checks have passed; a failing test gets one
# more run, and the first run's output stays in the log.
ctest --test-dir "$build/win64" --output-on-failure --timeout 900 --repeat until-pass:2
win64=$?
echo "== a ${MORVEL_SOAK_MINUTES:-1} minute soak of the editor with random input"
bash "$root/scripts/soak.sh" "${MORVEL_SOAK_MINUTES:-1}" || failed+=(soak)
kill "$xvfb" 2>/dev/null
/usr/lib/wine/wineserver -k 2>/dev/null
((win64 == 0)) || failed+=(win64)

if ((${#failed[@]})); then
  echo "test: failures in ${failed[*]}" >&2
  exit 1
fi
exit 0
