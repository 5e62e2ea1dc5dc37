// Turns the meshes of an X file into one mesh as D3DXLoadMeshFromX returns
// it: merged in document order with their frame transforms, a vertex copied
// where a face corner needs another normal, polygons fan-triangulated, the
// vertex format chosen from what the file holds, faces sorted stably by
// material into one subset per material, and adjacency.
#pragma once

#include <string>

#include "render/xfile/mesh_data.h"
#include "render/xfile/x_scene.h"

namespace morvel::render::xfile {

bool BuildMeshData(const XScene &scene, MeshData &out, std::string &error);

// The material a file without any material list gets.
MaterialData DefaultMaterial();

}  // namespace morvel::render::xfile
