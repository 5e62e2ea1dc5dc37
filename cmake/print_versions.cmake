# Prints the versions as shell assignments: eval "$(cmake -P cmake/print_versions.cmake)"
include(${CMAKE_CURRENT_LIST_DIR}/MorvelVersionNumbers.cmake)
foreach(name MORVEL_PRODUCT_NAME MORVEL_PROGRAM_VERSION MVLLIB_VERSION MORVEL_COMPANY)
  execute_process(COMMAND ${CMAKE_COMMAND} -E echo "${name}=${${name}}")
endforeach()
