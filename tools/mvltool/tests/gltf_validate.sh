#!/usr/bin/env bash
# mvltool gltf end to end: the robot and a figure of fixture X files exported
# to .gltf and .glb, each output checked by the Khronos glTF validator, and
# the command's errors.
# Usage: gltf_validate.sh WORK_DIR SOURCE_DIR FIXTURE_DIR VALIDATOR_DIR MVLTOOL [EMULATOR...]
# Exits 77 (skipped) when node is missing outside CI, after the other checks.
set -uo pipefail
work=$1
source_dir=$2
fixtures=$3
validator=$4
shift 4
tool=("$@")
# Under an emulator the tool is the first argument after it.
if [ ${#tool[@]} -gt 1 ]; then tool=("${tool[@]:1}" "${tool[0]}"); fi

rm -rf "$work" && mkdir -p "$work/robot" "$work/figure" && cd "$work" || exit 1
cp "$source_dir"/examples/robot/* robot/
cp "$fixtures"/x/test.x "$fixtures"/x/test.png "$fixtures"/x/kwxport_test_cubewithvcolors.x figure/
cp "$source_dir"/tools/mvltool/tests/sample.json .
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
run() { "${tool[@]}" "$@"; }

# expect_error "text" ARGS...: exit 1, one line on stderr holding the text.
expect_error() {
  local wanted=$1
  shift
  run "$@" >out.txt 2>err.txt
  local status=$?
  [ "$status" -eq 1 ] || fail "$*: exit status $status"
  local lines
  lines=$(wc -l <err.txt)
  [ "$lines" -eq 1 ] || fail "$*: $lines lines on stderr: $(cat err.txt)"
  grep -qF -- "$wanted" err.txt || fail "$*: stderr lacks '$wanted': $(cat err.txt)"
}

# The fixture figure: a textured cube (PNG), a cube with vertex colours whose
# textures name another machine's files, and a part that is not there. Slot 0
# changes part, slot 1 is missing from the middle frame.
cat >figure/figure.json <<'JSON'
{"parts": [{"fileName": ".\\test.x"}, {"fileName": ".\\kwxport_test_cubewithvcolors.x"},
           {"fileName": ".\\missing.x"}],
 "motions": [{"name": "交代", "frames": [
   {"comment": "a", "positions": [
     {"partNumber": 0, "scale": [1, 1, 1], "rotation": [10, 20, 30], "translation": [1, 2, 3]},
     {"partNumber": 1, "scale": [1, 1, 1], "diffuse": [0, 0, 0, -0.5]}]},
   {"comment": "b", "positions": [
     {"partNumber": 1, "scale": [2, 2, 2], "rotation": [0, 90, 0]}]},
   {"comment": "c", "positions": [
     {"partNumber": 0, "scale": [1, 1, 1]}, {"partNumber": 2, "scale": [1, 1, 1]}]}]}]}
JSON
run build figure/figure.json -o figure/figure.mvl || fail "build figure.mvl"

run gltf robot/robot.mvl -o robot.gltf 2>warnings.txt || fail "gltf robot.gltf"
[ ! -s warnings.txt ] || fail "robot.gltf warned: $(cat warnings.txt)"
for image in robot_face.png robot_torso.png; do
  [ -s "$image" ] || fail "robot.gltf: no $image beside it"
done
run gltf robot/robot.mvl -o robot.glb || fail "gltf robot.glb"
run gltf robot/robot.mvl -o wave.gltf --motion 1 --fps 30 || fail "gltf --motion 1 --fps 30"
grep -qF '"name": "wave"' wave.gltf || fail "wave.gltf lacks the wave animation"
! grep -qF '"name": "walk"' wave.gltf || fail "wave.gltf holds the walk motion too"
run gltf figure/figure.mvl -o figure.gltf 2>warnings.txt || fail "gltf figure.gltf"
[ "$(grep -c 'warning: part 1 .*texture' warnings.txt)" -eq 3 ] || fail "texture warnings: $(cat warnings.txt)"
grep -qF 'warning: part 2 (.\missing.x)' warnings.txt || fail "no warning for the missing part: $(cat warnings.txt)"
grep -qF '"name": "交代"' figure.gltf || fail "motion name not in UTF-8"
run gltf figure/figure.mvl -o figure.glb 2>/dev/null || fail "gltf figure.glb"
[ -s figure_test.png ] && cmp -s figure_test.png figure/test.png || fail "test.png not kept as it was"
run gltf sample.json -o x.gltf >/dev/null 2>&1 && fail "a JSON file exported"

# Errors: exit 1, one line, no output file.
run build sample.json -o locked.mvl || fail "build locked.mvl"
expect_error 'wrong user code' gltf locked.mvl -o x.gltf
expect_error 'cannot be read' gltf missing.mvl -o x.gltf
head -c 100 robot/robot.mvl >short.mvl
expect_error 'cannot be read' gltf short.mvl -o x.gltf
expect_error 'must end in .gltf or .glb' gltf robot/robot.mvl -o x.obj
expect_error '--fps' gltf robot/robot.mvl -o x.gltf --fps 0
expect_error '--fps' gltf robot/robot.mvl -o x.gltf --fps 61
expect_error '--fps' gltf robot/robot.mvl -o x.gltf --fps 2.5
expect_error '--motion: the file has 2 motions' gltf robot/robot.mvl -o x.gltf --motion 2
expect_error 'usage' gltf robot/robot.mvl
expect_error 'cannot be written' gltf robot/robot.mvl -o no/such/folder/x.glb
[ ! -e x.gltf ] && [ ! -e x.glb ] || fail "a failed export left a file"
run gltf locked.mvl --code 秘密 -o locked.glb 2>/dev/null || fail "gltf with the user code"
run gltf figure/figure.mvl -o looped.glb --loop 2>/dev/null || fail "gltf --loop"

# Imports: the robot's export and a small OBJ become figures that export again.
run gltf-import robot.glb -o robot_figure >import.txt 2>warnings.txt || fail "gltf-import robot.glb: $(cat warnings.txt)"
grep -qF '12 parts, 2 motions' import.txt || fail "gltf-import robot.glb: $(cat import.txt)"
[ -s robot_figure/robot.mvl ] && [ "$(ls robot_figure/*.png | wc -l)" -eq 2 ] ||
  fail "gltf-import: no robot_figure/robot.mvl or not its two textures"
run gltf robot_figure/robot.mvl -o again.glb 2>warnings.txt || fail "the imported robot does not export: $(cat warnings.txt)"
expect_error 'exists' gltf-import robot.glb -o robot_figure
run gltf-import robot.glb -o robot_figure --force --keys --fps 25 >/dev/null || fail "gltf-import --force"
printf '{"asset": {"version": "2.0"}, "buffers": [{"byteLength": 4, "uri": "../secret.bin"}]}' >climbing.gltf
expect_error 'refused' gltf-import climbing.gltf -o climbing
expect_error '--fps' gltf-import robot.glb -o x --fps 0
[ ! -e climbing ] && [ ! -e x ] || fail "a failed import left a folder"
printf 'mtllib cube.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\no tri\nusemtl red\nf 1 2 3\n' >cube.obj
printf 'newmtl red\nKd 1 0 0\n' >cube.mtl
run obj-import cube.obj -o cube_figure >import.txt || fail "obj-import"
grep -qF '1 parts, 1 motions, 1 frames' import.txt || fail "obj-import: $(cat import.txt)"
run gltf cube_figure/cube.mvl -o cube.glb || fail "the imported OBJ does not export"

status=0
if ! command -v node >/dev/null; then
  if [ "${CI:-}" = true ]; then
    fail "node is missing (scripts/setup.sh installs it)"
  else
    echo "SKIP: node is not installed: the glTF files were not validated"
    status=77
  fi
else
  node "$source_dir/tools/mvltool/tests/validate_gltf.mjs" "$validator" \
    robot.gltf robot.glb wave.gltf figure.gltf figure.glb locked.glb looped.glb again.glb cube.glb ||
    fail "glTF validation"
fi

if [ "$failures" -ne 0 ]; then exit 1; fi
echo "mvltool gltf end-to-end: all passed"
exit $status
