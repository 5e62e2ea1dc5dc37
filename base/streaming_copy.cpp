#include "base/streaming_copy.h"

#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace morvel::base {

void StreamingCopy(void *target, const void *source, size_t bytes) {
#if defined(__SSE2__)
    constexpr size_t kBlock = 64;  // one cache line, four streamed stores
    auto *to = static_cast<unsigned char *>(target);
    const auto *from = static_cast<const unsigned char *>(source);
    const size_t head = (16 - reinterpret_cast<uintptr_t>(to) % 16) % 16;
    if (bytes < head + kBlock) {
        std::memcpy(to, from, bytes);
        return;
    }
    std::memcpy(to, from, head);
    to += head;
    from += head;
    bytes -= head;
    for (; bytes >= kBlock; bytes -= kBlock, to += kBlock, from += kBlock) {
        for (size_t part = 0; part < kBlock; part += 16) {
            const __m128i value = _mm_loadu_si128(reinterpret_cast<const __m128i *>(from + part));
            _mm_stream_si128(reinterpret_cast<__m128i *>(to + part), value);
        }
    }
    std::memcpy(to, from, bytes);
#else
    std::memcpy(target, source, bytes);
#endif
}

void FinishStreamingCopies() {
#if defined(__SSE2__)
    _mm_sfence();
#endif
}

}  // namespace morvel::base
