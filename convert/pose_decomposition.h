// A glTF world transform as the editor's pose: scale · rotation X ·
// rotation Y · rotation Z · translation (row vectors), the angles in whole
// degrees. The glTF frame is right-handed and the editor's left-handed
// default view is not: Z is mirrored on the way in (as the glTF export
// mirrors it on the way out, see gltf_axes.h), so the figure looks the same
// in both and a figure exported and imported again keeps its matrices.
#pragma once

#include <array>
#include <cstdint>

#include "formats/gltf/gltf_data.h"

namespace morvel::convert {

struct EditorPose {
    std::array<double, 3> scale{1, 1, 1};
    std::array<int16_t, 3> rotation{0, 0, 0};  // degrees
    std::array<double, 3> translation{0, 0, 0};
    bool sheared = false;  // the matrix has shear no pose can express
    // How far rounding to whole degrees turned the angles, in radians, summed
    // over the three: no point at distance r from the origin moves more than
    // r times this (times the largest scale).
    double roundingTurn = 0;
};

// Row-vector 4x4 in the editor's frame.
using RowMatrix = std::array<std::array<double, 4>, 4>;

// S · Wᵀ · S with S = diag(1, 1, -1, 1).
RowMatrix EditorMatrixOf(const formats::gltf::Matrix4 &world);

EditorPose DecomposePose(const RowMatrix &matrix);

// The pose's matrix as the editor builds it (single-precision radians of
// whole degrees), in double.
RowMatrix PoseMatrix(const EditorPose &pose);

// How far the pose moves the corners of the box [low, high] (in the part's
// own coordinates) from where the matrix puts them.
double LargestCornerMove(const RowMatrix &matrix, const EditorPose &pose,
                         const std::array<float, 3> &low, const std::array<float, 3> &high);

// Column-vector products and the local transform of a glTF node.
formats::gltf::Matrix4 MultiplyMatrices(const formats::gltf::Matrix4 &a, const formats::gltf::Matrix4 &b);
formats::gltf::Matrix4 ComposeTrs(const std::array<double, 3> &translation,
                                  const std::array<double, 4> &rotation,
                                  const std::array<double, 3> &scale);

}  // namespace morvel::convert
