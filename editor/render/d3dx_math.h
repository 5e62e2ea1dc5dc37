// The matrix and vector functions of the D3DX 8 utility library, computed
// with their published formulas in single precision. Output-pointer style as
// in D3DX so call sites read like the Direct3D code they stand for.
#pragma once

#include <cstdint>

#include "base/d3d_types.h"

namespace d3dx {

using D3DXMATRIX = morvel::Matrix;
using D3DXVECTOR3 = morvel::Vector3;

using morvel::DEG_TO_RAD;
using morvel::DegreesToRadians;

D3DXMATRIX *D3DXMatrixIdentity(D3DXMATRIX *out);
D3DXMATRIX *D3DXMatrixScaling(D3DXMATRIX *out, float sx, float sy, float sz);
D3DXMATRIX *D3DXMatrixRotationX(D3DXMATRIX *out, float angle);
D3DXMATRIX *D3DXMatrixRotationY(D3DXMATRIX *out, float angle);
D3DXMATRIX *D3DXMatrixRotationZ(D3DXMATRIX *out, float angle);
D3DXMATRIX *D3DXMatrixTranslation(D3DXMATRIX *out, float x, float y, float z);
// out = m1 * m2 (m1 acts first on a row vector); out may alias either input.
D3DXMATRIX *D3DXMatrixMultiply(D3DXMATRIX *out, const D3DXMATRIX *m1, const D3DXMATRIX *m2);
D3DXMATRIX *D3DXMatrixLookAtLH(D3DXMATRIX *out, const D3DXVECTOR3 *eye, const D3DXVECTOR3 *at,
                               const D3DXVECTOR3 *up);
D3DXMATRIX *D3DXMatrixLookAtRH(D3DXMATRIX *out, const D3DXVECTOR3 *eye, const D3DXVECTOR3 *at,
                               const D3DXVECTOR3 *up);
D3DXMATRIX *D3DXMatrixPerspectiveFovLH(D3DXMATRIX *out, float fovY, float aspect, float zNear,
                                       float zFar);
D3DXMATRIX *D3DXMatrixPerspectiveFovRH(D3DXMATRIX *out, float fovY, float aspect, float zNear,
                                       float zFar);
// A zero vector normalises to the zero vector, as in D3DX.
D3DXVECTOR3 *D3DXVec3Normalize(D3DXVECTOR3 *out, const D3DXVECTOR3 *v);

// v * m for a point (w = 1), the way the device transforms a vertex.
D3DXVECTOR3 TransformCoord(const D3DXVECTOR3 &v, const D3DXMATRIX &m);

}  // namespace d3dx
