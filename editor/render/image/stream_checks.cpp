#include "render/image/stream_checks.h"

#include "render/image/byte_reader.h"

namespace morvel::render::image {

bool TgaDataComplete(const uint8_t *data, size_t size) {
    ByteReader in(data, size);
    if (!in.Has(0, 18)) return false;
    const uint32_t idLength = in.U8(0), colourMapType = in.U8(1), imageType = in.U8(2);
    const uint32_t mapLength = in.U16(5), mapBits = in.U8(7);
    const uint64_t width = in.U16(12), height = in.U16(14);
    const uint32_t pixelBytes = (in.U8(16) + 7) / 8;
    uint64_t offset = 18 + idLength;
    if (colourMapType == 1) offset += uint64_t{mapLength} * ((mapBits + 7) / 8);
    if (offset > size) return false;
    const uint64_t pixels = width * height;
    const uint64_t remaining = size - offset;
    if (imageType < 8) return pixels * pixelBytes <= remaining;

    // Run-length packets: a count byte, then one pixel (run) or count pixels (raw).
    uint64_t p = offset, seen = 0;
    while (seen < pixels) {
        if (p >= size) return false;
        const uint32_t header = data[p++];
        const uint64_t count = (header & 0x7F) + 1;
        const uint64_t bytes = (header & 0x80) ? pixelBytes : count * pixelBytes;
        if (bytes > size - p) return false;
        p += bytes;
        seen += count;
    }
    return true;
}

bool PnmDataComplete(const uint8_t *data, size_t size) {
    if (size < 3 || data[0] != 'P' || (data[1] != '5' && data[1] != '6')) return false;
    const uint64_t channels = data[1] == '6' ? 3 : 1;
    size_t p = 2;
    // Same token rules as the decoder: whitespace and '#' comments between
    // numbers, and exactly one byte after the last number.
    auto skipSpace = [&] {
        for (;;) {
            while (p < size && (data[p] == ' ' || (data[p] >= '\t' && data[p] <= '\r'))) ++p;
            if (p >= size || data[p] != '#') return;
            while (p < size && data[p] != '\n' && data[p] != '\r') ++p;
        }
    };
    auto number = [&](uint64_t &value) {
        skipSpace();
        value = 0;
        size_t start = p;
        while (p < size && data[p] >= '0' && data[p] <= '9' && value < 100000000) value = value * 10 + (data[p++] - '0');
        return p > start;
    };
    uint64_t width = 0, height = 0, maxValue = 0;
    if (!number(width) || !number(height) || !number(maxValue)) return false;
    if (p >= size) return false;
    ++p;  // the single separator before the samples
    const uint64_t sampleBytes = maxValue > 255 ? 2 : 1;
    return width * height * channels * sampleBytes <= size - p;
}

bool JpegDataComplete(const uint8_t *data, size_t size) {
    size_t lastScan = size;
    for (size_t i = size; i-- > 1;) {
        if (data[i - 1] == 0xFF && data[i] == 0xDA) {
            lastScan = i + 1;
            break;
        }
    }
    if (lastScan == size) return false;
    for (size_t i = lastScan; i + 1 < size; ++i)
        if (data[i] == 0xFF && data[i + 1] == 0xD9) return true;
    return false;
}

}  // namespace morvel::render::image
