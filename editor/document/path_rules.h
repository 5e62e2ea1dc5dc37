// The extension rules the save flows apply to chosen paths. Paths are code
// page 932 text, whose second bytes may equal '\'; they are scanned
// character by character.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace morvel::document {

// ".mvl" is appended unless the path ends in exactly ".mvl" (case matters);
// a path of four bytes or fewer is returned as it is.
std::string WithMotionFileExtension(std::string_view path);

// Everything after the first '.' of the file name is replaced by "mvx"; a
// file name without a dot gets ".mvx" appended. Dots in folder names are
// not looked at.
std::string WithExportFileExtension(std::string_view path);

}  // namespace morvel::document
