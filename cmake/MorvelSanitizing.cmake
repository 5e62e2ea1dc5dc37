# The sanitized tree (build/asan): every object of every unit test program
# under AddressSanitizer (with LeakSanitizer) and UndefinedBehaviorSanitizer,
# and the first report ends the program, so that ctest sees it as a failure.
if(MORVEL_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
  set(MORVEL_SANITIZER_ENVIRONMENT
    "ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:detect_stack_use_after_return=1:strict_string_checks=1"
    "UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1"
    "LSAN_OPTIONS=report_objects=1")
endif()
