# The library as others install it: headers, the shared library with its
# SONAME, a CMake package (MvlLib::MvlLib) and a pkg-config file. Components:
# runtime (the library), development (the rest).
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(MVLLIB_SOVERSION 1)
set_target_properties(MvlLib PROPERTIES VERSION ${MVLLIB_SOVERSION}.0.0 SOVERSION ${MVLLIB_SOVERSION})

install(TARGETS MvlLib
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime NAMELINK_COMPONENT development)
install(FILES ${PROJECT_SOURCE_DIR}/mvllib/include/mvllib/mvllib.h
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/mvllib COMPONENT development)

set(package_dir ${CMAKE_INSTALL_LIBDIR}/cmake/MvlLib)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/MvlLibConfig.cmake.in
  ${CMAKE_BINARY_DIR}/mvllib-package/MvlLibConfig.cmake INSTALL_DESTINATION ${package_dir})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/mvllib-package/MvlLibConfigVersion.cmake
  VERSION ${MVLLIB_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/mvllib-package/MvlLibConfig.cmake
              ${CMAKE_BINARY_DIR}/mvllib-package/MvlLibConfigVersion.cmake
  DESTINATION ${package_dir} COMPONENT development)

# Relocatable: the prefix is found from where the file lies.
file(RELATIVE_PATH MVLLIB_PC_PREFIX /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
string(REGEX REPLACE "/$" "" MVLLIB_PC_PREFIX "${MVLLIB_PC_PREFIX}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/mvllib.pc.in ${CMAKE_BINARY_DIR}/mvllib-package/mvllib.pc
  @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/mvllib-package/mvllib.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT development)
