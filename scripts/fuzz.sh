#!/usr/bin/env bash
# Runs every libFuzzer target of the sanitized tree (build/asan), one on each
# core at a time when they share a time (one after the other otherwise),
# each starting from its seed corpus (new inputs go to a scratch
# folder, the seeds stay untouched unless --merge is given).
#
# Usage: scripts/fuzz.sh [SECONDS_IN_ALL] [NAME_FILTER]    (default 60 seconds of fuzzing in all)
#        scripts/fuzz.sh [--each SECONDS] [--runs N] [--nice N] [--merge] [NAME_FILTER]
#   --each SECONDS  run each target this long instead of sharing one total time
#   --runs N        keep a target running until it has executed at least N inputs
#                   (with --each: at least that long and at least that many)
#   --nice N        run the targets at this niceness (long runs beside other work)
#   --merge         afterwards add what the scratch corpus found to the seed
#                   corpus, keeping only inputs that reach new coverage
#   --minimise      only rewrite each seed corpus as the smallest set of its inputs
#                   and its scratch corpus's that keeps their edge coverage; seeds
#                   named by hand (regression inputs) always stay
# An input that takes more than 10 seconds counts as a failure. Each target's
# last statistics go to fuzz-work/summary.txt in that tree.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
tree=${MORVEL_BUILD_ROOT:-$root/build}/asan
total=60
each=
runs=
niceness=
merge=0
minimise=0
filter=

positional=()
while (($#)); do
  case "$1" in
    --each) each=$2; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    --nice) niceness=$2; shift 2 ;;
    --merge) merge=1; shift ;;
    --minimise) minimise=1; shift ;;
    -*) echo "fuzz: unknown option $1" >&2; exit 2 ;;
    *) positional+=("$1"); shift ;;
  esac
done
if [ -z "$each" ] && [ -z "$runs" ] && ((!minimise)); then
  total=${positional[0]:-60}
  filter=${positional[1]:-}
else
  filter=${positional[0]:-}
fi
[ -f "$tree/fuzzers.txt" ] || "$root/scripts/build.sh" asan >/dev/null

mapfile -t entries < <(grep -v '^$' "$tree/fuzzers.txt" | grep -- "$filter" || true)
((${#entries[@]})) || { echo "fuzz: no fuzzer matches '$filter'"; exit 0; }
if [ -z "$each" ] && [ -z "$runs" ]; then
  each=$((total / ${#entries[@]}))
  ((each >= 1)) || each=1
fi

prefix=()
[ -z "$niceness" ] || prefix=(nice -n "$niceness")
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
mkdir -p "$tree/fuzz-work" "$tree/fuzz-artifacts"
summary="$tree/fuzz-work/summary.txt"

# The figure of a libFuzzer log: its last "stat::NAME:" line, or its last
# status line's "NAME: value".
log_stat() { grep -o "stat::$2: *[0-9]*" "$1" | tail -n 1 | grep -o '[0-9]*$' || true; }
status_field() { grep -o " $2: [0-9]*" "$1" | tail -n 1 | grep -o '[0-9]*$' || true; }

if ((minimise)); then
  for entry in "${entries[@]}"; do
    name=${entry%%|*}
    corpus=${entry#*|}
    binary=$(find "$tree" -type f -name "$name" -perm -u+x | head -n 1)
    smallest=$(mktemp -d)
    # What a scratch corpus of earlier runs found counts as well.
    found=()
    [ -d "$tree/fuzz-work/$name" ] && found=("$tree/fuzz-work/$name")
    # Edges only, not how often each runs: that keeps the corpus to hundreds.
    "${prefix[@]}" "$binary" -merge=1 -use_counters=0 "$smallest" "$corpus" "${found[@]}" \
      >"$tree/fuzz-work/$name.minimise.log" 2>&1
    before=$(find "$corpus" -type f | wc -l)
    # libFuzzer names what it keeps by the SHA-1 of its bytes; the other
    # names were given by hand and stay.
    find "$corpus" -type f -regextype posix-extended -regex '.*/[0-9a-f]{40}' -delete
    mapfile -t named < <(find "$corpus" -type f)
    for file in "$smallest"/*; do
      [ -e "$file" ] || continue
      duplicate=0
      for seed in "${named[@]}"; do
        if cmp -s "$file" "$seed"; then duplicate=1; break; fi
      done
      ((duplicate)) || cp "$file" "$corpus/"
    done
    rm -rf "$smallest"
    echo "fuzz: $name seed corpus $before -> $(find "$corpus" -type f | wc -l) files"
  done
  exit 0
fi

# fuzz_one ENTRY: fuzzes one target as the options say; fails when it found
# a crash, a leak or an input over the time limit.
fuzz_one() {
  local entry=$1 name corpus binary work done_runs seconds pass limit start executed line before
  name=${entry%%|*}
  corpus=${entry#*|}
  binary=$(find "$tree" -type f -name "$name" -perm -u+x | head -n 1)
  work="$tree/fuzz-work/$name"
  mkdir -p "$work"
  : >"$work.log"
  done_runs=0
  seconds=0
  pass=0
  # A pass is limited by time, later passes (when --runs asks for more) by
  # the executions still missing.
  while :; do
    limit=()
    if ((pass == 0)) && [ -n "$each" ]; then
      limit=(-max_total_time="$each")
      echo "fuzz: $name for ${each}s${runs:+ and at least $runs runs}"
    elif [ -n "$runs" ] && ((done_runs < runs)); then
      limit=(-runs=$((runs - done_runs)))
      echo "fuzz: $name for $((runs - done_runs)) more runs"
    else
      break
    fi
    start=$SECONDS
    if ! "${prefix[@]}" "$binary" "${limit[@]}" -rss_limit_mb=2048 -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$tree/fuzz-artifacts/$name-" "$work" "$corpus" >>"$work.log" 2>&1; then
      echo "fuzz: $name FAILED, see $work.log"; tail -n 30 "$work.log"
      return 1
    fi
    seconds=$((seconds + SECONDS - start))
    executed=$(log_stat "$work.log" number_of_executed_units)
    done_runs=$((done_runs + ${executed:-0}))
    pass=$((pass + 1))
    [ -n "$runs" ] || break
  done
  line="$name runs=$done_runs seconds=$seconds cov=$(status_field "$work.log" cov) ft=$(status_field "$work.log" ft) corpus=$(grep -o ' corp: [0-9]*/[0-9]*[A-Za-z]*' "$work.log" | tail -n 1 | cut -d' ' -f3) peak_rss_mb=$(log_stat "$work.log" peak_rss_mb)"
  echo "fuzz: $line"
  echo "$(date -u +%FT%TZ) $line" >>"$summary"
  if ((merge)); then
    before=$(find "$corpus" -type f | wc -l)
    "${prefix[@]}" "$binary" -merge=1 "$corpus" "$work" >>"$work.merge.log" 2>&1
    echo "fuzz: $name seed corpus $before -> $(find "$corpus" -type f | wc -l) files"
  fi
}

# A shared time (the test command's stage) is spent on every core at once,
# each target in its own process; long runs, merges and runs beside other
# work (--nice) go one target after the other.
jobs=1
if [ -z "$runs" ] && ((!merge)) && [ -z "$niceness" ]; then jobs=$(nproc); fi
status=0
for ((first = 0; first < ${#entries[@]}; first += jobs)); do
  batch=("${entries[@]:first:jobs}")
  pids=()
  for index in "${!batch[@]}"; do
    fuzz_one "${batch[$index]}" >"$tree/fuzz-work/job$index.out" 2>&1 &
    pids+=($!)
  done
  # Each target's lines whole and in the list's order.
  for index in "${!pids[@]}"; do
    wait "${pids[$index]}" || status=1
    cat "$tree/fuzz-work/job$index.out"
  done
done
exit $status
