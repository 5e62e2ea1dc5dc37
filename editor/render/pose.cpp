#include "render/pose.h"

#include "render/d3dx_math.h"

namespace morvel::render {
namespace {

ColorValue AddOffset(const ColorValue &colour, const MvlRgbaF64 &offset) {
    return ColorValue{static_cast<float>(colour.r + offset.r), static_cast<float>(colour.g + offset.g),
                      static_cast<float>(colour.b + offset.b), static_cast<float>(colour.a + offset.a)};
}

}  // namespace

Matrix BuildPoseMatrix(double scaleX, double scaleY, double scaleZ, int32_t rotationX,
                       int32_t rotationY, int32_t rotationZ, double translationX,
                       double translationY, double translationZ) {
    Matrix world, factor;
    d3dx::D3DXMatrixScaling(&world, static_cast<float>(scaleX), static_cast<float>(scaleY),
                            static_cast<float>(scaleZ));
    if (rotationX != 0) {
        d3dx::D3DXMatrixRotationX(&factor, d3dx::DegreesToRadians(rotationX));
        d3dx::D3DXMatrixMultiply(&world, &world, &factor);
    }
    if (rotationY != 0) {
        d3dx::D3DXMatrixRotationY(&factor, d3dx::DegreesToRadians(rotationY));
        d3dx::D3DXMatrixMultiply(&world, &world, &factor);
    }
    if (rotationZ != 0) {
        d3dx::D3DXMatrixRotationZ(&factor, d3dx::DegreesToRadians(rotationZ));
        d3dx::D3DXMatrixMultiply(&world, &world, &factor);
    }
    if (translationX != 0.0 || translationY != 0.0 || translationZ != 0.0) {
        d3dx::D3DXMatrixTranslation(&factor, static_cast<float>(translationX),
                                    static_cast<float>(translationY),
                                    static_cast<float>(translationZ));
        d3dx::D3DXMatrixMultiply(&world, &world, &factor);
    }
    return world;
}

Matrix BuildPoseMatrix(const PositionEntry &p) {
    return BuildPoseMatrix(p.scale.x, p.scale.y, p.scale.z, p.rotation.x, p.rotation.y,
                           p.rotation.z, p.translation.x, p.translation.y, p.translation.z);
}

Material BuildPositionMaterial(const Material &meshMaterial, const PositionEntry &position) {
    Material material{};
    material.Diffuse = AddOffset(meshMaterial.Diffuse, position.diffuse);
    material.Ambient = AddOffset(meshMaterial.Ambient, position.ambient);
    material.Specular = ColorValue{1.0f, 1.0f, 1.0f, 1.0f};
    material.Emissive = ColorValue{0.0f, 0.0f, 0.0f, 0.0f};
    material.Power = 50.0f;
    return material;
}

}  // namespace morvel::render
