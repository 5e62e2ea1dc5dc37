// Files named by Windows paths (see windows_path.h), opened the same way on
// every host.
#pragma once

#include <cstdio>
#include <string_view>

namespace morvel::base {

std::FILE *OpenFileAsOnWindows(std::string_view windowsPath, const char *mode);

bool FileExists(std::string_view windowsPath);

}  // namespace morvel::base
