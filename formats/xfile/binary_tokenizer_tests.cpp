// The binary token stream, written by hand: the same quad as in text form,
// with 4- and 8-byte floats, and streams cut short.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "formats/xfile/binary_tokenizer.h"
#include "xfile_test_support.h"

namespace morvel::formats::xfile {
namespace {

using testing::LoadText;
using testing::QuadMesh;

class BinaryWriter {
public:
    explicit BinaryWriter(unsigned floatSize = 4) : floatSize_(floatSize) {}
    BinaryWriter &Token(uint16_t id) { return U16(id); }
    BinaryWriter &Name(const std::string &name) { return Token(1).U32(uint32_t(name.size())).Bytes(name); }
    BinaryWriter &String(const std::string &text) { return Token(2).U32(uint32_t(text.size())).Bytes(text).U16(20); }
    BinaryWriter &Integers(const std::vector<uint32_t> &values) {
        Token(6).U32(uint32_t(values.size()));
        for (uint32_t v : values) U32(v);
        return *this;
    }
    BinaryWriter &Floats(const std::vector<double> &values) {
        Token(7).U32(uint32_t(values.size()));
        for (double v : values) {
            if (floatSize_ == 4) {
                const float f = float(v);
                Raw(&f, 4);
            } else {
                Raw(&v, 8);
            }
        }
        return *this;
    }
    BinaryWriter &Open() { return Token(10); }
    BinaryWriter &Close() { return Token(11); }
    BinaryWriter &U16(uint16_t v) { return Raw(&v, 2); }
    BinaryWriter &U32(uint32_t v) { return Raw(&v, 4); }
    BinaryWriter &Bytes(const std::string &s) { return Raw(s.data(), s.size()); }
    BinaryWriter &Raw(const void *p, size_t n) {
        const auto *b = static_cast<const uint8_t *>(p);
        bytes_.insert(bytes_.end(), b, b + n);
        return *this;
    }
    std::vector<uint8_t> File() const {
        const std::string header = floatSize_ == 4 ? "xof 0303bin 0032" : "xof 0303bin 0064";
        std::vector<uint8_t> file(header.begin(), header.end());
        file.insert(file.end(), bytes_.begin(), bytes_.end());
        return file;
    }

private:
    unsigned floatSize_;
    std::vector<uint8_t> bytes_;
};

// template Thing { <guid> DWORD n; } and a quad mesh with a named material.
BinaryWriter QuadStream(unsigned floatSize) {
    BinaryWriter w(floatSize);
    const uint8_t guid[16] = {0x46, 0xab, 0x82, 0x3d, 0xda, 0x62, 0xcf, 0x11, 0xab, 0x39, 0, 0x20, 0xaf, 0x71, 0xe4, 0x33};
    w.Token(31).Name("Thing").Open().Token(5).Raw(guid, 16).Token(41).Name("n").Token(20).Close();
    w.Name("Thing").Open().Integers({1, 2, 3}).Close();
    w.Name("Material").Name("Red").Open().Floats({1, 0, 0, 1, 5, 0, 0, 0, 0, 0, 0});
    w.Name("TextureFilename").Open().String("red.png").Close().Close();
    w.Name("Mesh").Name("quad").Open().Integers({4}).Floats({0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0});
    w.Integers({1, 4, 0, 1, 2, 3});
    w.Name("MeshMaterialList").Open().Integers({1, 1, 0}).Open().Name("Red").Close().Close();
    w.Close();
    return w;
}

TEST(BinaryFormat, LoadsLikeTheTextFormWithFourAndEightByteFloats) {
    MeshData text;
    ASSERT_TRUE(LoadText("Material Red { 1;0;0;1;; 5; 0;0;0;; 0;0;0;; TextureFilename { \"red.png\"; } }\n" +
                             QuadMesh("MeshMaterialList { 1; 1; 0;; { Red } }\n"),
                         text)
                    .ok);
    for (unsigned size : {4u, 8u}) {
        SCOPED_TRACE(size);
        const std::vector<uint8_t> file = QuadStream(size).File();
        MeshData mesh;
        const LoadResult result = LoadMeshFromXMemory(file.data(), file.size(), mesh);
        ASSERT_TRUE(result.ok) << result.error;
        EXPECT_EQ(mesh.vertices, text.vertices);
        EXPECT_EQ(mesh.indices, text.indices);
        ASSERT_EQ(mesh.materials.size(), 1u);
        EXPECT_EQ(mesh.materials[0].textureFileName, "red.png");
        EXPECT_FLOAT_EQ(mesh.materials[0].material.Power, 5.0f);
    }
}

TEST(BinaryFormat, EveryTruncationFailsCleanly) {
    const std::vector<uint8_t> file = QuadStream(4).File();
    for (size_t size = 0; size < file.size(); ++size) {
        const std::vector<uint8_t> cut(file.begin(), file.begin() + static_cast<long>(size));
        MeshData mesh;
        const LoadResult result = LoadMeshFromXMemory(cut.data(), cut.size(), mesh);
        EXPECT_FALSE(result.ok) << "cut at " << size;
        EXPECT_FALSE(result.error.empty());
    }
}

TEST(BinaryFormat, ListsAndNamesLongerThanTheDataAreRejected) {
    BinaryWriter longList;
    longList.Name("Mesh").Open().Token(6).U32(0x40000000).U32(4);
    BinaryWriter longName;
    longName.Token(1).U32(0xFFFFFFF0).Bytes("Mesh");
    BinaryWriter unknown;
    unknown.Name("Mesh").Open().Token(99);
    for (const BinaryWriter *w : {&longList, &longName, &unknown}) {
        const std::vector<uint8_t> file = w->File();
        MeshData mesh;
        const LoadResult result = LoadMeshFromXMemory(file.data(), file.size(), mesh);
        EXPECT_FALSE(result.ok);
        EXPECT_NE(result.error.find("offset 0x"), std::string::npos) << result.error;
    }
}

TEST(BinaryFormat, NamesWithControlBytesStillGiveOneLineErrors) {
    // Binary names may hold any byte; the error quoting one must stay one line.
    BinaryWriter strange;
    strange.Name(std::string("Th\xf8\n\r\0", 6));
    BinaryWriter reference;
    reference.Name("Mesh").Open().Integers({3}).Floats({0, 0, 0, 1, 0, 0, 0, 1, 0}).Integers({1, 3, 0, 1, 2});
    reference.Name("MeshMaterialList").Open().Integers({1, 1, 0}).Open().Name("line\nbreak").Close().Close().Close();
    for (const BinaryWriter *w : {&strange, &reference}) {
        const std::vector<uint8_t> file = w->File();
        MeshData mesh;
        const LoadResult result = LoadMeshFromXMemory(file.data(), file.size(), mesh);
        EXPECT_FALSE(result.ok);
        EXPECT_NE(result.error.find(w == &strange ? "Th\xf8???" : "line?break"), std::string::npos) << result.error;
        for (char c : result.error) ASSERT_GE(static_cast<unsigned char>(c), 0x20u) << result.error;
    }
}

TEST(BinaryTokenizer, ValuesCrossListBoundariesAndSeparators) {
    BinaryWriter w;
    w.Integers({7}).Token(20).Token(3).U32(8).Token(19).Integers({}).Integers({9, 10});
    std::vector<uint8_t> file = w.File();
    BinaryTokenizer tokens(file.data() + 16, file.data() + file.size(), 4);
    uint32_t values[4];
    for (uint32_t &v : values) ASSERT_TRUE(tokens.ReadUint(v)) << tokens.Error();
    EXPECT_EQ(values[0] + values[1] + values[2] + values[3], 34u);
    float f;
    EXPECT_FALSE(tokens.ReadFloat(f));
}

}  // namespace
}  // namespace morvel::formats::xfile
