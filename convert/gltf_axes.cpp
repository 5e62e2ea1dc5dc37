#include "convert/gltf_axes.h"

#include <cmath>

#include "base/d3d_types.h"

namespace morvel::convert {
namespace {

struct Quaternion {
    double x = 0, y = 0, z = 0, w = 1;
};

// a ⊗ b: the rotation b first, then a.
Quaternion Multiply(const Quaternion &a, const Quaternion &b) {
    return {a.w * b.x + a.x * b.w + a.y * b.z - a.z * b.y,
            a.w * b.y - a.x * b.z + a.y * b.w + a.z * b.x,
            a.w * b.z + a.x * b.y - a.y * b.x + a.z * b.w,
            a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z};
}

// The half angle of the same single-precision radians the editor's matrices use.
Quaternion AboutAxis(int axis, int16_t degrees) {
    Quaternion q;
    if (degrees == 0) return q;
    const double half = static_cast<double>(morvel::DegreesToRadians(degrees)) / 2;
    (axis == 0 ? q.x : axis == 1 ? q.y : q.z) = std::sin(half);
    q.w = std::cos(half);
    return q;
}

}  // namespace

Axes AxesOf(const MotionFileHeader &header) {
    Axes axes;
    axes.mirrorZ = header.rightHanded == 0;
    axes.reverseWinding = header.cullingMode != 1;
    axes.doubleSided = header.cullingMode == 0;
    return axes;
}

NodeTransform PoseToNode(const PositionEntry &position, const Axes &axes) {
    NodeTransform node;
    const auto &t = position.translation;
    node.translation =
        ToGltf(static_cast<float>(t.x), static_cast<float>(t.y), static_cast<float>(t.z), axes);
    node.scale = {static_cast<float>(position.scale.x), static_cast<float>(position.scale.y),
                  static_cast<float>(position.scale.z)};
    const auto &r = position.rotation;
    Quaternion q = Multiply(AboutAxis(2, r.z), Multiply(AboutAxis(1, r.y), AboutAxis(0, r.x)));
    if (axes.mirrorZ) {
        q.x = -q.x;
        q.y = -q.y;
    }
    const double length = std::sqrt(q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w);
    node.rotation = {static_cast<float>(q.x / length), static_cast<float>(q.y / length),
                     static_cast<float>(q.z / length), static_cast<float>(q.w / length)};
    return node;
}

std::array<float, 3> ToGltf(float x, float y, float z, const Axes &axes) {
    return {x, y, axes.mirrorZ ? 0.0f - z : z};  // 0 - z: no negative zeros in the file
}

}  // namespace morvel::convert
