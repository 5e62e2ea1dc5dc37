# The one place the versions live. The program's version reaches the title
# bar, the version dialog, the Windows version resources, mvltool --version
# and the packages; the library's version reaches Mvl_Func_GetVersion, its
# version resource, the SDK's CMake and pkg-config files and its packages.
# The packaging scripts read them with `cmake -P cmake/print_versions.cmake`.
set(MORVEL_PRODUCT_NAME "Morvel")
set(MORVEL_PROGRAM_VERSION "2.01")
set(MVLLIB_VERSION "1.00")
set(MORVEL_COMPANY "Kelvarin")
