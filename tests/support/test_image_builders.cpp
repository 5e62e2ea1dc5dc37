#include "test_image_builders.h"

#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_write.h>

namespace morvel::formats::image::testing {
namespace {

void Append(void *context, void *data, int size) {
    Bytes *out = static_cast<Bytes *>(context);
    const uint8_t *p = static_cast<const uint8_t *>(data);
    out->insert(out->end(), p, p + size);
}

}  // namespace

void Put16(Bytes &out, uint32_t value) {
    out.push_back(uint8_t(value));
    out.push_back(uint8_t(value >> 8));
}

void Put32(Bytes &out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

void Set32(Bytes &out, size_t offset, uint32_t value) {
    for (int i = 0; i < 4; ++i) out[offset + i] = uint8_t(value >> (8 * i));
}

Bytes BuildDib(const DibLayout &layout) {
    Bytes out;
    Put32(out, 40);
    Put32(out, uint32_t(layout.width));
    Put32(out, uint32_t(layout.height));
    Put16(out, 1);
    Put16(out, layout.bitCount);
    Put32(out, layout.compression);
    Put32(out, uint32_t(layout.bits.size()));
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, layout.colorsUsed);
    Put32(out, 0);
    for (uint32_t m : layout.masks) Put32(out, m);
    for (uint32_t c : layout.palette) Put32(out, c & 0xFFFFFF);
    out.insert(out.end(), layout.bits.begin(), layout.bits.end());
    return out;
}

Bytes BuildBmpFile(const DibLayout &layout) {
    Bytes dib = BuildDib(layout);
    Bytes out = {'B', 'M'};
    Put32(out, uint32_t(14 + dib.size()));
    Put32(out, 0);
    Put32(out, uint32_t(14 + dib.size() - layout.bits.size()));
    out.insert(out.end(), dib.begin(), dib.end());
    return out;
}

Bytes BuildDds(const DdsLayout &layout) {
    Bytes out = {'D', 'D', 'S', ' '};
    Put32(out, 124);
    Put32(out, 0x1007 | (layout.mipCount ? 0x20000 : 0));
    Put32(out, layout.height);
    Put32(out, layout.width);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, layout.mipCount);
    for (int i = 0; i < 11; ++i) Put32(out, 0);
    Put32(out, 32);
    Put32(out, layout.fourCc ? 0x4 : layout.pixelFlags);
    Put32(out, layout.fourCc);
    Put32(out, layout.fourCc ? 0 : layout.bitCount);
    for (uint32_t m : layout.masks) Put32(out, layout.fourCc ? 0 : m);
    Put32(out, 0x1000);
    Put32(out, layout.caps2);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    out.insert(out.end(), layout.payload.begin(), layout.payload.end());
    return out;
}

namespace {

Bytes Reduce(const Bytes &rgba, int components) {
    Bytes out;
    for (size_t i = 0; i + 3 < rgba.size(); i += 4) {
        switch (components) {
        case 1: out.push_back(rgba[i]); break;
        case 2: out.push_back(rgba[i]); out.push_back(rgba[i + 3]); break;
        case 3: out.insert(out.end(), {rgba[i], rgba[i + 1], rgba[i + 2]}); break;
        default: out.insert(out.end(), {rgba[i], rgba[i + 1], rgba[i + 2], rgba[i + 3]}); break;
        }
    }
    return out;
}

}  // namespace

Bytes EncodePng(int width, int height, int components, const Bytes &rgba) {
    Bytes pixels = Reduce(rgba, components), out;
    stbi_write_png_to_func(Append, &out, width, height, components, pixels.data(), width * components);
    return out;
}

Bytes EncodeTga(int width, int height, int components, const Bytes &rgba, bool rle) {
    Bytes pixels = Reduce(rgba, components), out;
    stbi_write_tga_with_rle = rle ? 1 : 0;
    stbi_write_tga_to_func(Append, &out, width, height, components, pixels.data());
    return out;
}

Bytes EncodeJpg(int width, int height, const Bytes &rgb) {
    Bytes out;
    stbi_write_jpg_to_func(Append, &out, width, height, 3, rgb.data(), 95);
    return out;
}

}  // namespace morvel::formats::image::testing
