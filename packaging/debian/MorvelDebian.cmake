# Debian packages of the native tree, written by CPack (scripts/package.sh):
# libmvllib1 (the shared library), libmvllib-dev (header, CMake package,
# pkg-config file) and mvltool. Each carries its copyright and changelog in
# /usr/share/doc/<package>, as Debian's policy asks.
include(GNUInstallDirs)

install(TARGETS mvltool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT tool)
configure_file(${CMAKE_CURRENT_LIST_DIR}/mvltool.1 ${CMAKE_BINARY_DIR}/debian-doc/mvltool.1 @ONLY)
execute_process(COMMAND gzip -9nf ${CMAKE_BINARY_DIR}/debian-doc/mvltool.1)
install(FILES ${CMAKE_BINARY_DIR}/debian-doc/mvltool.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
  COMPONENT tool)

set(MORVEL_DEB_PACKAGES runtime:libmvllib1:${MVLLIB_VERSION} development:libmvllib-dev:${MVLLIB_VERSION}
  tool:mvltool:${MORVEL_PROGRAM_VERSION})
foreach(entry IN LISTS MORVEL_DEB_PACKAGES)
  string(REPLACE ":" ";" entry ${entry})
  list(GET entry 0 component)
  list(GET entry 1 PACKAGE)
  list(GET entry 2 VERSION)
  set(doc ${CMAKE_BINARY_DIR}/debian-doc/${PACKAGE})
  configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.in ${doc}/changelog @ONLY)
  # gzip -9n: no name or time in the header, so the package is reproducible.
  execute_process(COMMAND gzip -9nf ${doc}/changelog)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright ${doc}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${PACKAGE} COMPONENT ${component})
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME morvel)
set(CPACK_PACKAGE_VENDOR ${MORVEL_COMPANY})
set(CPACK_PACKAGE_CONTACT "Kelvarin <support@kelvarin.example>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
# One version per run: scripts/package.sh runs CPack for the library's
# packages and for mvltool's with CPACK_COMPONENTS_ALL and the version set.
set(CPACK_PACKAGE_VERSION ${MVLLIB_VERSION})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# mvltool's dependency on libmvllib1 is found in this build's library.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/lib)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://kelvarin.example/morvel")

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME libmvllib1)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
# The library's cache is refreshed through dpkg's ldconfig trigger.
configure_file(${CMAKE_CURRENT_LIST_DIR}/libmvllib1.triggers
  ${CMAKE_BINARY_DIR}/debian-control/libmvllib1/triggers COPYONLY)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA ${CMAKE_BINARY_DIR}/debian-control/libmvllib1/triggers)
set(CPACK_COMPONENT_RUNTIME_DESCRIPTION "motion files of Morvel for Direct3D games (library)
MvlLib loads the motion files (.mvl) that the Morvel editor saves: the
figure's parts and each motion's frames, each frame placing every part with
a scale, a translation, a rotation and colour offsets. Seven C functions
initialise, load, copy and release a motion document.")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libmvllib-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_DEPENDS "libmvllib1 (= ${MVLLIB_VERSION})")
set(CPACK_COMPONENT_DEVELOPMENT_DESCRIPTION "motion files of Morvel for Direct3D games (development files)
The C header of MvlLib, its CMake package (find_package(MvlLib), target
MvlLib::MvlLib) and its pkg-config file (mvllib).")

set(CPACK_DEBIAN_TOOL_PACKAGE_NAME mvltool)
set(CPACK_DEBIAN_TOOL_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_TOOL_PACKAGE_DEPENDS "libmvllib1 (>= ${MVLLIB_VERSION})")
set(CPACK_COMPONENT_TOOL_DESCRIPTION "command-line companion of the Morvel motion editor
mvltool inspects motion files, dumps them as JSON and builds them from it,
exports and imports single motions, and exports a figure with its motions
as glTF 2.0; it also shows what an X file or an image holds.")

include(CPack)
