#include "formats/image/pnm_decoder.h"

namespace morvel::formats::image {
namespace {

struct PnmHeader {
    uint64_t width = 0, height = 0, maxValue = 0;
    uint32_t channels = 0;
    size_t samplesAt = 0;
};

// Whitespace and '#' comments between the numbers, exactly one whitespace
// byte after the last one.
bool ReadHeader(const uint8_t *data, size_t size, PnmHeader &header) {
    if (size < 3 || data[0] != 'P' || (data[1] != '5' && data[1] != '6')) return false;
    header.channels = data[1] == '6' ? 3 : 1;
    size_t p = 2;
    auto isSpace = [](uint8_t c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    auto skipSpace = [&] {
        for (;;) {
            while (p < size && isSpace(data[p])) ++p;
            if (p >= size || data[p] != '#') return;
            while (p < size && data[p] != '\n' && data[p] != '\r') ++p;
        }
    };
    auto number = [&](uint64_t &value) {
        skipSpace();
        value = 0;
        const size_t start = p;
        while (p < size && data[p] >= '0' && data[p] <= '9') {
            value = value * 10 + (data[p++] - '0');
            if (value > 0xFFFFFFFFu) return false;
        }
        return p > start;
    };
    if (!number(header.width) || !number(header.height) || !number(header.maxValue)) return false;
    if (p >= size || !isSpace(data[p])) return false;
    header.samplesAt = p + 1;
    return true;
}

}  // namespace

LoadResult DecodePnm(const uint8_t *data, size_t size, ArgbImage &out) {
    out = ArgbImage{};
    PnmHeader header;
    if (!ReadHeader(data, size, header)) return {false, "PPM header corrupt"};
    if (header.maxValue == 0 || header.maxValue > 65535) return {false, "PPM sample range invalid"};
    if (!ImageSizeAllowed(header.width, header.height)) return {false, "image too large"};
    const uint64_t sampleBytes = header.maxValue > 255 ? 2 : 1;
    const uint64_t samples = header.width * header.height * header.channels;
    if (samples * sampleBytes > size - header.samplesAt) return {false, "PPM data truncated"};

    const uint8_t *in = data + header.samplesAt;
    const uint32_t maxValue = static_cast<uint32_t>(header.maxValue);
    auto next = [&]() -> uint32_t {
        uint32_t v = *in++;
        if (sampleBytes == 2) v = (v << 8) | *in++;
        if (v >= maxValue) return 255;
        return (v * 255 + maxValue / 2) / maxValue;
    };
    out.width = static_cast<uint32_t>(header.width);
    out.height = static_cast<uint32_t>(header.height);
    out.pixels.resize(size_t{out.width} * out.height);
    for (uint32_t &pixel : out.pixels) {
        if (header.channels == 1) {
            const uint32_t grey = next();
            pixel = PackArgb(255, grey, grey, grey);
        } else {
            const uint32_t r = next(), g = next(), b = next();
            pixel = PackArgb(255, r, g, b);
        }
    }
    return {true, {}};
}

}  // namespace morvel::formats::image
