#!/usr/bin/env bash
# Runs a Windows program under 64-bit Wine as the tests expect: a prefix of
# the build tree's own, code page 932, no debug chatter.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$root/build/win64/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}
exec /usr/lib/wine/wine64 "$@"
