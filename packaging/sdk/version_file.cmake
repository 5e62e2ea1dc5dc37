# Writes the SDK's MvlLibConfigVersion.cmake (one for both architectures):
#   cmake -DOUT=FILE -DVERSION=1.00 -P version_file.cmake
include(CMakePackageConfigHelpers)
write_basic_package_version_file(${OUT} VERSION ${VERSION} COMPATIBILITY SameMajorVersion
  ARCH_INDEPENDENT)
