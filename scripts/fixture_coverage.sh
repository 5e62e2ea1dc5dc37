#!/usr/bin/env bash
# Checks that the tests lose no coverage of our loaders when the shared
# fixtures are absent: builds build/coverage (g++ --coverage), runs the X-file,
# image and render tests once with the fixtures and once without them, and
# lists every loader line only the run with fixtures reached. Not part of the
# test command; run it after changing the loaders or their tests.
# Usage: scripts/fixture_coverage.sh     (exit 1 when such lines exist)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
tree=${MORVEL_BUILD_ROOT:-$root/build}/coverage
programs=(xfile_tests image_tests render_tests)

if [ ! -f "$tree/build.ninja" ]; then
  cmake -G Ninja -S "$root" -B "$tree" -DCMAKE_BUILD_TYPE=Debug -DMORVEL_BENCHMARKS=OFF \
    -DCMAKE_CXX_FLAGS="--coverage" -DCMAKE_C_FLAGS="--coverage" \
    -DCMAKE_EXE_LINKER_FLAGS="--coverage" -DCMAKE_SHARED_LINKER_FLAGS="--coverage" >/dev/null
fi
cmake --build "$tree" --target "${programs[@]}"  # CMAKE_BUILD_PARALLEL_LEVEL sets the jobs

# Lines with a count above zero in the loaders' sources, as "file:line".
covered_lines() {
  local out=$1
  local objects=()
  # Test objects too: an inline function of a loader header runs from
  # whichever object's copy the linker kept, which may be a test's.
  mapfile -t objects < <(find "$tree/formats" "$tree/editor/render" -name '*.gcda')
  (cd "$tree" && gcov --json-format --stdout "${objects[@]}" 2>/dev/null) | python3 -c '
import json, sys
root = sys.argv[1] + "/"
seen = set()
for line in sys.stdin:
    line = line.strip()
    if not line:
        continue
    for f in json.loads(line)["files"]:
        name = f["file"]
        loader = name.startswith((root + "formats/xfile/", root + "formats/image/", root + "editor/render/"))
        if not loader or name.endswith("_tests.cpp"):
            continue
        for l in f["lines"]:
            if l["count"] > 0:
                seen.add("%s:%d" % (name[len(root):], l["line_number"]))
print("\n".join(sorted(seen)))
' "$root" >"$out"
}

run_tests() {
  find "$tree" -name '*.gcda' -delete
  for program in "${programs[@]}"; do
    "$tree/bin/$program" --gtest_brief=1 >/dev/null || true
  done
}

run_tests
covered_lines "$tree/with_fixtures.txt"
CI= MORVEL_FIXTURES_DIR=/nonexistent/fixtures run_tests
covered_lines "$tree/without_fixtures.txt"

only=$(comm -23 "$tree/with_fixtures.txt" "$tree/without_fixtures.txt")
echo "coverage: $(wc -l <"$tree/with_fixtures.txt") loader lines with the fixtures," \
     "$(wc -l <"$tree/without_fixtures.txt") without them"
if [ -n "$only" ]; then
  echo "coverage: lines only the fixtures reach:"
  echo "$only"
  exit 1
fi
echo "coverage: the fixture-free run reaches every loader line the fixtures reach"
