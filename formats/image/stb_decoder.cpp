#include "formats/image/stb_decoder.h"

#include <stb/stb_image.h>

#include <climits>
#include <memory>
#include <string>

#include "formats/image/image_format.h"
#include "formats/image/stb_image_settings.h"
#include "formats/image/stream_checks.h"

namespace morvel::formats::image {

static_assert(kStbMaxDimension == kMaxImageDimension, "one size bound for every decoder");

namespace {

// nullptr when the bytes may go to stb_image, else the reason they may not.
const char *RefuseBeforeStb(const uint8_t *data, size_t size) {
    switch (DetectImageFormat(data, size)) {
    case ImageFileFormat::Jpg: return JpegSegmentsSound(data, size) ? nullptr : "JPEG data truncated or corrupt";
    case ImageFileFormat::Tga:
        if (!LooksLikeTga(data, size)) return "unknown image format";
        return TgaDataComplete(data, size) ? nullptr : "TGA data truncated";
    case ImageFileFormat::Png: return PngChunksWhole(data, size) ? nullptr : "PNG data truncated";
    default: return nullptr;
    }
}

}  // namespace

LoadResult DecodeWithStb(const uint8_t *data, size_t size, ArgbImage &out) {
    out = ArgbImage{};
    if (size == 0 || size > size_t{INT_MAX}) return {false, "unreadable image"};
    const int length = static_cast<int>(size);
    // Our own structure checks come first: stb trusts some counts even while
    // reading the header.
    if (const char *refusal = RefuseBeforeStb(data, size)) return {false, refusal};
    int width = 0, height = 0, components = 0;
    // The header alone next, so a hostile size fails before stb allocates.
    if (!stbi_info_from_memory(data, length, &width, &height, &components))
        return {false, std::string("unreadable image: ") + stbi_failure_reason()};
    if (width <= 0 || height <= 0 || !ImageSizeAllowed(uint64_t(width), uint64_t(height)))
        return {false, "image too large"};

    // The file's own channel count, expanded to ARGB below.
    std::unique_ptr<stbi_uc, void (*)(void *)> decoded(
        stbi_load_from_memory(data, length, &width, &height, &components, 0), stbi_image_free);
    if (!decoded) return {false, std::string("image data corrupt: ") + stbi_failure_reason()};
    if (!ImageSizeAllowed(uint64_t(width), uint64_t(height))) return {false, "image too large"};
    if (components < 1 || components > 4) return {false, "image data corrupt"};

    out.width = static_cast<uint32_t>(width);
    out.height = static_cast<uint32_t>(height);
    out.hasAlpha = components == 2 || components == 4;
    out.pixels.resize(size_t{out.width} * out.height);
    const stbi_uc *src = decoded.get();
    for (uint32_t &pixel : out.pixels) {
        switch (components) {
        case 1: pixel = PackArgb(255, src[0], src[0], src[0]); break;
        case 2: pixel = PackArgb(src[1], src[0], src[0], src[0]); break;
        case 3: pixel = PackArgb(255, src[0], src[1], src[2]); break;
        default: pixel = PackArgb(src[3], src[0], src[1], src[2]); break;
        }
        src += components;
    }
    return {true, {}};
}

}  // namespace morvel::formats::image
