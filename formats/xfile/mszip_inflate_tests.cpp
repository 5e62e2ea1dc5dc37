// Compressed bodies made with zlib the way MSZIP writers make them: blocks
// of at most 32 KiB, each deflated with the previous output as dictionary.
#include <gtest/gtest.h>
#include <zlib.h>

#include <string>
#include <vector>

#include "formats/xfile/mszip_inflate.h"
#include "xfile_test_support.h"

namespace morvel::formats::xfile {
namespace {

void PutU16(std::vector<uint8_t> &out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

std::vector<uint8_t> DeflateBlock(const uint8_t *data, size_t size, const uint8_t *dictionary, size_t dictionarySize) {
    z_stream z{};
    EXPECT_EQ(deflateInit2(&z, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY), Z_OK);
    if (dictionarySize > 0) deflateSetDictionary(&z, dictionary, uInt(dictionarySize));
    std::vector<uint8_t> out(deflateBound(&z, uLong(size)) + 16);
    z.next_in = const_cast<Bytef *>(data);
    z.avail_in = uInt(size);
    z.next_out = out.data();
    z.avail_out = uInt(out.size());
    EXPECT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

// The compressed body of a file whose uncompressed body is `body`.
std::vector<uint8_t> Compress(const std::string &body, size_t blockSize = 32768) {
    std::vector<uint8_t> out;
    const uint32_t total = uint32_t(body.size() + 16);
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(total >> (8 * i)));
    const auto *data = reinterpret_cast<const uint8_t *>(body.data());
    for (size_t start = 0; start < body.size(); start += blockSize) {
        const size_t size = std::min(blockSize, body.size() - start);
        const size_t dictionary = std::min<size_t>(start, 32768);
        const std::vector<uint8_t> packed = DeflateBlock(data + start, size, data + start - dictionary, dictionary);
        PutU16(out, uint32_t(size));
        PutU16(out, uint32_t(packed.size() + 2));
        out.push_back('C');
        out.push_back('K');
        out.insert(out.end(), packed.begin(), packed.end());
    }
    return out;
}

std::string Repetitive(size_t size) {
    std::string text;
    for (size_t i = 0; text.size() < size; ++i) text += "vertex " + std::to_string(i % 977) + ";\n";
    text.resize(size);
    return text;
}

TEST(MsZip, InflatesBlocksThatReachBackIntoEarlierOutput) {
    const std::string body = Repetitive(100000);
    const std::vector<uint8_t> packed = Compress(body);
    std::vector<uint8_t> out;
    std::string error;
    ASSERT_TRUE(InflateMsZip(packed.data(), packed.size(), out, error)) << error;
    EXPECT_EQ(std::string(out.begin(), out.end()), body);
}

TEST(MsZip, ACompressedTextFileLoadsLikeItsText) {
    const std::string body = "\n" + testing::QuadMesh();
    std::vector<uint8_t> file = {'x', 'o', 'f', ' ', '0', '3', '0', '3', 't', 'z', 'i', 'p', '0', '0', '3', '2'};
    const std::vector<uint8_t> packed = Compress(body, 16);  // many tiny blocks
    file.insert(file.end(), packed.begin(), packed.end());
    MeshData compressed, plain;
    const LoadResult result = LoadMeshFromXMemory(file.data(), file.size(), compressed);
    ASSERT_TRUE(result.ok) << result.error;
    ASSERT_TRUE(testing::LoadText(testing::QuadMesh(), plain).ok);
    EXPECT_EQ(compressed.vertices, plain.vertices);
}

TEST(MsZip, DamagedStreamsFail) {
    const std::string body = Repetitive(5000);
    const std::vector<uint8_t> good = Compress(body, 2000);
    struct Case {
        const char *what;
        std::vector<uint8_t> data;
    };
    std::vector<Case> cases;
    {
        auto d = good;
        d[4] = uint8_t(d[4] + 1);  // first block declares one byte more than it inflates to
        cases.push_back({"size larger", d});
    }
    {
        auto d = good;
        d[4] = uint8_t(d[4] - 1);  // ... and one byte less
        cases.push_back({"size smaller", d});
    }
    {
        auto d = good;
        d[8] = 'X';
        cases.push_back({"no CK", d});
    }
    {
        auto d = good;
        for (size_t i = 10; i < 40; ++i) d[i] = 0xFF;
        cases.push_back({"broken deflate", d});
    }
    {
        auto d = good;
        d[0] = 0xFF, d[1] = 0xFF, d[2] = 0xFF, d[3] = 0x7F;
        cases.push_back({"total size beyond any inflation", d});
    }
    {
        auto d = good;
        d[0] = uint8_t(d[0] + 1);
        cases.push_back({"total one byte longer", d});
    }
    cases.push_back({"truncated", std::vector<uint8_t>(good.begin(), good.end() - 5)});
    cases.push_back({"no blocks", std::vector<uint8_t>(good.begin(), good.begin() + 4)});
    for (const Case &c : cases) {
        std::vector<uint8_t> out;
        std::string error;
        EXPECT_FALSE(InflateMsZip(c.data.data(), c.data.size(), out, error)) << c.what;
        EXPECT_EQ(error.rfind("compressed data: ", 0), 0u) << c.what << ": " << error;
    }
}

}  // namespace
}  // namespace morvel::formats::xfile
