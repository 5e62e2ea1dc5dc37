#include "formats/image/texture_loader.h"

#include <vector>

#include "formats/image/bmp_decoder.h"
#include "formats/image/dds_decoder.h"
#include "formats/image/dxt_blocks.h"
#include "formats/image/dxt_encoder.h"
#include "formats/image/image_decoder.h"
#include "formats/image/image_format.h"
#include "formats/image/pnm_decoder.h"
#include "formats/image/stb_decoder.h"
#include "formats/image/texture_builder.h"

namespace morvel::formats::image {
namespace {

bool IsPowerOfTwo(uint32_t v) { return v != 0 && (v & (v - 1)) == 0; }

LoadResult TextureFromArgb(const LoadResult &decoded, const ArgbImage &image, TextureData &out) {
    if (!decoded.ok) return decoded;
    return BuildTexture(image, DefaultFormatFor(image), out);
}

// The levels a compressed file lacks, down to 1x1: each halves the one
// before it (decoded, box-filtered, encoded again).
void CompleteDxtChain(uint32_t format, std::vector<TextureLevel> &levels) {
    const TextureLevel *last = &levels.back();
    if (last->width == 1 && last->height == 1) return;
    ArgbImage image;
    DecodeDxtSurface(format, last->bytes.data(), last->width, last->height, image);
    while (image.width > 1 || image.height > 1) {
        image = HalveBox(image);
        levels.push_back(EncodeDxtSurface(format, image));
    }
}

// DXT stays compressed: the levels the file holds, then the rest of the
// chain. A block surface whose size is not a power of two cannot be
// rounded up without recompressing, so it is decoded and goes the ARGB way.
LoadResult TextureFromDds(DdsImage &dds, TextureData &out) {
    if (dds.compressed) {
        if (IsPowerOfTwo(dds.width) && IsPowerOfTwo(dds.height)) {
            out.format = dds.format;
            out.imageWidth = dds.width;
            out.imageHeight = dds.height;
            out.levels = std::move(dds.blockLevels);
            CompleteDxtChain(out.format, out.levels);
            return {true, {}};
        }
        ArgbImage image;
        DecodeDxtSurface(dds.format, dds.blockLevels[0].bytes.data(), dds.width, dds.height, image);
        return BuildTexture(image, DefaultFormatFor(image), out);
    }
    const uint32_t format = FormatBytesPerPixel(dds.format) != 0 ? dds.format : DefaultFormatFor(dds.argb);
    return BuildTexture(dds.argb, format, out);
}

}  // namespace

LoadResult LoadTextureFromMemory(const uint8_t *data, size_t size, TextureData &out) {
    out = TextureData{};
    if (data == nullptr || size == 0) return {false, "empty image file"};
    ArgbImage image;
    switch (DetectImageFormat(data, size)) {
    case ImageFileFormat::Bmp: return TextureFromArgb(DecodeBmpFile(data, size, image), image, out);
    case ImageFileFormat::Dds: {
        DdsImage dds;
        LoadResult r = DecodeDds(data, size, dds);
        return r.ok ? TextureFromDds(dds, out) : r;
    }
    case ImageFileFormat::Ppm: return TextureFromArgb(DecodePnm(data, size, image), image, out);
    default: return TextureFromArgb(DecodeWithStb(data, size, image), image, out);
    }
}

LoadResult LoadTextureFromDib(const uint8_t *data, size_t size, TextureData &out) {
    out = TextureData{};
    if (data == nullptr || size == 0) return {false, "empty bitmap"};
    ArgbImage image;
    return TextureFromArgb(DecodeDib(data, size, image), image, out);
}

LoadResult LoadTextureFromFile(const std::string &path, TextureData &out) {
    out = TextureData{};
    std::vector<uint8_t> bytes;
    LoadResult r = ReadImageFile(path, bytes);
    if (!r.ok) return r;
    r = LoadTextureFromMemory(bytes.data(), bytes.size(), out);
    if (!r.ok) r.error = path + ": " + r.error;
    return r;
}

}  // namespace morvel::formats::image
