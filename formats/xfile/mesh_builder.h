// Turns the meshes of an X file into one mesh as D3DXLoadMeshFromX returns
// it: merged in document order with their frame transforms, a vertex copied
// where a face corner needs another normal, polygons fan-triangulated, the
// vertex format chosen from what the file holds, faces sorted stably by
// material into one subset per material, and adjacency.
#pragma once

#include <string>

#include "formats/xfile/mesh_data.h"
#include "formats/xfile/x_scene.h"

namespace morvel::formats::xfile {

bool BuildMeshData(const XScene &scene, MeshData &out, std::string &error);

// The material a file without any material list gets.
MaterialData DefaultMaterial();

}  // namespace morvel::formats::xfile
