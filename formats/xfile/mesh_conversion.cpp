// CloneMeshFVF and D3DXComputeNormals on neutral mesh data.
#include <cmath>
#include <cstring>

#include "formats/xfile/vertex_layout.h"
#include "formats/xfile/x_mesh_loader.h"

namespace morvel::formats::xfile {
namespace {

void CopyComponent(const uint8_t *from, uint32_t fromOffset, uint8_t *to, uint32_t toOffset, size_t size) {
    if (toOffset == kNoComponent) return;
    if (fromOffset == kNoComponent) return;  // the target was zero-filled
    std::memcpy(to + toOffset, from + fromOffset, size);
}

void LoadVector(const uint8_t *p, float *v) { std::memcpy(v, p, 3 * sizeof(float)); }

}  // namespace

bool CloneMeshData(const MeshData &in, uint32_t fvf, MeshData &out) {
    VertexLayout from, to;
    if (!DescribeVertexFormat(in.fvf, from) || !DescribeVertexFormat(fvf, to)) return false;
    if (from.stride != in.vertexStride || in.vertices.size() != static_cast<size_t>(in.vertexCount) * from.stride) {
        return false;
    }
    MeshData clone = in;
    clone.fvf = fvf;
    clone.vertexStride = to.stride;
    clone.vertices.assign(static_cast<size_t>(in.vertexCount) * to.stride, 0);
    const uint32_t sharedTex = std::min(from.texCount, to.texCount);
    for (uint32_t v = 0; v < in.vertexCount; ++v) {
        const uint8_t *src = &in.vertices[static_cast<size_t>(v) * from.stride];
        uint8_t *dst = &clone.vertices[static_cast<size_t>(v) * to.stride];
        std::memcpy(dst, src, 12);
        CopyComponent(src, from.normal, dst, to.normal, 12);
        CopyComponent(src, from.diffuse, dst, to.diffuse, 4);
        CopyComponent(src, from.specular, dst, to.specular, 4);
        if (sharedTex > 0) std::memcpy(dst + to.texCoords, src + from.texCoords, 8 * sharedTex);
    }
    out = std::move(clone);
    return true;
}

// Each face adds its unit normal, so faces count equally whatever their
// size. Front faces wind clockwise in a left-handed system (Direct3D's
// default): the normal of (v0, v1, v2) is (v1 - v0) x (v2 - v0).
void ComputeNormals(MeshData &mesh) {
    VertexLayout layout;
    if (!DescribeVertexFormat(mesh.fvf, layout) || layout.normal == kNoComponent) return;
    if (mesh.vertexStride != layout.stride ||
        mesh.vertices.size() != static_cast<size_t>(mesh.vertexCount) * layout.stride ||
        mesh.indices.size() < static_cast<size_t>(mesh.faceCount) * 3) {
        return;
    }
    std::vector<float> sums(static_cast<size_t>(mesh.vertexCount) * 3, 0.0f);
    auto position = [&mesh, &layout](uint32_t v, float *p) {
        LoadVector(&mesh.vertices[static_cast<size_t>(v) * layout.stride], p);
    };
    for (uint32_t f = 0; f < mesh.faceCount; ++f) {
        const uint32_t *corner = &mesh.indices[static_cast<size_t>(f) * 3];
        if (corner[0] >= mesh.vertexCount || corner[1] >= mesh.vertexCount || corner[2] >= mesh.vertexCount) continue;
        float p0[3], p1[3], p2[3];
        position(corner[0], p0);
        position(corner[1], p1);
        position(corner[2], p2);
        const float e1[3] = {p1[0] - p0[0], p1[1] - p0[1], p1[2] - p0[2]};
        const float e2[3] = {p2[0] - p0[0], p2[1] - p0[1], p2[2] - p0[2]};
        float n[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2], e1[0] * e2[1] - e1[1] * e2[0]};
        const float length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        if (!(length > 0.0f) || !std::isfinite(length)) continue;  // degenerate faces add nothing
        for (uint32_t c = 0; c < 3; ++c) {
            float *sum = &sums[static_cast<size_t>(corner[c]) * 3];
            for (int i = 0; i < 3; ++i) sum[i] += n[i] / length;
        }
    }
    for (uint32_t v = 0; v < mesh.vertexCount; ++v) {
        float *n = &sums[static_cast<size_t>(v) * 3];
        const float length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        if (length > 0.0f && std::isfinite(length)) {
            for (int i = 0; i < 3; ++i) n[i] /= length;
        } else {
            n[0] = n[1] = n[2] = 0.0f;
        }
        std::memcpy(&mesh.vertices[static_cast<size_t>(v) * layout.stride + layout.normal], n, 3 * sizeof(float));
    }
}

}  // namespace morvel::formats::xfile
