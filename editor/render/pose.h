// How a position's stored numbers become the world matrix and the material
// of its part.
#pragma once

#include <cstdint>

#include "base/d3d_types.h"
#include "mvllib/mvllib.h"

namespace morvel::render {

// scaling · rotationX · rotationY · rotationZ · translation, leaving out the
// rotations that are 0 and the translation when all of it is 0.
Matrix BuildPoseMatrix(double scaleX, double scaleY, double scaleZ, int32_t rotationX,
                       int32_t rotationY, int32_t rotationZ, double translationX,
                       double translationY, double translationZ);
Matrix BuildPoseMatrix(const PositionEntry &position);

// The mesh material plus the position's colour offsets, unclamped; fixed
// specular (1, 1, 1, 1), emissive 0 and power 50.
Material BuildPositionMaterial(const Material &meshMaterial, const PositionEntry &position);

// ARGB from header colour bytes, alpha fixed at 200.
inline Color HeaderColour(const MvlRgba8 &colour) {
    return (0xC8u << 24) | (uint32_t{colour.r} << 16) | (uint32_t{colour.g} << 8) | colour.b;
}

}  // namespace morvel::render
