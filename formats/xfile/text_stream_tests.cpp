// Text read through the tokenizer's window gives what the whole buffer
// gives, also where tokens, comments and skipped blocks cross the window.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "formats/xfile/mesh_builder.h"
#include "formats/xfile/x_object_parser.h"

namespace morvel::formats::xfile {
namespace {

// Hands out the text in pieces of a few bytes, as a slow pipe would.
class DribbleSource : public ByteSource {
public:
    explicit DribbleSource(const std::string &text) : text_(text) {}
    size_t Read(char *buffer, size_t capacity) override {
        const size_t size = std::min({capacity, text_.size() - pos_, size_t{4093}});
        std::memcpy(buffer, text_.data() + pos_, size);
        pos_ += size;
        return size;
    }

private:
    const std::string &text_;
    size_t pos_ = 0;
};

// A body of about 2 MB: many small meshes between long comments, skipped
// blocks holding strings with braces, and a string near the bound.
std::string LargeBody() {
    std::string body = "\n";
    for (int i = 0; body.size() < 2'000'000; ++i) {
        body += "Mesh m" + std::to_string(i) + " { 3; " + std::to_string(i) + ";0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; }\n";
        if (i % 50 == 0) body += "// " + std::string(30000 + i, 'c') + " } {\n";
        if (i % 70 == 0) body += "Skipped { \"" + std::string(100000, '{') + "\"; Inner { 1; } }\n";
        if (i % 90 == 0) {
            body += "Material M" + std::to_string(i) + " { 1;1;1;1;; 1; 0;0;0;; 0;0;0;; TextureFilename { \"" +
                    std::string(60000, 't') + "\"; } }\n";
        }
    }
    return body;
}

TEST(TextStream, GivesTheSameMeshAsTheWholeBuffer) {
    const std::string body = LargeBody();
    XScene whole, streamed;
    std::string error;
    ASSERT_TRUE(ParseTextObjects(body.data(), body.data() + body.size(), whole, error)) << error;
    DribbleSource source(body);
    ASSERT_TRUE(ParseTextObjects(source, body.size(), streamed, error)) << error;
    MeshData a, b;
    ASSERT_TRUE(BuildMeshData(whole, a, error));
    ASSERT_TRUE(BuildMeshData(streamed, b, error));
    EXPECT_GT(a.vertexCount, 2000u);
    EXPECT_EQ(a.vertices, b.vertices);
    EXPECT_EQ(a.indices, b.indices);
}

TEST(TextStream, ErrorsFarIntoTheFileNameTheirLine) {
    std::string body = "\n";
    for (int line = 2; line < 100000; ++line) body += "// filler line " + std::to_string(line) + "\n";
    body += "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,x;; }\n";  // line 100000
    DribbleSource source(body);
    XScene scene;
    std::string error;
    EXPECT_FALSE(ParseTextObjects(source, body.size(), scene, error));
    EXPECT_EQ(error, "line 100000: expected a non-negative integer");
}

TEST(TextStream, CountsAreCheckedAgainstTheWholeRemainingInput) {
    const std::string body = "\nMesh { 3000000; 0;0;0;; }";
    DribbleSource source(body);
    XScene scene;
    std::string error;
    EXPECT_FALSE(ParseTextObjects(source, body.size(), scene, error));
    EXPECT_NE(error.find("larger than the rest of the file"), std::string::npos) << error;
}

}  // namespace
}  // namespace morvel::formats::xfile
