#!/usr/bin/env bash
# Installs what is missing, builds every tree and runs every test: native
# unit and end-to-end tests, the same again under AddressSanitizer and
# UndefinedBehaviorSanitizer with the fuzzers' seed corpora and a short run
# of fuzzing, the win32 tree's export checks, the release packages (the SDK
# and the Debian packages used as their users use them), the win64 tests under Wine
# (display tests on an Xvfb server of our own, end-to-end scenarios of the
# real editor included) and a short soak of the editor. Prints each stage's
# time at the end.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MORVEL_BUILD_ROOT:-$root/build}
jobs=$(nproc)

stages=()
failed=()
run_started=$(date +%s)
# stage NAME COMMAND...: runs the command, records its time, and remembers a failure.
stage() {
  local name=$1 started status
  shift
  echo "== $name"
  started=$(date +%s)
  "$@"
  status=$?
  stages+=("$(printf '%-44s %5d s%s' "$name" $(($(date +%s) - started)) \
    "$( ((status == 0)) || echo '   FAILED')")")
  ((status == 0)) || failed+=("$name")
  return $status
}
report() {
  echo "== stage times"
  printf '%s\n' "${stages[@]}"
  printf '%-44s %5d s\n' "whole run" $(($(date +%s) - run_started))
}

stage "set-up" bash "$root/scripts/setup.sh" || { report; exit 1; }
for tree in native win64 win32 asan; do
  stage "build $tree" bash "$root/scripts/build.sh" "$tree" || { report; exit 1; }
done

stage "native tests" ctest --test-dir "$build/native" -j"$jobs" --output-on-failure --timeout 600
stage "native tests under the sanitizers" \
  ctest --test-dir "$build/asan" -j"$jobs" -LE fuzz --output-on-failure --timeout 600
stage "fuzzers: seed corpora" ctest --test-dir "$build/asan" -j"$jobs" -L fuzz --output-on-failure
stage "fuzzers: ${MORVEL_FUZZ_SECONDS:-60} seconds of fuzzing" \
  bash "$root/scripts/fuzz.sh" "${MORVEL_FUZZ_SECONDS:-60}"
stage "win32 exports (built only: no 32-bit Windows here)" \
  ctest --test-dir "$build/win32" -L exports --output-on-failure
releases() {
  bash "$root/scripts/package.sh" && bash "$root/tests/packaging/sdk_and_debian_tests.sh" "$build" "$build/dist"
}
stage "releases: packages, the SDK and the Debian packages checked" releases

export WINEPREFIX="$build/win64/wineprefix" WINEDEBUG=-all LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
wine_setup() {
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
}
stage "wine prefix" wine_setup
display=$(((RANDOM % 400) + 100))
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$display"
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
# Wine here now and then crashes a program while it exits (glibc's loader
# asserts in _dl_fini) after its checks have passed; a failing test gets one
# more run, and the first run's output stays in the log.
stage "win64 tests under Wine" \
  ctest --test-dir "$build/win64" --output-on-failure --timeout 900 --repeat until-pass:2
stage "a ${MORVEL_SOAK_MINUTES:-1} minute soak of the editor" \
  bash "$root/scripts/soak.sh" "${MORVEL_SOAK_MINUTES:-1}"
kill "$xvfb" 2>/dev/null
/usr/lib/wine/wineserver -k 2>/dev/null

report
if ((${#failed[@]})); then
  echo "test: failures in: ${failed[*]}" >&2
  exit 1
fi
exit 0
