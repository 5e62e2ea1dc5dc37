// mvltool xinfo: what the X-file loader makes of a file, one fact per line,
// so tests and users can compare a file with what the editor will draw.
#include <cstdio>
#include <string>

#include "command.h"
#include "formats/xfile/mesh_bounds.h"
#include "formats/xfile/x_mesh_loader.h"

namespace mvltool {
namespace {

using morvel::ColorValue;
using morvel::formats::xfile::MeshData;

// Without the sign of zero, so a box touching the origin prints 0.000000.
double Plain(float value) { return static_cast<double>(value + 0.0f); }

std::string Colour(const ColorValue &c) {
    char text[96];
    std::snprintf(text, sizeof text, "%.6f %.6f %.6f %.6f", Plain(c.r), Plain(c.g), Plain(c.b), Plain(c.a));
    return text;
}

void PrintMesh(const MeshData &mesh) {
    std::printf("vertices %u\n", mesh.vertexCount);
    std::printf("triangles %u\n", mesh.faceCount);
    std::printf("fvf 0x%x\n", mesh.fvf);
    std::printf("materials %zu\n", mesh.materials.size());
    for (const auto &range : mesh.attributeTable) std::printf("subset %u faces %u\n", range.attribId, range.faceCount);
    const auto bounds = morvel::formats::xfile::ComputeBounds(mesh);
    std::printf("bounds %.6f %.6f %.6f %.6f %.6f %.6f\n", Plain(bounds.min.x), Plain(bounds.min.y),
                Plain(bounds.min.z), Plain(bounds.max.x), Plain(bounds.max.y), Plain(bounds.max.z));
    for (size_t i = 0; i < mesh.materials.size(); ++i) {
        const auto &data = mesh.materials[i];
        const auto &m = data.material;
        std::printf("material %zu diffuse %s power %.6f specular %s emissive %s texture %s\n", i,
                    Colour(m.Diffuse).c_str(), Plain(m.Power), Colour(m.Specular).c_str(), Colour(m.Emissive).c_str(),
                    data.hasTexture ? data.textureFileName.c_str() : "-");
    }
}

}  // namespace

int RunXInfo(const Arguments &args) {
    if (args.size() != 1) return Fail("usage: mvltool xinfo FILE.x");
    MeshData mesh;
    const auto result = morvel::formats::xfile::LoadMeshFromXFile(args[0], mesh);
    if (!result.ok) return Fail(result.error);
    PrintMesh(mesh);
    return 0;
}

}  // namespace mvltool
