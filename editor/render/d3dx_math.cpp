#include "render/d3dx_math.h"

#include <cmath>

namespace d3dx {
namespace {

D3DXVECTOR3 Subtract(const D3DXVECTOR3 &a, const D3DXVECTOR3 &b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

D3DXVECTOR3 Cross(const D3DXVECTOR3 &a, const D3DXVECTOR3 &b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

float Dot(const D3DXVECTOR3 &a, const D3DXVECTOR3 &b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

// Both look-at variants differ only in the direction of the z axis.
D3DXMATRIX *LookAt(D3DXMATRIX *out, const D3DXVECTOR3 &eye, const D3DXVECTOR3 &zDirection,
                   const D3DXVECTOR3 &up) {
    D3DXVECTOR3 zAxis, xAxis;
    D3DXVec3Normalize(&zAxis, &zDirection);
    const D3DXVECTOR3 upCrossZ = Cross(up, zAxis);
    D3DXVec3Normalize(&xAxis, &upCrossZ);
    const D3DXVECTOR3 yAxis = Cross(zAxis, xAxis);
    *out = D3DXMATRIX{{{xAxis.x, yAxis.x, zAxis.x, 0.0f},
                       {xAxis.y, yAxis.y, zAxis.y, 0.0f},
                       {xAxis.z, yAxis.z, zAxis.z, 0.0f},
                       {-Dot(xAxis, eye), -Dot(yAxis, eye), -Dot(zAxis, eye), 1.0f}}};
    return out;
}

}  // namespace

D3DXMATRIX *D3DXMatrixIdentity(D3DXMATRIX *out) {
    *out = D3DXMATRIX{{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}};
    return out;
}

D3DXMATRIX *D3DXMatrixScaling(D3DXMATRIX *out, float sx, float sy, float sz) {
    *out = D3DXMATRIX{{{sx, 0, 0, 0}, {0, sy, 0, 0}, {0, 0, sz, 0}, {0, 0, 0, 1}}};
    return out;
}

D3DXMATRIX *D3DXMatrixRotationX(D3DXMATRIX *out, float angle) {
    const float c = std::cos(angle), s = std::sin(angle);
    *out = D3DXMATRIX{{{1, 0, 0, 0}, {0, c, s, 0}, {0, -s, c, 0}, {0, 0, 0, 1}}};
    return out;
}

D3DXMATRIX *D3DXMatrixRotationY(D3DXMATRIX *out, float angle) {
    const float c = std::cos(angle), s = std::sin(angle);
    *out = D3DXMATRIX{{{c, 0, -s, 0}, {0, 1, 0, 0}, {s, 0, c, 0}, {0, 0, 0, 1}}};
    return out;
}

D3DXMATRIX *D3DXMatrixRotationZ(D3DXMATRIX *out, float angle) {
    const float c = std::cos(angle), s = std::sin(angle);
    *out = D3DXMATRIX{{{c, s, 0, 0}, {-s, c, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}};
    return out;
}

D3DXMATRIX *D3DXMatrixTranslation(D3DXMATRIX *out, float x, float y, float z) {
    *out = D3DXMATRIX{{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {x, y, z, 1}}};
    return out;
}

D3DXMATRIX *D3DXMatrixMultiply(D3DXMATRIX *out, const D3DXMATRIX *m1, const D3DXMATRIX *m2) {
    D3DXMATRIX product;
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) {
            product.m[row][col] = m1->m[row][0] * m2->m[0][col] + m1->m[row][1] * m2->m[1][col] +
                                  m1->m[row][2] * m2->m[2][col] + m1->m[row][3] * m2->m[3][col];
        }
    }
    *out = product;
    return out;
}

D3DXMATRIX *D3DXMatrixLookAtLH(D3DXMATRIX *out, const D3DXVECTOR3 *eye, const D3DXVECTOR3 *at,
                               const D3DXVECTOR3 *up) {
    return LookAt(out, *eye, Subtract(*at, *eye), *up);
}

D3DXMATRIX *D3DXMatrixLookAtRH(D3DXMATRIX *out, const D3DXVECTOR3 *eye, const D3DXVECTOR3 *at,
                               const D3DXVECTOR3 *up) {
    return LookAt(out, *eye, Subtract(*eye, *at), *up);
}

D3DXMATRIX *D3DXMatrixPerspectiveFovLH(D3DXMATRIX *out, float fovY, float aspect, float zNear,
                                       float zFar) {
    const float yScale = 1.0f / std::tan(fovY / 2.0f);
    const float xScale = yScale / aspect;
    *out = D3DXMATRIX{{{xScale, 0, 0, 0},
                       {0, yScale, 0, 0},
                       {0, 0, zFar / (zFar - zNear), 1},
                       {0, 0, (zFar * zNear) / (zNear - zFar), 0}}};
    return out;
}

D3DXMATRIX *D3DXMatrixPerspectiveFovRH(D3DXMATRIX *out, float fovY, float aspect, float zNear,
                                       float zFar) {
    const float yScale = 1.0f / std::tan(fovY / 2.0f);
    const float xScale = yScale / aspect;
    *out = D3DXMATRIX{{{xScale, 0, 0, 0},
                       {0, yScale, 0, 0},
                       {0, 0, zFar / (zNear - zFar), -1},
                       {0, 0, (zFar * zNear) / (zNear - zFar), 0}}};
    return out;
}

D3DXVECTOR3 *D3DXVec3Normalize(D3DXVECTOR3 *out, const D3DXVECTOR3 *v) {
    const float length = std::sqrt(v->x * v->x + v->y * v->y + v->z * v->z);
    if (length == 0.0f) {
        *out = D3DXVECTOR3{0.0f, 0.0f, 0.0f};
    } else {
        *out = D3DXVECTOR3{v->x / length, v->y / length, v->z / length};
    }
    return out;
}

D3DXVECTOR3 TransformCoord(const D3DXVECTOR3 &v, const D3DXMATRIX &m) {
    const float x = v.x * m.m[0][0] + v.y * m.m[1][0] + v.z * m.m[2][0] + m.m[3][0];
    const float y = v.x * m.m[0][1] + v.y * m.m[1][1] + v.z * m.m[2][1] + m.m[3][1];
    const float z = v.x * m.m[0][2] + v.y * m.m[1][2] + v.z * m.m[2][2] + m.m[3][2];
    const float w = v.x * m.m[0][3] + v.y * m.m[1][3] + v.z * m.m[2][3] + m.m[3][3];
    return {x / w, y / w, z / w};
}

}  // namespace d3dx
