// Which decoder a buffer needs, from its first bytes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace morvel::formats::image {

// Tga stands for anything without a known signature: TGA has none, and
// stb_image decides whether the bytes make one.
enum class ImageFileFormat { Bmp, Dds, Png, Jpg, Ppm, Tga };

ImageFileFormat DetectImageFormat(const uint8_t *data, size_t size);
const char *ImageFileFormatName(ImageFileFormat format);
// "A8R8G8B8", "DXT1", ... or "UNKNOWN".
const char *TextureFormatName(uint32_t format);

}  // namespace morvel::formats::image
