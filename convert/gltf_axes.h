// Direct3D poses and vertices in glTF's frame.
//
// The editor places a part with the row-vector matrix
//     M = scaling · rotationX · rotationY · rotationZ · translation    (v' = v · M)
// and, unless the header asks for a right-handed view, shows it through a
// left-handed camera. glTF nodes are column-vector (v' = N · v) and
// right-handed. Mirroring Z, S = diag(1, 1, -1) (S = Sᵀ = S⁻¹), takes a
// left-handed point p to the right-handed p · S and gives the same picture,
// since the camera is mirrored with the scene. For a moved point
//     (p · M) · S = (p · S) · (S · M · S),
// so the pose in the new frame is S · M · S as a row-vector matrix, and its
// transpose N = S · Mᵀ · S as a column-vector one. S sits between every two
// factors (S · S = I), so each factor is conjugated on its own:
//     S · scalingᵀ · S     = scaling (diagonal matrices are unchanged)
//     S · rotationAᵀ · S   = the mirrored rotation (below)
//     S · translationᵀ · S = translation by (x, y, -z)
// and N = T · R · Sc with T = (tx, ty, -tz), Sc = (sx, sy, sz) and R the
// mirrored rotation Rz · Ry · Rx: exactly a glTF node's translation,
// rotation and scale, in the order glTF applies them.
//
// rotationX(a) of D3DX transposed is the right-hand-rule rotation by +a about
// X (likewise Y and Z), so Rz · Ry · Rx is the quaternion qZ ⊗ qY ⊗ qX.
// Mirroring a rotation by S turns its axis (x, y, z) into (x, y, -z) and, S
// being a reflection, negates its angle: quaternion (x, y, z, w) becomes
// (-x, -y, z, w).
//
// With the right-handed view (rightHanded != 0) the editor's camera is
// already right-handed, and N = Mᵀ without mirroring.
#pragma once

#include <array>

#include "mvllib/mvllib.h"

namespace morvel::convert {

struct NodeTransform {
    std::array<float, 3> translation{};
    std::array<float, 4> rotation{0, 0, 0, 1};  // x, y, z, w
    std::array<float, 3> scale{1, 1, 1};
};

struct Axes {
    bool mirrorZ = true;  // left-handed documents
    // Direct3D's front faces are clockwise on screen under the default cull
    // mode, glTF's counter-clockwise: the corners of every triangle are
    // swapped unless the document culls clockwise faces.
    bool reverseWinding = true;
    bool doubleSided = false;  // the document does not cull at all
};

// From the header's rightHanded and cullingMode.
Axes AxesOf(const MotionFileHeader &header);

// The position's scale, rotation and translation, rounded to single
// precision as the editor rounds them, as a glTF node transform.
NodeTransform PoseToNode(const PositionEntry &position, const Axes &axes);

// A point or direction of a mesh.
std::array<float, 3> ToGltf(float x, float y, float z, const Axes &axes);

}  // namespace morvel::convert
