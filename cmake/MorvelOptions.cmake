# Compiler settings shared by every target of every build tree.

if(WIN32)
  set(MORVEL_NATIVE OFF)
else()
  set(MORVEL_NATIVE ON)
endif()

# Literals are written in UTF-8 and stored as code page 932 bytes, so a text
# has the same bytes on every target. clang knows no execution character set
# but UTF-8: its trees (fuzz, asan) compile a source with such literals from
# a copy whose literals are escaped code page 932 bytes.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  add_compile_options(-finput-charset=UTF-8 -fexec-charset=CP932)
elseif(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  set(launcher ${Python3_EXECUTABLE} ${CMAKE_CURRENT_LIST_DIR}/cp932_literals.py
      ${CMAKE_BINARY_DIR}/cp932-sources)
  set(CMAKE_C_COMPILER_LAUNCHER ${launcher})
  set(CMAKE_CXX_COMPILER_LAUNCHER ${launcher})
endif()
add_compile_options(-Wall -Wextra)
# Single-precision results must not depend on x87 excess precision: the
# 32-bit Windows tree computes in SSE registers like the 64-bit trees.
if(MINGW AND CMAKE_SIZEOF_VOID_P EQUAL 4)
  add_compile_options(-msse2 -mfpmath=sse)
endif()

if(MINGW)
  # Static runtimes: the programs and the DLL run without MinGW's DLLs beside them.
  set(MORVEL_STATIC_RUNTIME -static -static-libgcc -static-libstdc++)
  add_link_options(${MORVEL_STATIC_RUNTIME})
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
endif()


# Header-only libraries from Debian (stb, nlohmann-json) for every tree. The
# MinGW compilers must not see /usr/include as a whole, so each tree gets a
# folder of its own that links to just these headers.
set(MORVEL_HOST_HEADERS ${CMAKE_BINARY_DIR}/host-headers)
file(MAKE_DIRECTORY ${MORVEL_HOST_HEADERS})
foreach(lib stb nlohmann)
  if(NOT EXISTS ${MORVEL_HOST_HEADERS}/${lib})
    file(CREATE_LINK /usr/include/${lib} ${MORVEL_HOST_HEADERS}/${lib} SYMBOLIC)
  endif()
endforeach()
add_library(morvel_stb INTERFACE)
target_include_directories(morvel_stb SYSTEM INTERFACE ${MORVEL_HOST_HEADERS})
add_library(morvel::stb ALIAS morvel_stb)
# tiny_gltf.h is one file in /usr/include (libtinygltf-dev). Debian builds
# its implementation into a shared library the MinGW trees cannot link, so
# every tree compiles it from the header instead (formats/gltf).
if(EXISTS /usr/include/tiny_gltf.h AND NOT EXISTS ${MORVEL_HOST_HEADERS}/tiny_gltf.h)
  file(CREATE_LINK /usr/include/tiny_gltf.h ${MORVEL_HOST_HEADERS}/tiny_gltf.h SYMBOLIC)
endif()
# tiny_obj_loader.h likewise (libtinyobjloader-dev), compiled in formats/obj.
if(EXISTS /usr/include/tiny_obj_loader.h AND NOT EXISTS ${MORVEL_HOST_HEADERS}/tiny_obj_loader.h)
  file(CREATE_LINK /usr/include/tiny_obj_loader.h ${MORVEL_HOST_HEADERS}/tiny_obj_loader.h SYMBOLIC)
endif()
add_library(morvel_tinyobjloader INTERFACE)
target_include_directories(morvel_tinyobjloader SYSTEM INTERFACE ${MORVEL_HOST_HEADERS})
add_library(morvel_nlohmann_json INTERFACE)
target_include_directories(morvel_nlohmann_json SYSTEM INTERFACE ${MORVEL_HOST_HEADERS})
add_library(morvel::nlohmann_json ALIAS morvel_nlohmann_json)

# zlib: the system's natively, MinGW's static libz.a in the Windows trees.
add_library(morvel_zlib INTERFACE)
if(WIN32)
  find_library(MORVEL_MINGW_ZLIB NAMES libz.a z REQUIRED)
  find_path(MORVEL_MINGW_ZLIB_INCLUDE zlib.h REQUIRED)
  target_link_libraries(morvel_zlib INTERFACE ${MORVEL_MINGW_ZLIB})
  target_include_directories(morvel_zlib SYSTEM INTERFACE ${MORVEL_MINGW_ZLIB_INCLUDE})
else()
  find_package(ZLIB REQUIRED)
  target_link_libraries(morvel_zlib INTERFACE ZLIB::ZLIB)
endif()

# The Windows programs and the DLL keep their debug information in a file of
# their own beside them (NAME.debug, found through a debug link): Wine maps
# the whole image file at every start, and a program without megabytes of
# debug sections starts sooner.
function(morvel_split_debug_info target)
  if(NOT MINGW)
    return()
  endif()
  set(objcopy ${MORVEL_MINGW_PREFIX}-objcopy)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${objcopy} --only-keep-debug $<TARGET_FILE:${target}> $<TARGET_FILE:${target}>.debug
    COMMAND ${objcopy} --strip-all --add-gnu-debuglink=$<TARGET_FILE:${target}>.debug
            $<TARGET_FILE:${target}>
    VERBATIM)
endfunction()
