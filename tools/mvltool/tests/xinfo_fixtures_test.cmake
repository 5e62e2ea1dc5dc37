# mvltool xinfo on the shared fixture files: the whole output, line for line,
# and one line on stderr with a non-zero exit for a file that is no X file.
function(run_xinfo file)
  execute_process(COMMAND ${MVLTOOL} xinfo ${file} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  set(status "${status}" PARENT_SCOPE)
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

# The fixtures live beside the repository. Without them (or with the
# folder MORVEL_FIXTURES_DIR names instead missing them) the test is skipped,
# naming what is missing; with CI set, where they are always present, a
# missing fixture fails.
if(DEFINED ENV{MORVEL_FIXTURES_DIR} AND NOT "$ENV{MORVEL_FIXTURES_DIR}" STREQUAL "")
  set(FIXTURES "$ENV{MORVEL_FIXTURES_DIR}")
endif()
set(missing "")
foreach(file test_cube_text.x test_cube_binary.x test_cube_compressed.x test.x
             kwxport_test_cubewithvcolors.x anim_test.x BCN_Epileptic.X test.png)
  if(NOT EXISTS "${FIXTURES}/x/${file}")
    list(APPEND missing "x/${file}")
  endif()
endforeach()
if(missing)
  string(REPLACE ";" ", " missing "${missing}")
  if(DEFINED ENV{CI} AND NOT "$ENV{CI}" STREQUAL "")
    message(FATAL_ERROR "missing fixtures in ${FIXTURES}: ${missing}")
  endif()
  message("skipped: missing fixtures in ${FIXTURES}: ${missing} (CI unset)")
  return()
endif()

foreach(pair "test_cube_text.x=test_cube" "test_cube_binary.x=test_cube" "test_cube_compressed.x=test_cube"
             "test.x=test" "kwxport_test_cubewithvcolors.x=kwxport_test_cubewithvcolors"
             "anim_test.x=anim_test" "BCN_Epileptic.X=BCN_Epileptic")
  string(REPLACE "=" ";" parts "${pair}")
  list(GET parts 0 file)
  list(GET parts 1 expected_name)
  run_xinfo(${FIXTURES}/x/${file})
  file(READ ${EXPECTED}/${expected_name}.txt expected)
  if(NOT status EQUAL 0 OR NOT out STREQUAL expected OR NOT err STREQUAL "")
    message(FATAL_ERROR "xinfo ${file}: exit ${status}\n--- got\n${out}${err}--- expected\n${expected}")
  endif()
endforeach()

run_xinfo(${FIXTURES}/x/test.png)
string(REGEX MATCHALL "\n" newlines "${err}")
list(LENGTH newlines lines)
if(status EQUAL 0 OR NOT out STREQUAL "" OR NOT lines EQUAL 1 OR NOT err MATCHES "test.png: not an X file")
  message(FATAL_ERROR "xinfo on a PNG: exit ${status}, stdout '${out}', stderr '${err}'")
endif()
