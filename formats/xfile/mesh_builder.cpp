#include "formats/xfile/mesh_builder.h"

#include <cmath>
#include <cstring>

#include "formats/xfile/mesh_adjacency.h"
#include "formats/xfile/vertex_layout.h"
#include "formats/xfile/x_limits.h"

namespace morvel::formats::xfile {
namespace {

constexpr uint32_t kNone = 0xFFFFFFFFu;

Matrix Identity() { return Matrix{{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}}; }

// Row vectors: a · b applies a first.
Matrix Multiply(const Matrix &a, const Matrix &b) {
    Matrix r{};
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            r.m[i][j] = a.m[i][0] * b.m[0][j] + a.m[i][1] * b.m[1][j] + a.m[i][2] * b.m[2][j] + a.m[i][3] * b.m[3][j];
        }
    }
    return r;
}

void TransformPoint(const Matrix &m, const float *in, float *out) {
    const float x = in[0], y = in[1], z = in[2];
    float rx = x * m.m[0][0] + y * m.m[1][0] + z * m.m[2][0] + m.m[3][0];
    float ry = x * m.m[0][1] + y * m.m[1][1] + z * m.m[2][1] + m.m[3][1];
    float rz = x * m.m[0][2] + y * m.m[1][2] + z * m.m[2][2] + m.m[3][2];
    const float w = x * m.m[0][3] + y * m.m[1][3] + z * m.m[2][3] + m.m[3][3];
    if (w != 1.0f && w != 0.0f) {
        rx /= w;
        ry /= w;
        rz /= w;
    }
    out[0] = rx;
    out[1] = ry;
    out[2] = rz;
}

// The inverse transpose of the upper 3x3, up to a positive factor: the
// cofactor matrix, with the sign of the determinant. A singular matrix keeps
// its cofactors, which still give the best direction there is.
struct NormalMatrix {
    float m[3][3];
};

NormalMatrix MakeNormalMatrix(const Matrix &w) {
    const auto &a = w.m;
    NormalMatrix c{};
    c.m[0][0] = a[1][1] * a[2][2] - a[1][2] * a[2][1];
    c.m[0][1] = a[1][2] * a[2][0] - a[1][0] * a[2][2];
    c.m[0][2] = a[1][0] * a[2][1] - a[1][1] * a[2][0];
    c.m[1][0] = a[0][2] * a[2][1] - a[0][1] * a[2][2];
    c.m[1][1] = a[0][0] * a[2][2] - a[0][2] * a[2][0];
    c.m[1][2] = a[0][1] * a[2][0] - a[0][0] * a[2][1];
    c.m[2][0] = a[0][1] * a[1][2] - a[0][2] * a[1][1];
    c.m[2][1] = a[0][2] * a[1][0] - a[0][0] * a[1][2];
    c.m[2][2] = a[0][0] * a[1][1] - a[0][1] * a[1][0];
    const float det = a[0][0] * c.m[0][0] + a[0][1] * c.m[0][1] + a[0][2] * c.m[0][2];
    if (det < 0.0f) {
        for (auto &row : c.m) {
            for (float &v : row) v = -v;
        }
    }
    return c;
}

// n · (A^-1)^T, with (A^-1)^T = C / det for the cofactor matrix C.
void TransformNormal(const NormalMatrix &c, const float *in, float *out) {
    float x = in[0] * c.m[0][0] + in[1] * c.m[1][0] + in[2] * c.m[2][0];
    float y = in[0] * c.m[0][1] + in[1] * c.m[1][1] + in[2] * c.m[2][1];
    float z = in[0] * c.m[0][2] + in[1] * c.m[1][2] + in[2] * c.m[2][2];
    const float length = std::sqrt(x * x + y * y + z * z);
    if (length > 0.0f && std::isfinite(length)) {
        x /= length;
        y /= length;
        z /= length;
    }
    out[0] = x;
    out[1] = y;
    out[2] = z;
}

// Normal values are compared as values; -0 and +0 are the same value.
bool SameNormal(const float *a, const float *b) {
    for (int i = 0; i < 3; ++i) {
        const float x = a[i] + 0.0f, y = b[i] + 0.0f;
        if (std::memcmp(&x, &y, sizeof x) != 0) return false;
    }
    return true;
}

// Vertex slots of one mesh: file vertex i keeps slot i, copies follow.
struct SlotPlan {
    std::vector<uint32_t> cornerSlot;    // per face corner
    std::vector<uint32_t> slotNormal;    // normal index per slot, kNone if unused
    std::vector<uint32_t> copySource;    // file vertex of each copy
};

SlotPlan PlanSlots(const FileMesh &mesh) {
    SlotPlan plan;
    const size_t corners = mesh.faceIndices.size();
    if (!mesh.hasNormals) {
        plan.cornerSlot = mesh.faceIndices;
        return plan;
    }
    plan.cornerSlot.resize(corners);
    plan.slotNormal.assign(mesh.vertexCount, kNone);
    std::vector<uint32_t> firstCopy(mesh.vertexCount, kNone);  // chain of copies per file vertex
    std::vector<uint32_t> nextCopy;
    for (size_t c = 0; c < corners; ++c) {
        const uint32_t vertex = mesh.faceIndices[c];
        const uint32_t normal = mesh.faceNormalIndices[c];
        const float *value = &mesh.normals[static_cast<size_t>(normal) * 3];
        uint32_t &own = plan.slotNormal[vertex];
        if (own == kNone || SameNormal(&mesh.normals[static_cast<size_t>(own) * 3], value)) {
            if (own == kNone) own = normal;
            plan.cornerSlot[c] = vertex;
            continue;
        }
        uint32_t *link = &firstCopy[vertex];
        while (*link != kNone) {
            const uint32_t copyNormal = plan.slotNormal[mesh.vertexCount + *link];
            if (SameNormal(&mesh.normals[static_cast<size_t>(copyNormal) * 3], value)) break;
            link = &nextCopy[*link];
        }
        // The copy's number is kept by value: growing nextCopy below may move
        // the entry `link` points at.
        uint32_t copy = *link;
        if (copy == kNone) {
            copy = static_cast<uint32_t>(plan.copySource.size());
            *link = copy;
            plan.copySource.push_back(vertex);
            plan.slotNormal.push_back(normal);
            nextCopy.push_back(kNone);
        }
        plan.cornerSlot[c] = mesh.vertexCount + copy;
    }
    return plan;
}

uint32_t PolygonMaterial(const FileMesh &file, uint32_t polygon, uint32_t materialBase, uint32_t defaultMaterial) {
    return file.hasMaterialList ? materialBase + file.faceMaterials[polygon] : defaultMaterial;
}

// Faces sorted stably by material: each material's run starts where the
// triangles of the materials before it end.
void LayOutSubsets(const XScene &scene, uint32_t defaultMaterial, MeshData &mesh) {
    const size_t materialCount = mesh.materials.size();
    std::vector<uint32_t> counts(materialCount, 0);
    uint32_t materialBase = 0;
    for (const FileMesh &file : scene.meshes) {
        for (uint32_t p = 0; p < file.PolygonCount(); ++p) {
            counts[PolygonMaterial(file, p, materialBase, defaultMaterial)] +=
                file.faceStarts[p + 1] - file.faceStarts[p] - 2;
        }
        materialBase += static_cast<uint32_t>(file.materials.size());
    }
    mesh.attributeTable.resize(materialCount);
    uint32_t start = 0;
    for (size_t m = 0; m < materialCount; ++m) {
        AttributeRange &range = mesh.attributeTable[m];
        range.attribId = static_cast<uint32_t>(m);
        range.faceStart = start;
        range.faceCount = counts[m];
        start += counts[m];
    }
}

void FillVertexRanges(MeshData &mesh) {
    for (AttributeRange &range : mesh.attributeTable) {
        if (range.faceCount == 0) continue;
        uint32_t low = kNone, high = 0;
        const uint32_t *first = &mesh.indices[static_cast<size_t>(range.faceStart) * 3];
        for (size_t i = 0; i < static_cast<size_t>(range.faceCount) * 3; ++i) {
            low = std::min(low, first[i]);
            high = std::max(high, first[i]);
        }
        range.vertexStart = low;
        range.vertexCount = high - low + 1;
    }
}

}  // namespace

MaterialData DefaultMaterial() {
    MaterialData data;
    data.material.Diffuse = {0.5f, 0.5f, 0.5f, 0.0f};
    data.material.Specular = {0.5f, 0.5f, 0.5f, 0.0f};
    return data;
}

bool BuildMeshData(const XScene &scene, MeshData &out, std::string &error) {
    if (scene.meshes.empty()) {
        error = "the file holds no mesh";
        return false;
    }
    std::vector<Matrix> worlds(scene.frames.size());
    for (size_t i = 0; i < scene.frames.size(); ++i) {
        const FileFrame &frame = scene.frames[i];
        worlds[i] = frame.parent == kNoFrame ? frame.local
                                             : Multiply(frame.local, worlds[static_cast<size_t>(frame.parent)]);
    }

    bool anyNormals = false, anyColors = false, anyTexCoords = false, allListed = true;
    MeshData mesh;
    for (const FileMesh &file : scene.meshes) {
        anyNormals |= file.hasNormals;
        anyColors |= file.hasColors;
        anyTexCoords |= file.hasTexCoords;
        allListed &= file.hasMaterialList;
        for (const MaterialData &material : file.materials) mesh.materials.push_back(material);
    }
    // Meshes without a material list share one default material after all others.
    const uint32_t defaultMaterial = static_cast<uint32_t>(mesh.materials.size());
    if (!allListed) mesh.materials.push_back(DefaultMaterial());

    mesh.fvf = fvf::kXyz | (anyNormals ? fvf::kNormal : 0) | (anyColors ? fvf::kDiffuse : 0) |
               (anyTexCoords ? fvf::kTex1 : 0);
    VertexLayout layout;
    DescribeVertexFormat(mesh.fvf, layout);
    mesh.vertexStride = layout.stride;

    // Vertex and triangle totals first, so the buffers are allocated once.
    std::vector<SlotPlan> plans;
    plans.reserve(scene.meshes.size());
    uint64_t totalVertices = 0, totalTriangles = 0;
    for (const FileMesh &file : scene.meshes) {
        plans.push_back(PlanSlots(file));
        totalVertices += file.vertexCount + plans.back().copySource.size();
        totalTriangles += file.faceIndices.size() - 2 * static_cast<uint64_t>(file.PolygonCount());
    }
    if (totalVertices > kMaxMergedVertices || totalTriangles > kMaxMergedFaces) {
        error = "the merged mesh is too large";
        return false;
    }
    if (totalTriangles == 0) {
        error = "the meshes of the file hold no faces";
        return false;
    }
    mesh.vertexCount = static_cast<uint32_t>(totalVertices);
    mesh.faceCount = static_cast<uint32_t>(totalTriangles);
    mesh.vertices.assign(static_cast<size_t>(totalVertices) * layout.stride, 0);
    LayOutSubsets(scene, defaultMaterial, mesh);
    mesh.indices.resize(static_cast<size_t>(totalTriangles) * 3);
    mesh.attributes.resize(static_cast<size_t>(totalTriangles));
    std::vector<uint32_t> nextFace(mesh.materials.size());
    for (size_t m = 0; m < nextFace.size(); ++m) nextFace[m] = mesh.attributeTable[m].faceStart;

    uint32_t vertexBase = 0, materialBase = 0;
    for (size_t k = 0; k < scene.meshes.size(); ++k) {
        const FileMesh &file = scene.meshes[k];
        const SlotPlan &plan = plans[k];
        const Matrix world = file.frame == kNoFrame ? Identity() : worlds[static_cast<size_t>(file.frame)];
        const NormalMatrix normalMatrix = MakeNormalMatrix(world);
        const uint32_t slots = file.vertexCount + static_cast<uint32_t>(plan.copySource.size());
        for (uint32_t s = 0; s < slots; ++s) {
            const uint32_t source = s < file.vertexCount ? s : plan.copySource[s - file.vertexCount];
            uint8_t *vertex = &mesh.vertices[static_cast<size_t>(vertexBase + s) * layout.stride];
            float position[3];
            TransformPoint(world, &file.positions[static_cast<size_t>(source) * 3], position);
            std::memcpy(vertex, position, sizeof position);
            if (file.hasNormals && plan.slotNormal[s] != kNone) {
                float normal[3];
                TransformNormal(normalMatrix, &file.normals[static_cast<size_t>(plan.slotNormal[s]) * 3], normal);
                std::memcpy(vertex + layout.normal, normal, sizeof normal);
            }
            if (anyColors) {
                const uint32_t color = file.hasColors ? file.colors[source] : 0x00FFFFFFu;
                std::memcpy(vertex + layout.diffuse, &color, sizeof color);
            }
            if (file.hasTexCoords) {
                std::memcpy(vertex + layout.texCoords, &file.texCoords[static_cast<size_t>(source) * 2],
                            2 * sizeof(float));
            }
        }
        for (uint32_t p = 0; p < file.PolygonCount(); ++p) {
            const uint32_t first = file.faceStarts[p];
            const uint32_t end = file.faceStarts[p + 1];
            const uint32_t material = PolygonMaterial(file, p, materialBase, defaultMaterial);
            for (uint32_t c = first + 1; c + 1 < end; ++c) {
                const uint32_t face = nextFace[material]++;
                uint32_t *corner = &mesh.indices[static_cast<size_t>(face) * 3];
                corner[0] = vertexBase + plan.cornerSlot[first];
                corner[1] = vertexBase + plan.cornerSlot[c];
                corner[2] = vertexBase + plan.cornerSlot[c + 1];
                mesh.attributes[face] = material;
            }
        }
        vertexBase += slots;
        materialBase += static_cast<uint32_t>(file.materials.size());
    }

    mesh.use32BitIndices = mesh.vertexCount > 0xFFFF;
    FillVertexRanges(mesh);
    mesh.adjacency = ComputeAdjacency(mesh);
    out = std::move(mesh);
    return true;
}

}  // namespace morvel::formats::xfile
