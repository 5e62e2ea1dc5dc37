// Any supported image file to ARGB, whatever its format (DXT surfaces
// decoded too). The texture loader keeps DXT compressed instead.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "formats/image/argb_image.h"
#include "formats/image/texture_types.h"

namespace morvel::formats::image {

LoadResult DecodeImage(const uint8_t *data, size_t size, ArgbImage &out);

// Reads a whole file; path is a Windows path, '\' becomes '/' on POSIX.
LoadResult ReadImageFile(const std::string &path, std::vector<uint8_t> &bytes);

}  // namespace morvel::formats::image
