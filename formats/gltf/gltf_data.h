// What the importers take from a glTF 2.0 file, checked and decoded: nodes
// with their local transforms, triangle meshes, materials, the encoded
// base-colour images and animation samplers. Names stay UTF-8, coordinates
// stay glTF's (right-handed, column vectors).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace morvel::formats::gltf {

// Column-major 4x4, as glTF stores it: element (row r, column c) at [c * 4 + r].
using Matrix4 = std::array<double, 16>;

struct NodeTransform {
    bool hasMatrix = false;
    Matrix4 matrix{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    std::array<double, 3> translation{0, 0, 0};
    std::array<double, 4> rotation{0, 0, 0, 1};  // x, y, z, w
    std::array<double, 3> scale{1, 1, 1};
};

struct Node {
    std::string name;
    int parent = -1;
    int mesh = -1;
    bool skinned = false;
    NodeTransform local;
};

// Triangles only (strips and fans are unrolled); attributes the primitive
// lacks are empty.
struct Primitive {
    std::vector<float> positions;  // 3 per vertex
    std::vector<float> normals;    // 3 per vertex
    std::vector<float> texCoords;  // 2 per vertex (TEXCOORD_0)
    std::vector<float> colours;    // 4 per vertex (COLOR_0), 0 to 1
    std::vector<uint32_t> indices; // 3 per triangle
    int material = -1;             // -1: glTF's default material
    bool morphTargets = false;
    // The accessors of POSITION, NORMAL, TEXCOORD_0 and COLOR_0 (-1 for
    // none): primitives with the same ones share their vertices.
    std::array<int, 4> attributeAccessors{-1, -1, -1, -1};
};

struct Mesh {
    std::string name;
    std::vector<Primitive> primitives;
};

struct Material {
    std::string name;
    std::array<float, 4> baseColour{1, 1, 1, 1};
    std::array<float, 3> emissive{0, 0, 0};
    int baseColourImage = -1;  // index into images
};

struct Image {
    std::string name;  // the image's name, else its file name, else empty
    std::vector<uint8_t> bytes;  // encoded (PNG, JPEG, ...); empty when it could not be read
};

enum class Interpolation { Step, Linear, CubicSpline };
enum class TargetPath { Translation, Rotation, Scale };

struct Channel {
    int node = -1;
    TargetPath path = TargetPath::Translation;
    Interpolation interpolation = Interpolation::Linear;
    std::vector<float> times;   // ascending
    std::vector<float> values;  // components per key (x 3 for CUBICSPLINE: in-tangent, value, out-tangent)

    size_t Components() const { return path == TargetPath::Rotation ? 4 : 3; }
};

struct Animation {
    std::string name;
    std::vector<Channel> channels;  // morph-weight channels are left out
};

struct Document {
    std::vector<Node> nodes;  // parents need not come first
    std::vector<std::vector<int>> scenes;  // root nodes of each scene
    int defaultScene = -1;
    std::vector<Mesh> meshes;
    std::vector<Material> materials;
    std::vector<Image> images;
    std::vector<Animation> animations;
    std::vector<std::string> warnings;  // what was left out, one line each
};

}  // namespace morvel::formats::gltf
