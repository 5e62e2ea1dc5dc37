#include "formats/image/dds_decoder.h"

#include "formats/image/byte_reader.h"
#include "formats/image/dxt_blocks.h"
#include "formats/image/mask_channel.h"

namespace morvel::formats::image {
namespace {

constexpr size_t kHeaderEnd = 128;  // magic + 124-byte header
constexpr uint32_t kFlagMipMapCount = 0x20000;
constexpr uint32_t kPixelAlphaPixels = 0x1;
constexpr uint32_t kPixelFourCc = 0x4;
constexpr uint32_t kPixelRgb = 0x40;
constexpr uint32_t kPixelLuminance = 0x20000;
constexpr uint32_t kCaps2CubeMap = 0x200;
constexpr uint32_t kCaps2Volume = 0x200000;

uint32_t FullChainLength(uint32_t width, uint32_t height) {
    uint32_t levels = 1;
    while (width > 1 || height > 1) {
        width = width > 1 ? width / 2 : 1;
        height = height > 1 ? height / 2 : 1;
        ++levels;
    }
    return levels;
}

// The D3DFORMAT whose layout these masks describe, or 0.
uint32_t FormatFromMasks(uint32_t bits, uint32_t r, uint32_t g, uint32_t b, uint32_t a) {
    struct Known { uint32_t format, bits, r, g, b, a; };
    static const Known known[] = {
        {kFormatA8R8G8B8, 32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000},
        {kFormatX8R8G8B8, 32, 0xFF0000, 0xFF00, 0xFF, 0},
        {kFormatR8G8B8, 24, 0xFF0000, 0xFF00, 0xFF, 0},
        {kFormatR5G6B5, 16, 0xF800, 0x07E0, 0x1F, 0},
        {kFormatX1R5G5B5, 16, 0x7C00, 0x03E0, 0x1F, 0},
        {kFormatA1R5G5B5, 16, 0x7C00, 0x03E0, 0x1F, 0x8000},
        {kFormatA4R4G4B4, 16, 0x0F00, 0x00F0, 0x0F, 0xF000},
    };
    for (const Known &k : known)
        if (k.bits == bits && k.r == r && k.g == g && k.b == b && k.a == a) return k.format;
    return 0;
}

LoadResult DecodeCompressed(const ByteReader &in, uint32_t format, uint32_t levelCount, DdsImage &out) {
    size_t offset = kHeaderEnd;
    uint32_t w = out.width, h = out.height;
    // Every level is checked against the file before anything is allocated.
    for (uint32_t i = 0; i < levelCount; ++i) {
        uint64_t bytes = DxtSurfaceBytes(format, w, h);
        if (!in.Has(offset, bytes)) return Fail("DDS surface data truncated");
        offset += static_cast<size_t>(bytes);
        w = w > 1 ? w / 2 : 1;
        h = h > 1 ? h / 2 : 1;
    }
    offset = kHeaderEnd;
    w = out.width;
    h = out.height;
    out.blockLevels.resize(levelCount);
    for (TextureLevel &level : out.blockLevels) {
        size_t bytes = static_cast<size_t>(DxtSurfaceBytes(format, w, h));
        level.width = w;
        level.height = h;
        level.pitch = ((w + 3) / 4) * DxtBlockBytes(format);
        level.bytes.assign(in.Data() + offset, in.Data() + offset + bytes);
        offset += bytes;
        w = w > 1 ? w / 2 : 1;
        h = h > 1 ? h / 2 : 1;
    }
    out.compressed = true;
    out.format = format;
    return {true, {}};
}

LoadResult DecodeUncompressed(const ByteReader &in, uint32_t flags, DdsImage &out) {
    const uint32_t bits = in.U32(88);
    if (bits != 8 && bits != 16 && bits != 24 && bits != 32) return Fail("unsupported DDS pixel size");
    const bool luminance = (flags & kPixelLuminance) != 0;
    const uint32_t alphaMask = (flags & kPixelAlphaPixels) ? in.U32(104) : 0;
    const MaskChannel red(in.U32(92)), green(in.U32(96)), blue(in.U32(100)), alpha(alphaMask);
    if (red.Mask() == 0 && !luminance) return Fail("unsupported DDS pixel format");
    const uint32_t bytesPerPixel = bits / 8;
    const uint64_t pitch = uint64_t{out.width} * bytesPerPixel;
    if (!in.Has(kHeaderEnd, pitch * out.height)) return Fail("DDS surface data truncated");

    out.format = luminance ? 0 : FormatFromMasks(bits, red.Mask(), green.Mask(), blue.Mask(), alphaMask);
    out.argb.width = out.width;
    out.argb.height = out.height;
    out.argb.hasAlpha = alphaMask != 0;
    out.argb.pixels.assign(size_t{out.width} * out.height, 0);
    const uint8_t *src = in.Data() + kHeaderEnd;
    for (size_t i = 0; i < out.argb.pixels.size(); ++i, src += bytesPerPixel) {
        uint32_t p = 0;
        for (uint32_t b = 0; b < bytesPerPixel; ++b) p |= uint32_t{src[b]} << (8 * b);
        uint32_t a = alphaMask ? alpha.Extract(p) : 255;
        uint32_t r = red.Extract(p);
        out.argb.pixels[i] = luminance ? PackArgb(a, r, r, r) : PackArgb(a, r, green.Extract(p), blue.Extract(p));
    }
    return {true, {}};
}

}  // namespace

LoadResult DecodeDds(const uint8_t *data, size_t size, DdsImage &out) {
    out = DdsImage{};
    ByteReader in(data, size);
    if (!in.Has(0, kHeaderEnd) || in.U32(0) != MakeFourCc('D', 'D', 'S', ' ')) return Fail("not a DDS file");
    if (in.U32(4) != 124 || in.U32(76) != 32) return Fail("bad DDS header");
    if (in.U32(112) & (kCaps2CubeMap | kCaps2Volume)) return Fail("cube and volume DDS files are not supported");
    out.height = in.U32(12);
    out.width = in.U32(16);
    if (!ImageSizeAllowed(out.width, out.height)) return Fail("DDS size out of range");

    const uint32_t flags = in.U32(80);
    LoadResult r;
    if (flags & kPixelFourCc) {
        const uint32_t fourCc = in.U32(84);
        if (DxtBlockBytes(fourCc) == 0) return Fail("unsupported DDS compression");
        uint32_t levels = (in.U32(8) & kFlagMipMapCount) ? in.U32(28) : 1;
        const uint32_t full = FullChainLength(out.width, out.height);
        if (levels == 0) levels = 1;
        if (levels > full) levels = full;
        r = DecodeCompressed(in, fourCc, levels, out);
    } else if (flags & (kPixelRgb | kPixelLuminance)) {
        r = DecodeUncompressed(in, flags, out);
    } else {
        r = Fail("unsupported DDS pixel format");
    }
    if (!r.ok) out = DdsImage{};
    return r;
}

}  // namespace morvel::formats::image
