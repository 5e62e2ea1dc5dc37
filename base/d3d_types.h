// The value types every layer speaks, with exactly the Direct3D 8 layouts
// (D3DVECTOR, D3DCOLORVALUE, D3DMATRIX, D3DMATERIAL8, D3DLIGHT8), and the
// documented numeric constants the meshes and the renderer use. They live in
// the project's top namespace; the Direct3D adapter static_asserts that they
// match the real headers.
#pragma once

#include <cstdint>

namespace morvel {

struct Vector3 {
    float x, y, z;
};

struct ColorValue {
    float r, g, b, a;
};

// Row-major 4x4, row vectors: v' = v * M.
struct Matrix {
    float m[4][4];
};

struct Material {
    ColorValue Diffuse;
    ColorValue Ambient;
    ColorValue Specular;
    ColorValue Emissive;
    float Power;
};

struct Light {
    uint32_t Type;  // D3DLIGHTTYPE
    ColorValue Diffuse;
    ColorValue Specular;
    ColorValue Ambient;
    Vector3 Position;
    Vector3 Direction;
    float Range;
    float Falloff;
    float Attenuation0;
    float Attenuation1;
    float Attenuation2;
    float Theta;
    float Phi;
};

struct Rect {
    int32_t left, top, right, bottom;
};

using Color = uint32_t;  // D3DCOLOR, 0xAARRGGBB

static_assert(sizeof(Vector3) == 12, "D3DVECTOR");
static_assert(sizeof(ColorValue) == 16, "D3DCOLORVALUE");
static_assert(sizeof(Matrix) == 64, "D3DMATRIX");
static_assert(sizeof(Material) == 68, "D3DMATERIAL8");
static_assert(sizeof(Light) == 104, "D3DLIGHT8");

// Whole degrees to radians as the editor and its D3DX calls turn them: the
// single-precision factor 0.017453292 (bits 0x3C8EFA35), the product rounded
// to single precision.
inline constexpr float DEG_TO_RAD = 0.017453292f;
inline float DegreesToRadians(int32_t degrees) {
    return static_cast<float>(degrees) * DEG_TO_RAD;
}

// Flexible vertex format bits (D3DFVF_*).
namespace fvf {
constexpr uint32_t kXyz = 0x002;
constexpr uint32_t kNormal = 0x010;
constexpr uint32_t kDiffuse = 0x040;
constexpr uint32_t kSpecular = 0x080;
constexpr uint32_t kTex1 = 0x100;
constexpr uint32_t kTexCountMask = 0xF00;
constexpr uint32_t kTexCountShift = 8;
}  // namespace fvf

// Mesh creation options (D3DXMESH_*).
namespace meshopt {
constexpr uint32_t k32Bit = 0x001;
constexpr uint32_t kManaged = 0x220;
}  // namespace meshopt

}  // namespace morvel
