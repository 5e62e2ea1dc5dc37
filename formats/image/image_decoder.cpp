#include "formats/image/image_decoder.h"

#include <cstdio>
#include <memory>

#include "formats/image/bmp_decoder.h"
#include "formats/image/dds_decoder.h"
#include "formats/image/dxt_blocks.h"
#include "formats/image/image_format.h"
#include "formats/image/pnm_decoder.h"
#include "formats/image/stb_decoder.h"

namespace morvel::formats::image {
namespace {

// Far above any image within the decoders' size bounds.
constexpr long kMaxImageFileBytes = 256L * 1024 * 1024;

}  // namespace

LoadResult DecodeImage(const uint8_t *data, size_t size, ArgbImage &out) {
    switch (DetectImageFormat(data, size)) {
    case ImageFileFormat::Bmp: return DecodeBmpFile(data, size, out);
    case ImageFileFormat::Dds: {
        DdsImage dds;
        LoadResult r = DecodeDds(data, size, dds);
        if (!r.ok) return r;
        if (dds.compressed) {
            DecodeDxtSurface(dds.format, dds.blockLevels[0].bytes.data(), dds.width, dds.height, out);
        } else {
            out = std::move(dds.argb);
        }
        return r;
    }
    case ImageFileFormat::Ppm: return DecodePnm(data, size, out);
    default: return DecodeWithStb(data, size, out);
    }
}

LoadResult ReadImageFile(const std::string &path, std::vector<uint8_t> &bytes) {
    bytes.clear();
    std::string native = path;
#ifndef _WIN32
    for (char &c : native)
        if (c == '\\') c = '/';
#endif
    std::unique_ptr<FILE, int (*)(FILE *)> file(std::fopen(native.c_str(), "rb"), std::fclose);
    if (!file) return {false, "cannot open " + path};
    if (std::fseek(file.get(), 0, SEEK_END) != 0) return {false, "cannot read " + path};
    const long length = std::ftell(file.get());
    if (length < 0 || std::fseek(file.get(), 0, SEEK_SET) != 0) return {false, "cannot read " + path};
    if (length > kMaxImageFileBytes) return {false, "file too large: " + path};
    bytes.resize(static_cast<size_t>(length));
    if (length > 0 && std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
        bytes.clear();
        return {false, "cannot read " + path};
    }
    return {true, {}};
}

}  // namespace morvel::formats::image
