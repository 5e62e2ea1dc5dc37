// The reader on the files other tools wrote and on files written to break
// it: every bad index, range and URI ends in a message, never a read past a
// buffer or a file outside the glTF file's folder.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "fixture_files.h"
#include "formats/gltf/animation_sampler.h"
#include "formats/gltf/gltf_reader.h"
#include "temp_folder.h"

namespace morvel::formats::gltf {
namespace {

std::string Base64(const std::vector<uint8_t> &bytes) {
    static const char *digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const size_t left = bytes.size() - i;
        const uint32_t group = uint32_t(bytes[i]) << 16 | (left > 1 ? uint32_t(bytes[i + 1]) << 8 : 0) |
                               (left > 2 ? bytes[i + 2] : 0);
        for (size_t k = 0; k < 4; ++k) out += k <= left ? digits[(group >> (18 - 6 * k)) & 63] : '=';
    }
    return out;
}

// A triangle: 3 float positions (36 bytes) then 3 16-bit indices.
std::vector<uint8_t> TriangleBuffer() {
    const float positions[] = {0, 0, 0, 1, 0, 0, 0, 1, 0};
    const uint16_t indices[] = {0, 1, 2};
    std::vector<uint8_t> bytes(sizeof positions + sizeof indices);
    std::memcpy(bytes.data(), positions, sizeof positions);
    std::memcpy(bytes.data() + sizeof positions, indices, sizeof indices);
    return bytes;
}

// The triangle file with parts of its JSON replaced: {POSITION} the position
// accessor, {VIEWS} the buffer views, {NODES} the nodes, {EXTRA} more members.
const std::string kPosition = R"({"bufferView":0,"componentType":5126,"count":3,"type":"VEC3"})";
const std::string kViews = R"({"buffer":0,"byteLength":36},{"buffer":0,"byteOffset":36,"byteLength":6})";

std::string TriangleJson(const std::string &position = kPosition, const std::string &views = kViews,
                         const std::string &nodes = R"({"mesh":0})", const std::string &extra = "",
                         const std::string &bufferUri = "") {
    const std::vector<uint8_t> buffer = TriangleBuffer();
    const std::string uri = bufferUri.empty() ? "data:application/octet-stream;base64," + Base64(buffer) : bufferUri;
    return R"({"asset":{"version":"2.0"},"buffers":[{"byteLength":42,"uri":")" + uri + R"("}],"bufferViews":[)" +
           views + R"(],"accessors":[)" + position +
           R"(,{"bufferView":1,"componentType":5123,"count":3,"type":"SCALAR"}],"meshes":[{"primitives":[{"attributes":{"POSITION":0},"indices":1}]}],"nodes":[)" +
           nodes + "]" + extra + "}";
}

bool Read(const std::string &json, Document &document, std::string &error, const std::string &folder = "") {
    return ReadGltf(reinterpret_cast<const uint8_t *>(json.data()), json.size(), folder, document, error);
}

TEST(GltfReader, AGoodTriangleReadsBack) {
    Document document;
    std::string error;
    ASSERT_TRUE(Read(TriangleJson(), document, error)) << error;
    ASSERT_EQ(document.meshes.size(), 1u);
    const Primitive &p = document.meshes[0].primitives.at(0);
    EXPECT_EQ(p.positions, (std::vector<float>{0, 0, 0, 1, 0, 0, 0, 1, 0}));
    EXPECT_EQ(p.indices, (std::vector<uint32_t>{0, 1, 2}));
    EXPECT_EQ(document.nodes.at(0).mesh, 0);
}

TEST(GltfReader, BadIndicesAndRangesEndInAMessage) {
    struct Case {
        const char *what;
        std::string json;
    };
    const Case cases[] = {
        {"count past the view", TriangleJson(R"({"bufferView":0,"componentType":5126,"count":4,"type":"VEC3"})")},
        {"offset past the view", TriangleJson(R"({"bufferView":0,"byteOffset":40,"componentType":5126,"count":3,"type":"VEC3"})")},
        {"view past the buffer", TriangleJson(R"({"bufferView":0,"componentType":5126,"count":3,"type":"VEC3"})",
                                              R"({"buffer":0,"byteLength":36},{"buffer":0,"byteOffset":40,"byteLength":6})")},
        {"stride below the element", TriangleJson(R"({"bufferView":0,"componentType":5126,"count":3,"type":"VEC3"})",
                                                  R"({"buffer":0,"byteLength":36,"byteStride":4},{"buffer":0,"byteOffset":36,"byteLength":6})")},
        {"no view, huge count", TriangleJson(R"({"componentType":5126,"count":4000000000,"type":"VEC3"})")},
        {"missing view", TriangleJson(R"({"bufferView":7,"componentType":5126,"count":3,"type":"VEC3"})")},
        {"wrong element type", TriangleJson(R"({"bufferView":0,"componentType":5126,"count":3,"type":"VEC4"})")},
        {"missing mesh", TriangleJson(R"({"bufferView":0,"componentType":5126,"count":3,"type":"VEC3"})",
                                      R"({"buffer":0,"byteLength":36},{"buffer":0,"byteOffset":36,"byteLength":6})",
                                      R"({"mesh":3})")},
        {"a cycle", TriangleJson(R"({"bufferView":0,"componentType":5126,"count":3,"type":"VEC3"})",
                                 R"({"buffer":0,"byteLength":36},{"buffer":0,"byteOffset":36,"byteLength":6})",
                                 R"({"mesh":0,"children":[1]},{"children":[0]})")},
        {"sparse beyond", TriangleJson(R"({"bufferView":0,"componentType":5126,"count":3,"type":"VEC3","sparse":{"count":4,"indices":{"bufferView":1,"componentType":5123},"values":{"bufferView":0}}})")},
        {"index beyond the vertices", TriangleJson(R"({"bufferView":0,"componentType":5126,"count":2,"type":"VEC3"})")},
        {"not JSON", "{\"asset\": "},
        {"truncated binary", std::string("glTF\x02\0\0\0\xff\0\0\0", 12)},
    };
    for (const Case &c : cases) {
        Document document;
        std::string error;
        EXPECT_FALSE(Read(c.json, document, error)) << c.what << ": " << error;
        EXPECT_FALSE(error.empty()) << c.what;
        EXPECT_EQ(error.find('\n'), std::string::npos) << c.what << ": " << error;
    }
}

TEST(GltfReader, ExternalFilesComeOnlyFromTheFilesFolder) {
    morvel::testing::TempFolder folder;
    std::filesystem::create_directories(folder.Root() / "inner");
    morvel::testing::WriteBytes(folder.Path("inner/tri.bin"), TriangleBuffer());
    morvel::testing::WriteBytes(folder.Path("secret.bin"), TriangleBuffer());
    const std::string inner = folder.Path("inner");
    Document document;
    std::string error;
    EXPECT_TRUE(Read(TriangleJson(kPosition, kViews, R"({"mesh":0})", "", "tri.bin"), document, error, inner)) << error;
    const char *climbing[] = {"../secret.bin", "%2e%2e/secret.bin", "sub/../../secret.bin", "/etc/passwd",
                              "C:/secret.bin", "..\\secret.bin", "file:///etc/passwd"};
    for (const char *uri : climbing) {
        EXPECT_FALSE(Read(TriangleJson(R"({"bufferView":0,"componentType":5126,"count":3,"type":"VEC3"})",
                                       R"({"buffer":0,"byteLength":36},{"buffer":0,"byteOffset":36,"byteLength":6})",
                                       R"({"mesh":0})", "", uri),
                          document, error, inner))
            << uri;
    }
    // Without a folder (a file read from memory) nothing external is read at all.
    EXPECT_FALSE(Read(TriangleJson(kPosition, kViews, R"({"mesh":0})", "", "tri.bin"), document, error));
    const std::string image = R"(,"images":[{"uri":"../secret.png"}])";
    EXPECT_FALSE(Read(TriangleJson(R"({"bufferView":0,"componentType":5126,"count":3,"type":"VEC3"})",
                                   R"({"buffer":0,"byteLength":36},{"buffer":0,"byteOffset":36,"byteLength":6})",
                                   R"({"mesh":0})", image),
                      document, error, inner));
    EXPECT_NE(error.find("refused"), std::string::npos) << error;
}

Channel MakeChannel(TargetPath path, Interpolation interpolation, std::vector<float> times, std::vector<float> values) {
    Channel c;
    c.node = 0;
    c.path = path;
    c.interpolation = interpolation;
    c.times = std::move(times);
    c.values = std::move(values);
    return c;
}

TEST(AnimationSampler, EvaluatesAsGltfDefines) {
    const Channel step = MakeChannel(TargetPath::Translation, Interpolation::Step, {0, 1}, {0, 0, 0, 10, 0, 0});
    EXPECT_EQ(SampleChannel(step, 0.99)[0], 0);
    EXPECT_EQ(SampleChannel(step, 1.0)[0], 10);
    const Channel linear = MakeChannel(TargetPath::Scale, Interpolation::Linear, {1, 2}, {1, 1, 1, 3, 3, 3});
    EXPECT_DOUBLE_EQ(SampleChannel(linear, 1.25)[1], 1.5);
    EXPECT_EQ(SampleChannel(linear, 0)[0], 1) << "before the first key";
    EXPECT_EQ(SampleChannel(linear, 9)[0], 3) << "a channel that ended holds its last value";
    // Quarter turns about Z, the second key on the other hemisphere, not unit length.
    const double h = std::sqrt(0.5);
    const Channel turn = MakeChannel(TargetPath::Rotation, Interpolation::Linear, {0, 1},
                                     {0, 0, 0, 2, 0, 0, float(-h), float(-h)});
    const auto half = SampleChannel(turn, 0.5);
    EXPECT_NEAR(half[2], std::sin(std::acos(-1.0) / 8), 1e-6) << "the short way round";
    EXPECT_NEAR(half[3], std::cos(std::acos(-1.0) / 8), 1e-6);
    // A Hermite segment: in-tangent, value, out-tangent per key.
    const Channel cubic = MakeChannel(TargetPath::Translation, Interpolation::CubicSpline, {0, 2},
                                      {0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0, 0});
    // p(t) = (t^3 - 2t^2 + t) * 2 * 1 + (-2t^3 + 3t^2) * 4 at t = 0.5
    EXPECT_DOUBLE_EQ(SampleChannel(cubic, 1.0)[0], 0.125 * 2 * 1 + 0.5 * 4);
}

TEST(GltfReader, FixturesFromOtherTools) {
    MORVEL_REQUIRE_FIXTURES("gltf/AnimatedTriangle/AnimatedTriangle.gltf", "gltf/SimpleMeshes/SimpleMeshes.gltf",
                            "gltf/BoxVertexColors/BoxVertexColors.gltf");
    Document triangle, meshes, box;
    std::string error;
    ASSERT_TRUE(ReadGltfFile(morvel::testing::FixturePath("gltf/AnimatedTriangle/AnimatedTriangle.gltf"), triangle, error)) << error;
    ASSERT_EQ(triangle.animations.size(), 1u);
    const Channel &rotation = triangle.animations[0].channels.at(0);
    EXPECT_EQ(rotation.times.size(), 5u);
    EXPECT_EQ(TimeRange(triangle.animations[0]), (std::array<double, 2>{0, 1}));
    ASSERT_TRUE(ReadGltfFile(morvel::testing::FixturePath("gltf/SimpleMeshes/SimpleMeshes.gltf"), meshes, error)) << error;
    EXPECT_EQ(meshes.nodes.size(), 2u);
    EXPECT_EQ(meshes.nodes[0].mesh, meshes.nodes[1].mesh);
    ASSERT_TRUE(ReadGltfFile(morvel::testing::FixturePath("gltf/BoxVertexColors/BoxVertexColors.gltf"), box, error)) << error;
    size_t coloured = 0;
    for (const Mesh &mesh : box.meshes) {
        for (const Primitive &p : mesh.primitives) coloured += p.colours.size() == p.positions.size() / 3 * 4 ? 1 : 0;
    }
    EXPECT_GE(coloured, 1u);
}

}  // namespace
}  // namespace morvel::formats::gltf
