#!/usr/bin/env bash
# Runs every libFuzzer target of the fuzz tree for a while, starting from its
# seed corpus (new inputs go to a scratch folder, the seeds stay untouched).
# Usage: scripts/fuzz.sh [SECONDS_IN_ALL] [NAME_FILTER]    (default 60 seconds)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
tree=${MORVEL_BUILD_ROOT:-$root/build}/fuzz
total=${1:-60}
filter=${2:-}
[ -f "$tree/fuzzers.txt" ] || "$root/scripts/build.sh" fuzz >/dev/null

mapfile -t entries < <(grep -v '^$' "$tree/fuzzers.txt" | grep -- "$filter" || true)
((${#entries[@]})) || { echo "fuzz: no fuzzer matches '$filter'"; exit 0; }
each=$((total / ${#entries[@]}))
((each >= 1)) || each=1

status=0
for entry in "${entries[@]}"; do
  name=${entry%%|*}
  corpus=${entry#*|}
  binary=$(find "$tree" -type f -name "$name" -perm -u+x | head -n 1)
  work="$tree/fuzz-work/$name"
  mkdir -p "$work" "$tree/fuzz-artifacts"
  echo "fuzz: $name for ${each}s"
  if ! ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
      "$binary" -max_total_time="$each" -rss_limit_mb=2048 -print_final_stats=0 \
      -artifact_prefix="$tree/fuzz-artifacts/$name-" "$work" "$corpus" >"$work.log" 2>&1; then
    echo "fuzz: $name FAILED, see $work.log"; tail -n 30 "$work.log"; status=1
  fi
done
exit $status
