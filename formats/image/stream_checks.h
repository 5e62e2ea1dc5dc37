// Checks in front of stb_image for formats whose decoders pad a short
// file with zeros or leave pixels unset instead of failing: a truncated file
// must be an error, never a partly black texture.
#pragma once

#include <cstddef>
#include <cstdint>

namespace morvel::formats::image {

// A TGA header: no signature, so the colour-map and image types must be known ones.
bool LooksLikeTga(const uint8_t *data, size_t size);

// Every pixel's bytes (raw or run-length packets) are inside the buffer.
bool TgaDataComplete(const uint8_t *data, size_t size);

// Every PNG chunk lies whole inside the buffer, up to IEND (stb_image sizes
// its buffer from a chunk's declared length before reading it).
bool PngChunksWhole(const uint8_t *data, size_t size);

// The marker segments are whole, every Huffman table holds at most 256
// symbols (the decoder does not check), every scan uses only Huffman tables
// defined before it, and an end-of-image marker ends it.
bool JpegSegmentsSound(const uint8_t *data, size_t size);

}  // namespace morvel::formats::image
