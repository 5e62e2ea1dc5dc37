#!/usr/bin/env bash
# End-to-end run of mvltool's dump, build, export and import.
# Usage: mvltool_e2e.sh WORK_DIR FIXTURE_DIR MVLTOOL [EMULATOR...]
set -uo pipefail
work=$1
fixtures=$2
shift 2
tool=("$@")
# Under an emulator the tool is the first argument after it.
if [ ${#tool[@]} -gt 1 ]; then tool=("${tool[@]:1}" "${tool[0]}"); fi

rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1
cp "$fixtures"/*.json .
failures=0

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

run() { "${tool[@]}" "$@"; }
# Line output of a Windows program ends in CR LF.
run_text() { "${tool[@]}" "$@" | tr -d '\r'; }

# The versions the build gives (cmake/MorvelVersion.cmake).
[ "$(run_text --version)" = "mvltool 2.01, MvlLib 1.00" ] || fail "--version: $(run_text --version)"

# expect_error "field text" ARGS...: non-zero exit, one line on stderr naming the field.
expect_error() {
  local wanted=$1
  shift
  if run "$@" >out.txt 2>err.txt; then fail "$* succeeded"; return; fi
  local lines
  lines=$(wc -l <err.txt)
  [ "$lines" -eq 1 ] || fail "$*: $lines lines on stderr: $(cat err.txt)"
  grep -qF -- "$wanted" err.txt || fail "$*: stderr lacks '$wanted': $(cat err.txt)"
}

# build -> dump -> build reproduces the file byte for byte.
run build sample.json -o a.mvl || fail "build sample.json"
run dump a.mvl --code 秘密 >a.json || fail "dump a.mvl"
run build a.json -o b.mvl || fail "build a.json"
cmp -s a.mvl b.mvl || fail "dump/build changed the motion file"
run dump b.mvl --code 秘密 >b.json || fail "dump b.mvl"
cmp -s a.json b.json || fail "dump is not stable"
# 3 parts, 3 motions, 4 frames, 5 positions.
size=$(wc -c <a.mvl)
[ "$size" -eq $((192 + 3 * 66 + 3 * 88 + 4 * 24 + 5 * 128)) ] || fail "a.mvl has $size bytes"
grep -qF '"name": "歩く"' a.json || fail "motion name not in UTF-8"
grep -qF '"fileName": ".\\腕\\右.x"' a.json || fail "part file name lost its backslashes"
grep -qF '"userCode": "秘密"' a.json || fail "user code not dumped"
grep -v '"userCode"' sample.json >nocode.json
run build nocode.json -o nocode.mvl || fail "build nocode.json"
run_text info nocode.mvl | grep -qx 'positions 5' || fail "info does not read the built file"

# A file the dump cannot give back (a reference byte that is not zero, bytes
# after the last record, another version) is dumped with a one-line note.
run dump a.mvl --code 秘密 >/dev/null 2>note.txt || fail "dump a.mvl again"
[ ! -s note.txt ] || fail "dump of a built file printed: $(cat note.txt)"
python3 - <<'PY'
data = bytearray(open("a.mvl", "rb").read())
data[192 + 3 * 66 + 84] ^= 0x12   # motion 0's frames reference
data[5] = ord("9") ^ ord("M")     # version "1.90"
open("foreign.mvl", "wb").write(bytes(data) + b"tail")
PY
run dump foreign.mvl --code 秘密 >foreign.json 2>note.txt || fail "dump foreign.mvl"
[ "$(wc -l <note.txt)" -eq 1 ] || fail "dump foreign.mvl: no one-line note: $(cat note.txt)"
grep -qF '6 bytes' note.txt || fail "dump foreign.mvl: wrong count: $(cat note.txt)"
run build foreign.json -o foreign2.mvl || fail "build foreign.json"
run dump foreign2.mvl --code 秘密 >/dev/null 2>note.txt || fail "dump foreign2.mvl"
[ ! -s note.txt ] || fail "dump of a rebuilt file printed: $(cat note.txt)"

# Fields that only their bytes describe, and doubles JSON has no number for.
run build odd_fields.json -o odd.mvl || fail "build odd_fields.json"
run dump odd.mvl --code ABCDEFGHIPQRSTUVWZ >odd.json || fail "dump odd.mvl"
run build odd.json -o odd2.mvl || fail "build odd.json"
cmp -s odd.mvl odd2.mvl || fail "odd fields did not survive dump/build"
grep -qF '"0x7ff8000000000001"' odd.json || fail "NaN bit pattern not dumped"
grep -qF '"bytes": "81ff00000000000000000000000000ab"' odd.json || fail "name bytes not dumped"

# export and import.
run export a.mvl --code 秘密 --motion 0 -o walk.mvx || fail "export"
size=$(wc -c <walk.mvx)
[ "$size" -eq $((27 + 88 + 3 * 24 + 3 * 128)) ] || fail "walk.mvx has $size bytes"
run export a.mvl --code 秘密 --motion 1 -o idle.mvx || fail "export of a motion without frames"
[ "$(wc -c <idle.mvx)" -eq 115 ] || fail "idle.mvx is not 115 bytes"
out=$(run_text import a.mvl walk.mvx --code 秘密 -o c.mvl) || fail "import"
[ "$out" = "dropped 0" ] || fail "import printed '$out'"
run dump c.mvl --code 秘密 | grep -c '"soundFileName"' | grep -qx 4 || fail "imported motion missing"
cat >one_part.json <<'JSON'
{"parts": [{"fileName": "only.x"}], "motions": []}
JSON
run build one_part.json -o one.mvl || fail "build one_part.json"
out=$(run_text import one.mvl walk.mvx -o d.mvl) || fail "import into one part"
[ "$out" = "dropped 2" ] || fail "import into one part printed '$out'"
run dump d.mvl >d.json || fail "dump d.mvl"
grep -qF '"comment": "空"' d.json || fail "imported frames lost"

# Errors: one line on stderr, non-zero exit, the field named.
sed 's/"name": "歩く"/"name": "歩く歩く歩く歩く歩く"/' sample.json >long.json
expect_error 'motions[0].name: text of 20 bytes does not fit (at most 15)' build long.json -o x.mvl
sed 's/"comment": "空"/"comment": "😀"/' sample.json >emoji.json
expect_error 'motions[0].frames[1].comment: text has no code page 932 form' build emoji.json -o x.mvl
sed 's/"rotation": \[-90, 0, 0\]/"rotation": [70000, 0, 0]/' sample.json >range.json
expect_error 'motions[0].frames[0].positions[1].rotation[0]' build range.json -o x.mvl
sed 's/"cullingMode": 1/"culingMode": 1/' sample.json >typo.json
expect_error 'header.culingMode: unknown field' build typo.json -o x.mvl
# A member name holding a line break still gives one line.
printf '{"header": {"a\\nb": 1}}' >newline_name.json
expect_error 'header.a\x0Ab: unknown field' build newline_name.json -o x.mvl
echo '{"parts": [' >broken.json
expect_error 'not valid JSON' build broken.json -o x.mvl
[ ! -e x.mvl ] || fail "a failed build left x.mvl"
expect_error 'wrong user code' dump a.mvl
expect_error 'cannot be read' dump missing.mvl
expect_error '--motion' export a.mvl --code 秘密 --motion 3 -o x.mvx
expect_error 'file type' import a.mvl a.mvl --code 秘密 -o x.mvl
expect_error 'usage' build sample.json

[ "$failures" -eq 0 ] && echo "mvltool end-to-end: all passed"
exit $((failures != 0))
