# libFuzzer targets, built in the sanitized tree (clang; AddressSanitizer and
# UndefinedBehaviorSanitizer on every object, MorvelSanitizing.cmake). Every
# object also carries libFuzzer's coverage, which the unit tests there
# ignore. Each target is also a ctest test that replays its seed corpus, so
# a regression fails the test run.
if(MORVEL_FUZZERS)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# morvel_add_fuzzer(name SOURCES ... LIBRARIES ... CORPUS dir)
function(morvel_add_fuzzer name)
  cmake_parse_arguments(ARG "" "CORPUS" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  set_property(GLOBAL APPEND PROPERTY MORVEL_FUZZERS "${name}|${ARG_CORPUS}")
  add_test(NAME ${name}_corpus COMMAND ${name} -runs=0 ${ARG_CORPUS})
  set_tests_properties(${name}_corpus PROPERTIES LABELS fuzz TIMEOUT 120
    ENVIRONMENT "ASAN_OPTIONS=detect_leaks=1;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
endfunction()

# Written at the end of the configure step: the list "name|corpus" that
# scripts/fuzz.sh runs for a given time.
function(morvel_write_fuzzer_list)
  get_property(fuzzers GLOBAL PROPERTY MORVEL_FUZZERS)
  string(REPLACE ";" "\n" text "${fuzzers}")
  file(WRITE ${CMAKE_BINARY_DIR}/fuzzers.txt "${text}\n")
endfunction()
