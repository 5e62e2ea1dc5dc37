#include "formats/image/png_encoder.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_write.h>

namespace morvel::formats::image {
namespace {

void Append(void *context, void *data, int size) {
    auto *out = static_cast<std::vector<uint8_t> *>(context);
    const auto *bytes = static_cast<const uint8_t *>(data);
    out->insert(out->end(), bytes, bytes + size);
}

}  // namespace

std::vector<uint8_t> EncodePng(const ArgbImage &image) {
    const int components = image.hasAlpha ? 4 : 3;
    std::vector<uint8_t> pixels;
    pixels.reserve(image.pixels.size() * static_cast<size_t>(components));
    for (const uint32_t argb : image.pixels) {
        pixels.push_back(static_cast<uint8_t>(argb >> 16));
        pixels.push_back(static_cast<uint8_t>(argb >> 8));
        pixels.push_back(static_cast<uint8_t>(argb));
        if (image.hasAlpha) pixels.push_back(static_cast<uint8_t>(argb >> 24));
    }
    std::vector<uint8_t> png;
    const int width = static_cast<int>(image.width);
    if (stbi_write_png_to_func(Append, &png, width, static_cast<int>(image.height), components,
                               pixels.data(), width * components) == 0) {
        png.clear();
    }
    return png;
}

}  // namespace morvel::formats::image
