#include "formats/xfile/mesh_bounds.h"

#include <algorithm>
#include <cstring>

namespace morvel::formats::xfile {

MeshBounds ComputeBounds(const MeshData &mesh) {
    MeshBounds bounds;
    if (mesh.vertexCount == 0 || mesh.vertexStride < 12 ||
        mesh.vertices.size() < static_cast<size_t>(mesh.vertexCount) * mesh.vertexStride) {
        return bounds;
    }
    float p[3];
    std::memcpy(p, mesh.vertices.data(), sizeof p);
    bounds.min = bounds.max = {p[0], p[1], p[2]};
    for (uint32_t v = 1; v < mesh.vertexCount; ++v) {
        std::memcpy(p, &mesh.vertices[static_cast<size_t>(v) * mesh.vertexStride], sizeof p);
        bounds.min = {std::min(bounds.min.x, p[0]), std::min(bounds.min.y, p[1]), std::min(bounds.min.z, p[2])};
        bounds.max = {std::max(bounds.max.x, p[0]), std::max(bounds.max.y, p[1]), std::max(bounds.max.z, p[2])};
    }
    return bounds;
}

}  // namespace morvel::formats::xfile
