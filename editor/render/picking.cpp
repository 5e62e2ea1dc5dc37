#include "render/picking.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace morvel::render {
namespace {

using Matrix4 = double[4][4];

void Multiply(const Matrix &a, const Matrix &b, Matrix4 &out) {
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k) sum += double{a.m[r][k]} * double{b.m[k][c]};
            out[r][c] = sum;
        }
    }
}

// Gauss-Jordan with partial pivoting; false for a singular matrix.
bool Invert(const Matrix4 &in, Matrix4 &out) {
    double a[4][8];
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            a[r][c] = in[r][c];
            a[r][c + 4] = r == c ? 1.0 : 0.0;
        }
    }
    for (int c = 0; c < 4; ++c) {
        int pivot = c;
        for (int r = c + 1; r < 4; ++r) {
            if (std::fabs(a[r][c]) > std::fabs(a[pivot][c])) pivot = r;
        }
        if (!(std::fabs(a[pivot][c]) > 1e-300)) return false;
        if (pivot != c) std::swap(a[pivot], a[c]);
        const double scale = 1.0 / a[c][c];
        for (double &value : a[c]) value *= scale;
        for (int r = 0; r < 4; ++r) {
            if (r == c || a[r][c] == 0.0) continue;
            const double factor = a[r][c];
            for (int k = 0; k < 8; ++k) a[r][k] -= factor * a[c][k];
        }
    }
    for (int r = 0; r < 4; ++r) std::memcpy(out[r], &a[r][4], sizeof out[r]);
    return true;
}

// Row vector (x, y, z, w) times m.
void Transform(const double in[4], const Matrix4 &m, double out[4]) {
    for (int c = 0; c < 4; ++c) {
        out[c] = in[0] * m[0][c] + in[1] * m[1][c] + in[2] * m[2][c] + in[3] * m[3][c];
    }
}

// The slab test of the ray against the box for t >= 0.
bool HitsBox(const float origin[3], const float direction[3], const Vector3 &low,
             const Vector3 &high) {
    const float lows[3] = {low.x, low.y, low.z};
    const float highs[3] = {high.x, high.y, high.z};
    float near = 0.0f;
    float far = std::numeric_limits<float>::infinity();
    for (int axis = 0; axis < 3; ++axis) {
        if (direction[axis] == 0.0f) {
            if (origin[axis] < lows[axis] || origin[axis] > highs[axis]) return false;
            continue;
        }
        const float inverse = 1.0f / direction[axis];
        float t0 = (lows[axis] - origin[axis]) * inverse;
        float t1 = (highs[axis] - origin[axis]) * inverse;
        if (t0 > t1) std::swap(t0, t1);
        near = std::max(near, t0);
        far = std::min(far, t1);
        if (near > far) return false;
    }
    return true;
}

}  // namespace

bool RayThroughPixel(const Matrix &view, const Matrix &projection, int x, int y, uint32_t width,
                     uint32_t height, PickRay &ray) {
    if (width == 0 || height == 0) return false;
    Matrix4 viewProjection;
    Multiply(view, projection, viewProjection);
    Matrix4 inverse;
    if (!Invert(viewProjection, inverse)) return false;
    const double ndcX = (x + 0.5) / width * 2.0 - 1.0;
    const double ndcY = 1.0 - (y + 0.5) / height * 2.0;
    const double nearClip[4] = {ndcX, ndcY, 0.0, 1.0};
    const double farClip[4] = {ndcX, ndcY, 1.0, 1.0};
    double nearPoint[4];
    double farPoint[4];
    Transform(nearClip, inverse, nearPoint);
    Transform(farClip, inverse, farPoint);
    if (nearPoint[3] == 0.0 || farPoint[3] == 0.0) return false;
    for (int i = 0; i < 3; ++i) {
        ray.origin[i] = nearPoint[i] / nearPoint[3];
        ray.direction[i] = farPoint[i] / farPoint[3] - ray.origin[i];
    }
    return true;
}

PickMesh BuildPickMesh(const formats::xfile::MeshData &data) {
    PickMesh mesh;
    const size_t stride = data.vertexStride;
    const size_t vertexCount = std::min<size_t>(data.vertexCount, stride != 0 ? data.vertices.size() / stride : 0);
    if (stride < sizeof(Vector3) || vertexCount == 0) return mesh;
    auto corner = [&](uint32_t index) {
        Vector3 v;
        std::memcpy(&v, data.vertices.data() + size_t{index} * stride, sizeof v);
        return v;
    };
    const size_t faces = std::min<size_t>(data.faceCount, data.indices.size() / 3);
    mesh.corners.reserve(faces * 3);
    bool first = true;
    for (size_t f = 0; f < faces; ++f) {
        const uint32_t *face = &data.indices[f * 3];
        if (face[0] >= vertexCount || face[1] >= vertexCount || face[2] >= vertexCount) continue;
        for (int k = 0; k < 3; ++k) {
            const Vector3 v = corner(face[k]);
            mesh.corners.push_back(v);
            if (first) {
                mesh.low = mesh.high = v;
                first = false;
            }
            mesh.low = {std::min(mesh.low.x, v.x), std::min(mesh.low.y, v.y), std::min(mesh.low.z, v.z)};
            mesh.high = {std::max(mesh.high.x, v.x), std::max(mesh.high.y, v.y),
                         std::max(mesh.high.z, v.z)};
        }
    }
    return mesh;
}

bool NearestHit(const PickRay &ray, const Matrix &world, const PickMesh &mesh, double &t) {
    if (mesh.corners.empty()) return false;
    Matrix4 placed;
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) placed[r][c] = world.m[r][c];
    }
    Matrix4 inverse;
    if (!Invert(placed, inverse)) return false;
    // The same parameter t in the mesh's space: the origin as a point, the
    // direction as a vector.
    const double worldOrigin[4] = {ray.origin[0], ray.origin[1], ray.origin[2], 1.0};
    const double worldDirection[4] = {ray.direction[0], ray.direction[1], ray.direction[2], 0.0};
    double o[4];
    double d[4];
    Transform(worldOrigin, inverse, o);
    Transform(worldDirection, inverse, d);
    if (o[3] == 0.0) return false;
    const float origin[3] = {static_cast<float>(o[0] / o[3]), static_cast<float>(o[1] / o[3]),
                             static_cast<float>(o[2] / o[3])};
    const float direction[3] = {static_cast<float>(d[0]), static_cast<float>(d[1]),
                                static_cast<float>(d[2])};
    if (!HitsBox(origin, direction, mesh.low, mesh.high)) return false;

    // Moller-Trumbore over every triangle, keeping the nearest t >= 0.
    float best = std::numeric_limits<float>::infinity();
    const size_t count = mesh.corners.size();
    for (size_t i = 0; i + 2 < count; i += 3) {
        const Vector3 &a = mesh.corners[i];
        const Vector3 &b = mesh.corners[i + 1];
        const Vector3 &c = mesh.corners[i + 2];
        const float e1[3] = {b.x - a.x, b.y - a.y, b.z - a.z};
        const float e2[3] = {c.x - a.x, c.y - a.y, c.z - a.z};
        const float p[3] = {direction[1] * e2[2] - direction[2] * e2[1],
                            direction[2] * e2[0] - direction[0] * e2[2],
                            direction[0] * e2[1] - direction[1] * e2[0]};
        const float det = e1[0] * p[0] + e1[1] * p[1] + e1[2] * p[2];
        if (det == 0.0f) continue;
        const float inverseDet = 1.0f / det;
        const float s[3] = {origin[0] - a.x, origin[1] - a.y, origin[2] - a.z};
        const float u = (s[0] * p[0] + s[1] * p[1] + s[2] * p[2]) * inverseDet;
        if (u < 0.0f || u > 1.0f) continue;
        const float q[3] = {s[1] * e1[2] - s[2] * e1[1], s[2] * e1[0] - s[0] * e1[2],
                            s[0] * e1[1] - s[1] * e1[0]};
        const float v = (direction[0] * q[0] + direction[1] * q[1] + direction[2] * q[2]) * inverseDet;
        if (v < 0.0f || u + v > 1.0f) continue;
        const float hit = (e2[0] * q[0] + e2[1] * q[1] + e2[2] * q[2]) * inverseDet;
        if (hit >= 0.0f && hit < best) best = hit;
    }
    if (!(best < std::numeric_limits<float>::infinity())) return false;
    t = best;
    return true;
}

}  // namespace morvel::render
