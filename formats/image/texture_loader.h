// Texture loading with the defaults of the D3DX texture loaders: size
// rounded up to powers of two, a full mip chain, alpha kept where the image
// has it, no colour key. Formats: BMP (and bitmap-resource DIBs), PNG, JPG,
// TGA, PPM/PGM and DDS.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "formats/image/texture_types.h"

namespace morvel::formats::image {

// path is a Windows path as documents hold it; '\' is mapped to '/' on POSIX.
LoadResult LoadTextureFromFile(const std::string &path, TextureData &out);
LoadResult LoadTextureFromMemory(const uint8_t *data, size_t size, TextureData &out);
// The bytes of a bitmap resource: a BITMAPINFOHEADER, colour table and bits,
// without the file header.
LoadResult LoadTextureFromDib(const uint8_t *data, size_t size, TextureData &out);

}  // namespace morvel::formats::image
