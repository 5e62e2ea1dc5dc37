#include "formats/image/image_format.h"

#include <cstring>

#include "formats/image/texture_types.h"

namespace morvel::formats::image {

ImageFileFormat DetectImageFormat(const uint8_t *data, size_t size) {
    auto startsWith = [&](const char *magic, size_t n) { return size >= n && std::memcmp(data, magic, n) == 0; };
    if (startsWith("BM", 2)) return ImageFileFormat::Bmp;
    if (startsWith("DDS ", 4)) return ImageFileFormat::Dds;
    if (startsWith("\x89PNG\r\n\x1a\n", 8)) return ImageFileFormat::Png;
    if (startsWith("\xFF\xD8\xFF", 3)) return ImageFileFormat::Jpg;
    if (size >= 2 && data[0] == 'P' && (data[1] == '5' || data[1] == '6')) return ImageFileFormat::Ppm;
    return ImageFileFormat::Tga;
}

const char *ImageFileFormatName(ImageFileFormat format) {
    switch (format) {
    case ImageFileFormat::Bmp: return "BMP";
    case ImageFileFormat::Dds: return "DDS";
    case ImageFileFormat::Png: return "PNG";
    case ImageFileFormat::Jpg: return "JPG";
    case ImageFileFormat::Ppm: return "PPM";
    case ImageFileFormat::Tga: return "TGA";
    }
    return "UNKNOWN";
}

const char *TextureFormatName(uint32_t format) {
    switch (format) {
    case kFormatR8G8B8: return "R8G8B8";
    case kFormatA8R8G8B8: return "A8R8G8B8";
    case kFormatX8R8G8B8: return "X8R8G8B8";
    case kFormatR5G6B5: return "R5G6B5";
    case kFormatX1R5G5B5: return "X1R5G5B5";
    case kFormatA1R5G5B5: return "A1R5G5B5";
    case kFormatA4R4G4B4: return "A4R4G4B4";
    case kFormatDxt1: return "DXT1";
    case kFormatDxt3: return "DXT3";
    case kFormatDxt5: return "DXT5";
    default: return "UNKNOWN";
    }
}

}  // namespace morvel::formats::image
