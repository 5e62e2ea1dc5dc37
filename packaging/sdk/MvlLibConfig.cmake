# MvlLib's CMake package in the Windows SDK: find_package(MvlLib 1.0 CONFIG)
# gives the imported target MvlLib::MvlLib for the x64 or x86 build, with
# the import library of the compiler in use (MSVC's MvlLib.lib or MinGW's
# libMvlLib.dll.a).
get_filename_component(_mvllib_root "${CMAKE_CURRENT_LIST_DIR}/../../.." ABSOLUTE)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(_mvllib_arch x64)
else()
  set(_mvllib_arch x86)
endif()
if(MSVC)
  set(_mvllib_implib "${_mvllib_root}/${_mvllib_arch}/lib/MvlLib.lib")
else()
  set(_mvllib_implib "${_mvllib_root}/${_mvllib_arch}/lib/libMvlLib.dll.a")
endif()

if(NOT TARGET MvlLib::MvlLib)
  add_library(MvlLib::MvlLib SHARED IMPORTED)
  set_target_properties(MvlLib::MvlLib PROPERTIES
    IMPORTED_LOCATION "${_mvllib_root}/${_mvllib_arch}/bin/MvlLib.dll"
    IMPORTED_IMPLIB "${_mvllib_implib}"
    INTERFACE_INCLUDE_DIRECTORIES "${_mvllib_root}/include")
endif()
unset(_mvllib_root)
unset(_mvllib_arch)
unset(_mvllib_implib)
