#include "formats/motion/scramble.h"

#include <cstdint>
#include <cstring>

namespace morvel::formats::motion {

void Scramble(void *destination, const void *source, int length, const char *key) {
    if (length <= 0) return;
    const unsigned char k = static_cast<unsigned char>(key[0]);
    const unsigned char *in = static_cast<const unsigned char *>(source);
    unsigned char *out = static_cast<unsigned char *>(destination);
    const size_t size = static_cast<size_t>(length);
    // Eight bytes at a time: every byte takes the same key, so a word takes
    // the key repeated. memcpy keeps this safe for overlapping and unaligned buffers.
    const uint64_t wordKey = 0x0101010101010101ull * k;
    size_t i = 0;
    for (; i + 8 <= size; i += 8) {
        uint64_t word;
        std::memcpy(&word, in + i, 8);
        word ^= wordKey;
        std::memcpy(out + i, &word, 8);
    }
    for (; i < size; ++i) out[i] = static_cast<unsigned char>(in[i] ^ k);
}

}  // namespace morvel::formats::motion
