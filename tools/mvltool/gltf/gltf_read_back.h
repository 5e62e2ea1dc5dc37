// Test support: glTF files read back with tinygltf, their accessors as
// numbers and their nodes' transforms as matrices.
#pragma once

#include <tiny_gltf.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "base/d3d_types.h"
#include "mvllib/mvllib.h"

namespace morvel::convert::testing {

// 4x4, row r column c, for column vectors (glTF's convention).
using Matrix4 = std::array<std::array<double, 4>, 4>;

// T · R · S from glTF's translation, rotation (x, y, z, w) and scale.
Matrix4 Compose(const std::vector<double> &translation, const std::vector<double> &rotation,
                const std::vector<double> &scale);

// Loads a .gltf or .glb; images keep their encoded bytes in Image::image.
bool ReadModel(const std::string &path, tinygltf::Model &model, std::string &error);

// An accessor's components, converted to double (normalised integers as
// their integer values).
std::vector<double> ReadAccessor(const tinygltf::Model &model, int accessor);

// The bytes of an image, whether embedded or read from a file.
std::vector<uint8_t> ImageBytes(const tinygltf::Model &model, int image);

// The node's local matrix at key frame key of animation (its own
// translation, rotation and scale where no channel drives them), and the
// product with every ancestor's.
Matrix4 LocalMatrixAt(const tinygltf::Model &model, int animation, int node, size_t key);
Matrix4 WorldMatrixAt(const tinygltf::Model &model, int animation, int node, size_t key);

// The sampler output of animation's channel on node and path; empty when
// there is none. interpolation receives the sampler's interpolation.
std::vector<double> ChannelValues(const tinygltf::Model &model, int animation, int node,
                                  const std::string &path, std::string *interpolation = nullptr);

// The editor's row-vector matrix in glTF's frame: S · Mᵀ · S, S = diag(1, 1, -1, 1)
// when mirrorZ, else Mᵀ.
Matrix4 EditorMatrixInGltf(const morvel::Matrix &editor, bool mirrorZ);

// Largest difference between entries, each relative to max(1, |expected|).
double Difference(const Matrix4 &actual, const Matrix4 &expected);

// A new empty folder, removed with its contents at the end.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder &) = delete;
    TemporaryFolder &operator=(const TemporaryFolder &) = delete;
    std::string Path(const std::string &name) const { return (path_ / name).string(); }
    std::vector<std::string> FileNames() const;

private:
    std::filesystem::path path_;
};

// A document whose tables live in vectors the test owns (never handed to
// the library's release functions).
struct DocumentBuilder {
    MotionDocument document{};
    std::vector<PartEntry> parts;
    std::vector<MotionEntry> motions;
    std::vector<std::vector<FrameEntry>> frames;
    std::vector<std::vector<std::vector<PositionEntry>>> positions;

    DocumentBuilder();
    void AddPart(const std::string &fileName);
    // A motion whose frame f holds the positions of framePositions[f].
    void AddMotion(const std::string &name,
                   const std::vector<std::vector<PositionEntry>> &framePositions);
    // Points the document at the vectors; call after the last Add.
    MotionDocument &Finish();
};

PositionEntry Position(int16_t part, std::array<double, 3> translation = {0, 0, 0},
                       std::array<int16_t, 3> rotation = {0, 0, 0},
                       std::array<double, 3> scale = {1, 1, 1});

}  // namespace morvel::convert::testing
