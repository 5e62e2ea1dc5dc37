#include "convert/pose_decomposition.h"

#include <algorithm>
#include <cmath>

#include "base/d3d_types.h"

namespace morvel::convert {
namespace {

constexpr double kPi = 3.14159265358979323846;

// Rows of a rotation this far from orthonormal mean shear.
constexpr double kShearTolerance = 1e-4;

RowMatrix Identity() {
    RowMatrix m{};
    for (int i = 0; i < 4; ++i) m[i][i] = 1;
    return m;
}

RowMatrix Times(const RowMatrix &a, const RowMatrix &b) {
    RowMatrix out{};
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            for (int k = 0; k < 4; ++k) out[r][c] += a[r][k] * b[k][c];
        }
    }
    return out;
}

// D3DXMatrixRotationX/Y/Z's layout (row vectors, left-handed).
RowMatrix Rotation(int axis, int16_t degrees) {
    RowMatrix m = Identity();
    const double radians = static_cast<double>(DegreesToRadians(degrees));
    const double c = std::cos(radians), s = std::sin(radians);
    const int a = (axis + 1) % 3, b = (axis + 2) % 3;
    m[a][a] = c;
    m[a][b] = s;
    m[b][a] = -s;
    m[b][b] = c;
    return m;
}

int16_t WholeDegrees(double radians) {
    double degrees = std::round(radians * 180.0 / kPi);
    if (degrees > 180) degrees -= 360;
    if (degrees <= -180) degrees += 360;
    return static_cast<int16_t>(degrees);
}

// Twelve significant digits: the products of a decomposition carry noise in
// the last bits (1.0000000000000002) that the dialogs would show; single
// precision, which the editor draws with, keeps far fewer. No negative zero.
double Clean(double value) {
    if (value == 0 || !std::isfinite(value)) return value == 0 ? 0.0 : value;
    const double magnitude = std::pow(10.0, 11 - std::floor(std::log10(std::fabs(value))));
    return std::isfinite(magnitude) && std::isfinite(value * magnitude)
               ? std::round(value * magnitude) / magnitude + 0.0
               : value;
}

}  // namespace

RowMatrix EditorMatrixOf(const formats::gltf::Matrix4 &world) {
    static const double s[4] = {1, 1, -1, 1};
    RowMatrix m{};
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) m[i][j] = s[i] * s[j] * world[size_t(i) * 4 + size_t(j)];
    }
    return m;
}

EditorPose DecomposePose(const RowMatrix &m) {
    EditorPose pose;
    pose.translation = {m[3][0], m[3][1], m[3][2]};
    std::array<std::array<double, 3>, 3> r{};
    for (int i = 0; i < 3; ++i) {
        pose.scale[i] = std::sqrt(m[i][0] * m[i][0] + m[i][1] * m[i][1] + m[i][2] * m[i][2]);
    }
    const double det = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                       m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                       m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
    if (det < 0) {
        for (double &s : pose.scale) s = -s;  // a mirror: every axis, so the rotation stays one
    }
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            r[i][j] = pose.scale[i] != 0 ? m[i][j] / pose.scale[i] : (i == j ? 1 : 0);
        }
    }
    for (int i = 0; i < 3; ++i) {
        for (int j = i + 1; j < 3; ++j) {
            const double dot = r[i][0] * r[j][0] + r[i][1] * r[j][1] + r[i][2] * r[j][2];
            if (std::fabs(dot) > kShearTolerance && pose.scale[i] != 0 && pose.scale[j] != 0) {
                pose.sheared = true;
            }
        }
    }
    // R = Rx(a) · Ry(b) · Rz(c) has R[0][2] = -sin b, R[1][2] = sin a cos b,
    // R[2][2] = cos a cos b, R[0][1] = cos b sin c, R[0][0] = cos b cos c.
    const double sinB = std::clamp(-r[0][2], -1.0, 1.0);
    const double b = std::asin(sinB);
    double a, c;
    if (std::fabs(sinB) < 1 - 1e-9) {
        a = std::atan2(r[1][2], r[2][2]);
        c = std::atan2(r[0][1], r[0][0]);
    } else {  // gimbal lock: only a - c or a + c is known; c = 0
        c = 0;
        a = std::atan2(-r[2][1], r[1][1]);
    }
    pose.rotation = {WholeDegrees(a), WholeDegrees(b), WholeDegrees(c)};
    for (double &v : pose.scale) v = Clean(v);
    for (double &v : pose.translation) v = Clean(v);
    return pose;
}

RowMatrix PoseMatrix(const EditorPose &pose) {
    RowMatrix m = Identity();
    for (int i = 0; i < 3; ++i) m[i][i] = static_cast<float>(pose.scale[i]);
    for (int axis = 0; axis < 3; ++axis) m = Times(m, Rotation(axis, pose.rotation[axis]));
    RowMatrix t = Identity();
    for (int i = 0; i < 3; ++i) t[3][i] = static_cast<float>(pose.translation[i]);
    return Times(m, t);
}

double LargestCornerMove(const RowMatrix &matrix, const EditorPose &pose,
                         const std::array<float, 3> &low, const std::array<float, 3> &high) {
    const RowMatrix posed = PoseMatrix(pose);
    double largest = 0;
    for (int corner = 0; corner < 8; ++corner) {
        const double p[4] = {(corner & 1) ? high[0] : low[0], (corner & 2) ? high[1] : low[1],
                             (corner & 4) ? high[2] : low[2], 1};
        double squared = 0;
        for (int j = 0; j < 3; ++j) {
            double want = 0, got = 0;
            for (int k = 0; k < 4; ++k) {
                want += p[k] * matrix[k][j];
                got += p[k] * posed[k][j];
            }
            squared += (want - got) * (want - got);
        }
        largest = std::max(largest, std::sqrt(squared));
    }
    return largest;
}

formats::gltf::Matrix4 MultiplyMatrices(const formats::gltf::Matrix4 &a, const formats::gltf::Matrix4 &b) {
    formats::gltf::Matrix4 out{};
    for (size_t c = 0; c < 4; ++c) {
        for (size_t r = 0; r < 4; ++r) {
            double sum = 0;
            for (size_t k = 0; k < 4; ++k) sum += a[k * 4 + r] * b[c * 4 + k];
            out[c * 4 + r] = sum;
        }
    }
    return out;
}

formats::gltf::Matrix4 ComposeTrs(const std::array<double, 3> &t, const std::array<double, 4> &q,
                                  const std::array<double, 3> &s) {
    double length = std::sqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3]);
    if (!(length > 0) || !std::isfinite(length)) length = 1;
    const double x = q[0] / length, y = q[1] / length, z = q[2] / length, w = q[3] / length;
    // Columns of R · S, then the translation.
    const double r[3][3] = {{1 - 2 * (y * y + z * z), 2 * (x * y + z * w), 2 * (x * z - y * w)},
                            {2 * (x * y - z * w), 1 - 2 * (x * x + z * z), 2 * (y * z + x * w)},
                            {2 * (x * z + y * w), 2 * (y * z - x * w), 1 - 2 * (x * x + y * y)}};
    formats::gltf::Matrix4 m{};
    for (size_t c = 0; c < 3; ++c) {
        for (size_t row = 0; row < 3; ++row) m[c * 4 + row] = r[c][row] * s[c];
    }
    m[12] = t[0];
    m[13] = t[1];
    m[14] = t[2];
    m[15] = 1;
    return m;
}

}  // namespace morvel::convert
