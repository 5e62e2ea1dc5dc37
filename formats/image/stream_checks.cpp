#include "formats/image/stream_checks.h"

#include "formats/image/byte_reader.h"

namespace morvel::formats::image {

bool LooksLikeTga(const uint8_t *data, size_t size) {
    if (size < 18 || data[1] > 1) return false;
    switch (data[2]) {
    case 1: case 2: case 3: case 9: case 10: case 11: return true;
    default: return false;
    }
}

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

bool PngChunksWhole(const uint8_t *data, size_t size) {
    ByteReader in(data, size);
    auto bigEndian = [&](size_t at) {
        return (uint32_t{in.U8(at)} << 24) | (uint32_t{in.U8(at + 1)} << 16) | (uint32_t{in.U8(at + 2)} << 8) |
               in.U8(at + 3);
    };
    size_t p = 8;  // after the signature
    while (in.Has(p, 12)) {
        const uint64_t length = bigEndian(p);
        if (length > size - p - 12) return false;
        if (bigEndian(p + 4) == 0x49454E44u) return true;  // "IEND"
        p += 12 + static_cast<size_t>(length);
    }
    return false;
}

namespace {

// A scan names, per component, the Huffman tables it decodes with; each must
// have been defined before it (the decoder would read whatever its table
// memory held). DC tables serve scans starting at coefficient 0 that are not
// refinements, AC tables scans reaching past coefficient 0.
bool ScanTablesDefined(const uint8_t *scan, size_t length, unsigned dcTables, unsigned acTables) {
    if (length < 1) return false;
    const size_t components = scan[0];
    if (length < 1 + 2 * components + 3) return false;
    const uint8_t *spectral = scan + 1 + 2 * components;
    const bool usesDc = spectral[0] == 0 && (spectral[2] >> 4) == 0;
    const bool usesAc = spectral[1] > 0;
    for (size_t i = 0; i < components; ++i) {
        const unsigned tables = scan[2 + 2 * i];
        if (usesDc && ((tables >> 4) > 3 || !(dcTables & (1u << (tables >> 4))))) return false;
        if (usesAc && ((tables & 15) > 3 || !(acTables & (1u << (tables & 15))))) return false;
    }
    return true;
}

}  // namespace

bool JpegSegmentsSound(const uint8_t *data, size_t size) {
    if (size < 4 || data[0] != 0xFF || data[1] != 0xD8) return false;
    unsigned dcTables = 0, acTables = 0;  // bit n: table n was defined
    size_t p = 2;
    for (;;) {
        // Like the decoder, step over anything that is not a marker.
        while (p < size && data[p] != 0xFF) ++p;
        while (p < size && data[p] == 0xFF) ++p;
        if (p >= size) return false;  // no end-of-image marker
        const uint8_t marker = data[p++];
        if (marker == 0xD9) return true;
        if (marker == 0x00 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) continue;
        if (size - p < 2) return false;
        const size_t length = (size_t{data[p]} << 8) | data[p + 1];
        if (length < 2 || length > size - p) return false;
        const size_t end = p + length;
        if (marker == 0xC4) {
            // Huffman tables: at most 256 symbols each (the decoder's table size).
            size_t q = p + 2;
            while (q < end) {
                if (end - q < 17) return false;
                size_t symbols = 0;
                for (size_t i = 1; i <= 16; ++i) symbols += data[q + i];
                if (symbols > 256 || symbols > end - q - 17) return false;
                const unsigned tableClass = data[q] >> 4, id = data[q] & 15;
                if (tableClass > 1 || id > 3) return false;
                (tableClass == 0 ? dcTables : acTables) |= 1u << id;
                q += 17 + symbols;
            }
        }
        if (marker == 0xDA && !ScanTablesDefined(data + p + 2, length - 2, dcTables, acTables)) return false;
        p = end;
        if (marker == 0xDA) {
            // Entropy-coded data runs to the next marker other than a stuffed
            // zero or a restart marker.
            while (p + 1 < size && !(data[p] == 0xFF && data[p + 1] != 0x00 &&
                                     !(data[p + 1] >= 0xD0 && data[p + 1] <= 0xD7)))
                ++p;
        }
    }
}

}  // namespace morvel::formats::image
