# The versions (MorvelVersionNumbers.cmake) for the code, the Windows version
# resources and the packages.
include(${CMAKE_CURRENT_LIST_DIR}/MorvelVersionNumbers.cmake)

# "2.01" as the four numbers of a version resource: 2,1,0,0.
function(morvel_version_numbers text out)
  string(REPLACE "." ";" parts "${text}")
  list(GET parts 0 major)
  list(GET parts 1 minor)
  math(EXPR minor "${minor}")  # "01" -> 1
  set(${out} "${major},${minor},0,0" PARENT_SCOPE)
endfunction()
morvel_version_numbers(${MORVEL_PROGRAM_VERSION} MORVEL_PROGRAM_VERSION_NUMBERS)
morvel_version_numbers(${MVLLIB_VERSION} MVLLIB_VERSION_NUMBERS)

# morvel/version.h for the code; a header-only library at the bottom layer.
configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in
  ${CMAKE_BINARY_DIR}/generated/version/morvel/version.h @ONLY)
add_library(morvel_version INTERFACE)
target_include_directories(morvel_version INTERFACE ${CMAKE_BINARY_DIR}/generated/version)
set_target_properties(morvel_version PROPERTIES MORVEL_LAYER base MORVEL_HEADERS_AS morvel
  MORVEL_PORTABLE ON)
set_property(GLOBAL APPEND PROPERTY MORVEL_LIBRARIES morvel_version)

# A VERSIONINFO resource for a Windows program or DLL: what Explorer's
# Properties page shows.
function(morvel_version_resource target description original_name)
  if(NOT WIN32)
    return()
  endif()
  if(original_name MATCHES "\\.dll$")
    set(MORVEL_RESOURCE_FILE_TYPE "VFT_DLL")
    set(MORVEL_RESOURCE_VERSION "${MVLLIB_VERSION}")
    set(MORVEL_RESOURCE_NUMBERS "${MVLLIB_VERSION_NUMBERS}")
    set(MORVEL_RESOURCE_PRODUCT "MvlLib")
  else()
    set(MORVEL_RESOURCE_FILE_TYPE "VFT_APP")
    set(MORVEL_RESOURCE_VERSION "${MORVEL_PROGRAM_VERSION}")
    set(MORVEL_RESOURCE_NUMBERS "${MORVEL_PROGRAM_VERSION_NUMBERS}")
    set(MORVEL_RESOURCE_PRODUCT "${MORVEL_PRODUCT_NAME}")
  endif()
  set(MORVEL_RESOURCE_DESCRIPTION "${description}")
  set(MORVEL_RESOURCE_ORIGINAL_NAME "${original_name}")
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/version_info.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()
