#include "formats/image/bmp_decoder.h"

#include <array>

#include "formats/image/byte_reader.h"
#include "formats/image/mask_channel.h"

namespace morvel::formats::image {
namespace {

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;
constexpr uint32_t kBiBitfields = 3;
constexpr uint32_t kBiAlphaBitfields = 6;
constexpr size_t kFileHeaderSize = 14;
constexpr size_t kCoreHeaderSize = 12;
constexpr size_t kInfoHeaderSize = 40;

struct DibHeader {
    uint32_t headerSize = 0;
    int64_t width = 0, height = 0;
    uint32_t bitCount = 0;
    uint32_t compression = kBiRgb;
    uint32_t colorsUsed = 0;
    uint32_t masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha
    bool topDown = false;
    size_t paletteOffset = 0;  // absolute offsets into the buffer
    size_t paletteEntryBytes = 4;
    size_t paletteEntries = 0;  // entries stored in the file
    size_t endOfPalette = 0;
};

LoadResult ReadDibHeader(const ByteReader &in, size_t at, DibHeader &h) {
    if (!in.Has(at, 4)) return Fail("bitmap header truncated");
    h.headerSize = in.U32(at);
    if (h.headerSize != kCoreHeaderSize && h.headerSize < kInfoHeaderSize) return Fail("unsupported bitmap header");
    if (!in.Has(at, h.headerSize)) return Fail("bitmap header truncated");
    size_t afterHeader = at + h.headerSize;
    if (h.headerSize == kCoreHeaderSize) {
        h.width = in.U16(at + 4);
        h.height = in.U16(at + 6);
        h.bitCount = in.U16(at + 10);
        h.paletteEntryBytes = 3;
    } else {
        h.width = in.I32(at + 4);
        int64_t height = in.I32(at + 8);
        h.topDown = height < 0;
        h.height = height < 0 ? -height : height;
        h.bitCount = in.U16(at + 14);
        h.compression = in.U32(at + 16);
        h.colorsUsed = in.U32(at + 32);
        if (h.headerSize >= 52) {
            for (int i = 0; i < 3; ++i) h.masks[i] = in.U32(at + 40 + 4 * i);
        }
        if (h.headerSize >= 56) h.masks[3] = in.U32(at + 52);
        if (h.headerSize == kInfoHeaderSize &&
            (h.compression == kBiBitfields || h.compression == kBiAlphaBitfields)) {
            size_t maskCount = h.compression == kBiBitfields ? 3 : 4;
            if (!in.Has(afterHeader, 4 * maskCount)) return Fail("bitmap colour masks truncated");
            for (size_t i = 0; i < maskCount; ++i) h.masks[i] = in.U32(afterHeader + 4 * i);
            afterHeader += 4 * maskCount;
        }
    }
    if (h.width <= 0 || h.height <= 0) return Fail("bitmap has no pixels");
    if (!ImageSizeAllowed(static_cast<uint64_t>(h.width), static_cast<uint64_t>(h.height)))
        return Fail("bitmap too large");

    switch (h.bitCount) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: return Fail("unsupported bits per pixel");
    }
    switch (h.compression) {
    case kBiRgb: break;
    case kBiRle8:
        if (h.bitCount != 8) return Fail("RLE8 needs 8 bits per pixel");
        break;
    case kBiRle4:
        if (h.bitCount != 4) return Fail("RLE4 needs 4 bits per pixel");
        break;
    case kBiBitfields: case kBiAlphaBitfields:
        if (h.bitCount != 16 && h.bitCount != 32) return Fail("bit fields need 16 or 32 bits per pixel");
        break;
    default: return Fail("unsupported bitmap compression");
    }
    if (h.topDown && (h.compression == kBiRle8 || h.compression == kBiRle4))
        return Fail("compressed bitmaps cannot be top-down");

    // The colour table: as many entries as colorsUsed says, else the full
    // table for palette formats. Beyond 256 entries nothing can index it.
    uint64_t entries = h.colorsUsed;
    if (entries == 0 && h.bitCount <= 8) entries = uint64_t{1} << h.bitCount;
    h.paletteOffset = afterHeader;
    if (entries > (in.Size() - afterHeader) / h.paletteEntryBytes) return Fail("bitmap colour table truncated");
    h.paletteEntries = static_cast<size_t>(entries);
    h.endOfPalette = afterHeader + h.paletteEntries * h.paletteEntryBytes;
    return {true, {}};
}

std::array<uint32_t, 256> ReadPalette(const ByteReader &in, const DibHeader &h) {
    std::array<uint32_t, 256> palette{};
    palette.fill(PackArgb(255, 0, 0, 0));  // indices past the table show black
    size_t count = h.paletteEntries < 256 ? h.paletteEntries : 256;
    for (size_t i = 0; i < count; ++i) {
        size_t p = h.paletteOffset + i * h.paletteEntryBytes;
        palette[i] = PackArgb(255, in.U8(p + 2), in.U8(p + 1), in.U8(p));
    }
    return palette;
}

uint32_t OutputRow(const DibHeader &h, uint32_t fileRow) {
    return h.topDown ? fileRow : static_cast<uint32_t>(h.height) - 1 - fileRow;
}

LoadResult DecodeUncompressed(const ByteReader &in, const DibHeader &h, size_t bits, ArgbImage &out) {
    const uint64_t width = static_cast<uint64_t>(h.width);
    const uint64_t height = static_cast<uint64_t>(h.height);
    const uint64_t stride = (width * h.bitCount + 31) / 32 * 4;
    const uint64_t lastRowBytes = (width * h.bitCount + 7) / 8;  // the last row may lack its padding
    if (bits > in.Size() || (height - 1) * stride + lastRowBytes > in.Size() - bits)
        return Fail("bitmap pixel data truncated");

    const std::array<uint32_t, 256> palette = ReadPalette(in, h);
    uint32_t masks[4] = {h.masks[0], h.masks[1], h.masks[2], h.masks[3]};
    const bool bitfields = h.compression == kBiBitfields || h.compression == kBiAlphaBitfields;
    if (!bitfields) {
        masks[3] = 0;
        if (h.bitCount == 16) {
            masks[0] = 0x7C00; masks[1] = 0x03E0; masks[2] = 0x001F;
        } else {
            masks[0] = 0xFF0000; masks[1] = 0x00FF00; masks[2] = 0x0000FF;
        }
    }
    const MaskChannel red(masks[0]), green(masks[1]), blue(masks[2]), alpha(masks[3]);
    out.hasAlpha = bitfields && masks[3] != 0;

    out.width = static_cast<uint32_t>(width);
    out.height = static_cast<uint32_t>(height);
    out.pixels.assign(size_t(width * height), 0);
    const uint8_t *base = in.Data() + bits;
    for (uint32_t row = 0; row < height; ++row) {
        const uint8_t *src = base + row * stride;
        uint32_t *dst = &out.pixels[size_t{OutputRow(h, row)} * out.width];
        for (uint32_t x = 0; x < width; ++x) {
            switch (h.bitCount) {
            case 1: dst[x] = palette[(src[x >> 3] >> (7 - (x & 7))) & 1]; break;
            case 4: dst[x] = palette[(src[x >> 1] >> ((x & 1) ? 0 : 4)) & 15]; break;
            case 8: dst[x] = palette[src[x]]; break;
            case 24: dst[x] = PackArgb(255, src[3 * x + 2], src[3 * x + 1], src[3 * x]); break;
            default: {
                uint32_t p = h.bitCount == 16
                                 ? uint32_t(src[2 * x] | (src[2 * x + 1] << 8))
                                 : uint32_t(src[4 * x]) | (uint32_t(src[4 * x + 1]) << 8) |
                                       (uint32_t(src[4 * x + 2]) << 16) | (uint32_t(src[4 * x + 3]) << 24);
                uint32_t a = out.hasAlpha ? alpha.Extract(p) : 255;
                dst[x] = PackArgb(a, red.Extract(p), green.Extract(p), blue.Extract(p));
            }
            }
        }
    }
    return {true, {}};
}

// RLE8 / RLE4: runs and absolute runs of palette indices, with end-of-line,
// end-of-bitmap and delta escapes. Pixels the stream never sets keep colour 0.
LoadResult DecodeRle(const ByteReader &in, const DibHeader &h, size_t bits, ArgbImage &out) {
    if (bits > in.Size()) return Fail("bitmap pixel data truncated");
    const std::array<uint32_t, 256> palette = ReadPalette(in, h);
    const bool rle4 = h.compression == kBiRle4;
    const uint32_t width = static_cast<uint32_t>(h.width);
    const uint32_t height = static_cast<uint32_t>(h.height);
    out.width = width;
    out.height = height;
    out.hasAlpha = false;
    out.pixels.assign(size_t{width} * height, palette[0]);

    uint64_t x = 0, y = 0;
    auto put = [&](uint32_t index) {
        if (x < width && y < height) out.At(static_cast<uint32_t>(x), OutputRow(h, static_cast<uint32_t>(y))) = palette[index];
        ++x;
    };
    size_t p = bits;
    const size_t end = in.Size();
    while (y < height) {
        if (end - p < 2) return Fail("RLE data truncated");  // no end-of-bitmap marker
        const uint32_t count = in.U8(p), value = in.U8(p + 1);
        p += 2;
        if (count > 0) {
            for (uint32_t i = 0; i < count; ++i)
                put(rle4 ? ((i & 1) ? value & 15 : value >> 4) : value);
            continue;
        }
        if (value == 0) {  // end of line
            x = 0;
            ++y;
        } else if (value == 1) {  // end of bitmap
            break;
        } else if (value == 2) {  // delta
            if (end - p < 2) return Fail("RLE data truncated");
            x += in.U8(p);
            y += in.U8(p + 1);
            p += 2;
        } else {  // absolute run, padded to a 16-bit boundary
            size_t bytes = rle4 ? (value + 1) / 2 : value;
            bytes += bytes & 1;
            if (end - p < bytes) return Fail("RLE data truncated");
            for (uint32_t i = 0; i < value; ++i) {
                uint32_t b = in.U8(p + (rle4 ? i / 2 : i));
                put(rle4 ? ((i & 1) ? b & 15 : b >> 4) : b);
            }
            p += bytes;
        }
    }
    return {true, {}};
}

LoadResult DecodeDibAt(const ByteReader &in, size_t headerAt, size_t bitsAt, bool bitsGiven, ArgbImage &out) {
    DibHeader h;
    LoadResult r = ReadDibHeader(in, headerAt, h);
    if (!r.ok) return r;
    // Writers that leave the file's bits offset at zero get the bits after the colour table.
    size_t bits = bitsGiven && bitsAt >= h.paletteOffset ? bitsAt : h.endOfPalette;
    r = (h.compression == kBiRle8 || h.compression == kBiRle4) ? DecodeRle(in, h, bits, out)
                                                                 : DecodeUncompressed(in, h, bits, out);
    if (!r.ok) out = ArgbImage{};
    return r;
}

}  // namespace

LoadResult DecodeBmpFile(const uint8_t *data, size_t size, ArgbImage &out) {
    out = ArgbImage{};
    ByteReader in(data, size);
    if (!in.Has(0, kFileHeaderSize) || data[0] != 'B' || data[1] != 'M') return Fail("not a bitmap file");
    return DecodeDibAt(in, kFileHeaderSize, in.U32(10), true, out);
}

LoadResult DecodeDib(const uint8_t *data, size_t size, ArgbImage &out) {
    out = ArgbImage{};
    ByteReader in(data, size);
    return DecodeDibAt(in, 0, 0, false, out);
}

}  // namespace morvel::formats::image
