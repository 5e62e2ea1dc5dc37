// Where each component sits in a vertex of a given FVF, for the formats this
// loader produces and converts to: an untransformed position, then optional
// normal, diffuse, specular and up to eight 2D texture coordinate pairs.
#pragma once

#include <cstdint>

namespace morvel::formats::xfile {

constexpr uint32_t kNoComponent = 0xFFFFFFFFu;

struct VertexLayout {
    uint32_t stride = 0;
    uint32_t normal = kNoComponent;  // byte offsets
    uint32_t diffuse = kNoComponent;
    uint32_t specular = kNoComponent;
    uint32_t texCoords = kNoComponent;
    uint32_t texCount = 0;
};

// False for formats outside that set (transformed or blended positions,
// point size, texture coordinates other than 2D).
bool DescribeVertexFormat(uint32_t fvf, VertexLayout &layout);

}  // namespace morvel::formats::xfile
