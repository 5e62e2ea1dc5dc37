#include "formats/xfile/mszip_inflate.h"

#include <zlib.h>

#include <algorithm>
#include <memory>

#include "formats/xfile/x_limits.h"

namespace morvel::formats::xfile {
namespace {

constexpr size_t kHeaderSize = 16;
constexpr size_t kBlockHeaderSize = 4;  // the two 16-bit sizes
constexpr size_t kDictionarySize = 32 * 1024;
// Deflate cannot expand data by more than this factor, so a declared size
// beyond it cannot be honest.
constexpr uint64_t kMaxDeflateRatio = 1032;

uint16_t LoadU16(const uint8_t *p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

struct InflateStream {
    z_stream stream{};
    bool open = false;
    ~InflateStream() {
        if (open) inflateEnd(&stream);
    }
};

bool Fail(std::string &error, const std::string &message) {
    error = "compressed data: " + message;
    return false;
}

}  // namespace

bool InflateMsZip(const uint8_t *data, size_t size, std::vector<uint8_t> &out, std::string &error) {
    out.clear();
    if (size < 4) return Fail(error, "missing the total size");
    const uint32_t totalSize = static_cast<uint32_t>(data[0]) | static_cast<uint32_t>(data[1]) << 8 |
                               static_cast<uint32_t>(data[2]) << 16 | static_cast<uint32_t>(data[3]) << 24;
    if (totalSize < kHeaderSize) return Fail(error, "total size smaller than the header");
    const uint64_t expected = totalSize - kHeaderSize;
    if (expected > kMaxInflatedSize || expected > static_cast<uint64_t>(size) * kMaxDeflateRatio) {
        return Fail(error, "total size " + std::to_string(totalSize) + " is more than the data can inflate to");
    }
    // Nothing is reserved for the declared size: the output grows as blocks
    // inflate, so a short file that declares much costs no more than it holds.

    InflateStream inflater;
    if (inflateInit2(&inflater.stream, -MAX_WBITS) != Z_OK) return Fail(error, "cannot start the inflater");
    inflater.open = true;

    size_t pos = 4;
    size_t blockNumber = 0;
    while (out.size() < expected) {
        if (size - pos < kBlockHeaderSize + 2) {
            return Fail(error, "ends after " + std::to_string(out.size()) + " of " + std::to_string(expected) +
                                   " bytes");
        }
        const uint16_t blockSize = LoadU16(data + pos);
        const uint16_t packedSize = LoadU16(data + pos + 2);
        pos += kBlockHeaderSize;
        if (packedSize < 2 || packedSize > size - pos) {
            return Fail(error, "block " + std::to_string(blockNumber) + " runs past the end of the data");
        }
        if (data[pos] != 'C' || data[pos + 1] != 'K') {
            return Fail(error, "block " + std::to_string(blockNumber) + " lacks its CK signature");
        }
        if (blockSize == 0 || blockSize > expected - out.size()) {
            return Fail(error, "block " + std::to_string(blockNumber) + " declares a size beyond the total");
        }

        z_stream &z = inflater.stream;
        if (inflateReset(&z) != Z_OK) return Fail(error, "cannot reset the inflater");
        const size_t dictionary = std::min(out.size(), kDictionarySize);
        if (dictionary > 0 &&
            inflateSetDictionary(&z, out.data() + out.size() - dictionary, static_cast<uInt>(dictionary)) != Z_OK) {
            return Fail(error, "cannot set the dictionary of block " + std::to_string(blockNumber));
        }
        const size_t start = out.size();
        // One spare byte shows a block that inflates to more than it declares.
        out.resize(start + blockSize + 1);
        z.next_in = const_cast<Bytef *>(data + pos + 2);
        z.avail_in = packedSize - 2u;
        z.next_out = out.data() + start;
        z.avail_out = blockSize + 1u;
        const int result = inflate(&z, Z_FINISH);
        const size_t produced = blockSize + 1u - z.avail_out;
        out.resize(start + produced);
        if (result != Z_STREAM_END && result != Z_BUF_ERROR && result != Z_OK) {
            return Fail(error, "block " + std::to_string(blockNumber) + " is not valid deflate data");
        }
        if (produced != blockSize) {
            return Fail(error, "block " + std::to_string(blockNumber) + " inflates to " +
                                   (produced > blockSize ? std::string("more than") : std::to_string(produced) + " of") +
                                   " its " + std::to_string(blockSize) + " bytes");
        }
        pos += packedSize;
        ++blockNumber;
    }
    return true;
}

}  // namespace morvel::formats::xfile
