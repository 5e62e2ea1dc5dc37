#include "convert/pose_decomposition.h"

#include <algorithm>
#include <cmath>

#include "base/d3d_types.h"

namespace morvel::convert {
namespace {

constexpr double kPi = 3.14159265358979323846;

// Rows of a rotation this far from orthonormal mean shear.
constexpr double kShearTolerance = 1e-4;

// Sine and cosine of the editor's single-precision radians of -180 to 180
// degrees, the only angles a decomposition yields.
struct AngleTable {
    double sine[361], cosine[361];
    AngleTable() {
        for (int d = -180; d <= 180; ++d) {
            const double radians = static_cast<double>(DegreesToRadians(d));
            sine[d + 180] = std::sin(radians);
            cosine[d + 180] = std::cos(radians);
        }
    }
};

void SineCosine(int16_t degrees, double &sine, double &cosine) {
    static const AngleTable table;
    if (degrees >= -180 && degrees <= 180) {
        sine = table.sine[degrees + 180];
        cosine = table.cosine[degrees + 180];
        return;
    }
    const double radians = static_cast<double>(DegreesToRadians(degrees));
    sine = std::sin(radians);
    cosine = std::cos(radians);
}

int16_t WholeDegrees(double radians) {
    if (!std::isfinite(radians)) return 0;  // the caller refuses the pose for its scale or translation
    double degrees = std::round(radians * 180.0 / kPi);
    if (degrees > 180) degrees -= 360;
    if (degrees <= -180) degrees += 360;
    return static_cast<int16_t>(degrees);
}

// The products of a decomposition carry noise in their last bits
// (1.0000000000000002) that the dialogs would show: 40 significant bits are
// kept, far more than the single precision the editor draws with. No
// negative zero.
double Clean(double value) {
    if (value == 0 || !std::isfinite(value)) return value == 0 ? 0.0 : value;
    int exponent = 0;
    const double mantissa = std::frexp(value, &exponent);
    return std::ldexp(std::round(std::ldexp(mantissa, 40)), exponent - 40) + 0.0;
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
    const double angles[] = {a, b, c};
    for (int i = 0; i < 3; ++i) {
        const double turn = std::remainder(angles[i] - pose.rotation[size_t(i)] * kPi / 180.0, 2 * kPi);
        pose.roundingTurn += std::isfinite(turn) ? std::fabs(turn) : kPi;
    }
    for (double &v : pose.scale) v = Clean(v);
    for (double &v : pose.translation) v = Clean(v);
    return pose;
}

RowMatrix PoseMatrix(const EditorPose &pose) {
    // Rx(a) · Ry(b) · Rz(c) written out (see DecomposePose), each row then
    // scaled: the product the editor builds factor by factor.
    double sa, ca, sb, cb, sc, cc;
    SineCosine(pose.rotation[0], sa, ca);
    SineCosine(pose.rotation[1], sb, cb);
    SineCosine(pose.rotation[2], sc, cc);
    const double r[3][3] = {{cb * cc, cb * sc, -sb},
                            {sa * sb * cc - ca * sc, sa * sb * sc + ca * cc, sa * cb},
                            {ca * sb * cc + sa * sc, ca * sb * sc - sa * cc, ca * cb}};
    RowMatrix m{};
    for (int i = 0; i < 3; ++i) {
        const double scale = static_cast<float>(pose.scale[i]);
        for (int j = 0; j < 3; ++j) m[i][j] = scale * r[i][j];
        m[3][i] = static_cast<float>(pose.translation[i]);
    }
    m[3][3] = 1;
    return m;
}

double LargestCornerMove(const RowMatrix &matrix, const EditorPose &pose,
                         const std::array<float, 3> &low, const std::array<float, 3> &high) {
    const RowMatrix posed = PoseMatrix(pose);
    double difference[4][3];
    for (int k = 0; k < 4; ++k) {
        for (int j = 0; j < 3; ++j) difference[k][j] = matrix[k][j] - posed[k][j];
    }
    double largest = 0;
    for (int corner = 0; corner < 8; ++corner) {
        const double p[3] = {(corner & 1) ? high[0] : low[0], (corner & 2) ? high[1] : low[1],
                             (corner & 4) ? high[2] : low[2]};
        double squared = 0;
        for (int j = 0; j < 3; ++j) {
            const double move = p[0] * difference[0][j] + p[1] * difference[1][j] + p[2] * difference[2][j] +
                                difference[3][j];
            squared += move * move;
        }
        largest = std::max(largest, squared);
    }
    return std::sqrt(largest);
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
