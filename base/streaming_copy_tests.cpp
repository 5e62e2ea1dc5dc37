#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "base/streaming_copy.h"

namespace {

// Every alignment of the target and every length around the block and
// alignment edges: the bytes arrive as memcpy would put them, and not one
// byte around them changes.
TEST(StreamingCopy, CopiesExactlyTheBytesAtAnyAlignmentAndLength) {
    std::vector<uint8_t> source(400);
    for (size_t i = 0; i < source.size(); ++i) source[i] = static_cast<uint8_t>(i * 7 + 1);
    for (size_t offset = 0; offset < 16; ++offset) {
        for (size_t length = 0; length <= 300; ++length) {
            std::vector<uint8_t> target(offset + length + 32, 0xEE);
            morvel::base::StreamingCopy(target.data() + offset, source.data() + 3, length);
            morvel::base::FinishStreamingCopies();
            for (size_t i = 0; i < target.size(); ++i) {
                const bool inside = i >= offset && i < offset + length;
                ASSERT_EQ(target[i], inside ? source[i - offset + 3] : 0xEE)
                    << "offset " << offset << ", length " << length << ", byte " << i;
            }
        }
    }
}

}  // namespace
