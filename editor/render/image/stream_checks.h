// Completeness checks for the stb_image formats whose decoders pad a short
// file with zeros or leave pixels unset instead of failing: a truncated file
// must be an error, never a partly black texture.
#pragma once

#include <cstddef>
#include <cstdint>

namespace morvel::render::image {

// Every pixel's bytes (raw or run-length packets) are inside the buffer.
bool TgaDataComplete(const uint8_t *data, size_t size);

// Binary PGM/PPM ("P5"/"P6"): the samples after the header are all there.
bool PnmDataComplete(const uint8_t *data, size_t size);

// An end-of-image marker follows the last start-of-scan marker.
bool JpegDataComplete(const uint8_t *data, size_t size);

}  // namespace morvel::render::image
