// Paths inside documents and from the choosers are Windows paths in code
// page 932. On Windows they are used as they are; elsewhere each '\' that is
// a character of its own becomes '/', so native builds open the same files.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace morvel::base {

// The path as the host's file functions take it.
std::string HostPath(std::string_view windowsPath);

// Index of the first byte after the last '\' or '/' separator (0 without one).
size_t FileNameStart(std::string_view path);

// Whether path ends in extension (".glb"), its ASCII letters in either
// case, as Windows matches names.
bool HasExtension(std::string_view path, std::string_view extension);

}  // namespace morvel::base
