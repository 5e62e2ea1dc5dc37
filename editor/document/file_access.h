// The portable file layer: paths inside documents and from the choosers are
// Windows paths; they are opened as they are on Windows and with '\' turned
// into '/' elsewhere, so native tests see what the Windows program sees.
#pragma once

#include <cstdio>
#include <string>

namespace morvel::document {

std::string NativePath(const std::string &path);

std::FILE *OpenFileAsOnWindows(const std::string &path, const char *mode);

bool FileExists(const std::string &path);

}  // namespace morvel::document
