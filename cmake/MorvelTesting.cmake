# GoogleTest is built from Debian's sources for each tree, so every tree
# tests with the same framework.
include(CTest)

if(BUILD_TESTING AND MORVEL_TEST_PROGRAMS AND NOT TARGET gtest)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endif()

# Test code is never shipped nor stepped through in these trees: built
# without debug information and lightly optimised, it compiles in two thirds
# of the time. The code under test keeps the tree's own flags, the
# sanitized tree keeps its line tables for its reports, and a Debug tree
# keeps everything debuggable.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND NOT MORVEL_SANITIZE AND NOT CMAKE_BUILD_TYPE STREQUAL "Debug")
  set(MORVEL_TEST_CODE_FLAGS -g0 -O1)
else()
  set(MORVEL_TEST_CODE_FLAGS "")
endif()
foreach(framework gtest gtest_main gmock gmock_main)
  if(TARGET ${framework})
    target_compile_options(${framework} PRIVATE ${MORVEL_TEST_CODE_FLAGS})
  endif()
endforeach()

include(GoogleTest)

# Unit test programs exist in the native, win64 and sanitized trees; the win32
# tree, which cannot run them, builds the deliverables only.
if(BUILD_TESTING AND MORVEL_TEST_PROGRAMS)
  set(MORVEL_UNIT_TESTS ON)
else()
  set(MORVEL_UNIT_TESTS OFF)
endif()

# Where the tests find the repository and the shared fixtures. Windows test
# programs see the Linux file system through Wine's drive Z:.
get_filename_component(MORVEL_FIXTURES_HOST_DIR "${PROJECT_SOURCE_DIR}/../shared/fixtures" ABSOLUTE)
if(CMAKE_CROSSCOMPILING)
  set(MORVEL_TEST_PATH_PREFIX "Z:")
else()
  set(MORVEL_TEST_PATH_PREFIX "")
endif()

# One test program per library. Natively every test case is its own ctest
# test; under Wine the whole program is one test, since each start of a
# Windows program costs far more than the tests in it.
function(morvel_add_test_program name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
  target_compile_options(${name} PRIVATE ${MORVEL_TEST_CODE_FLAGS})
  target_compile_definitions(${name} PRIVATE
    MORVEL_SOURCE_DIR="${MORVEL_TEST_PATH_PREFIX}${PROJECT_SOURCE_DIR}"
    MORVEL_FIXTURES_DIR="${MORVEL_TEST_PATH_PREFIX}${MORVEL_FIXTURES_HOST_DIR}")
  if(CMAKE_CROSSCOMPILING)
    if(MORVEL_RUN_WINDOWS_TESTS)
      add_test(NAME ${name} COMMAND ${name})
      set_tests_properties(${name} PROPERTIES LABELS "wine;${ARG_LABELS}" TIMEOUT 600)
    endif()
  else()
    if(MORVEL_SANITIZE)
      gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS "native;${ARG_LABELS}"
        ENVIRONMENT "${MORVEL_SANITIZER_ENVIRONMENT}")
    else()
      gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES LABELS "native;${ARG_LABELS}")
    endif()
  endif()
endfunction()

# A benchmark program: Google Benchmark natively; in the Windows trees the
# stand-in of tests/support (bench_api.h), run under Wine as a timed tool.
function(morvel_add_benchmark name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
  if(NOT WIN32)
    find_package(benchmark REQUIRED)
    target_link_libraries(${name} PRIVATE benchmark::benchmark)
  endif()
endfunction()
