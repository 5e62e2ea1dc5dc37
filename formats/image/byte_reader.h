// Little-endian reads at checked offsets of an untrusted buffer.
#pragma once

#include <cstddef>
#include <cstdint>

namespace morvel::formats::image {

class ByteReader {
public:
    ByteReader(const uint8_t *data, size_t size) : data_(data), size_(size) {}

    size_t Size() const { return size_; }
    const uint8_t *Data() const { return data_; }
    bool Has(size_t offset, size_t count) const { return offset <= size_ && count <= size_ - offset; }

    // Callers check Has() first; these never read outside the buffer anyway.
    uint8_t U8(size_t offset) const { return offset < size_ ? data_[offset] : 0; }
    uint16_t U16(size_t offset) const {
        return static_cast<uint16_t>(U8(offset) | (U8(offset + 1) << 8));
    }
    uint32_t U32(size_t offset) const {
        return static_cast<uint32_t>(U16(offset)) | (static_cast<uint32_t>(U16(offset + 2)) << 16);
    }
    int32_t I32(size_t offset) const { return static_cast<int32_t>(U32(offset)); }

private:
    const uint8_t *data_;
    size_t size_;
};

}  // namespace morvel::formats::image
