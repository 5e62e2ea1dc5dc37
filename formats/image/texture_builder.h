// Texture preparation with the D3DX loaders' defaults: level 0 at the image
// size rounded up to powers of two (triangle filter), then a full mip chain
// down to 1x1 (box filter), every level packed in the texture format.
#pragma once

#include <cstdint>

#include "formats/image/argb_image.h"
#include "formats/image/texture_types.h"

namespace morvel::formats::image {

uint32_t NextPowerOfTwo(uint32_t value);  // 0 and 1 give 1

// Bytes per pixel of an uncompressed texture format, 0 for others.
uint32_t FormatBytesPerPixel(uint32_t format);

// Separable triangle (tent) filter; the same size returns a copy.
ArgbImage ResampleTriangle(const ArgbImage &image, uint32_t width, uint32_t height);

// Next mip level: each pixel the rounded mean of a 2x2 (or 2x1) box.
ArgbImage HalveBox(const ArgbImage &image);

// Packs pixels little-endian in one of the 16- or 32-bit formats.
TextureLevel PackLevel(const ArgbImage &image, uint32_t format);

// format: A8R8G8B8, X8R8G8B8, R5G6B5, X1R5G5B5, A1R5G5B5 or A4R4G4B4.
LoadResult BuildTexture(const ArgbImage &image, uint32_t format, TextureData &out);

// A8R8G8B8 when the image carries alpha, else X8R8G8B8.
uint32_t DefaultFormatFor(const ArgbImage &image);

}  // namespace morvel::formats::image
