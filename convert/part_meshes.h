// A part's X file as a glTF mesh: positions, normals, vertex colours and
// (for the primitives whose texture could be read) texture coordinates, one
// primitive and one material per X material that has faces.
#pragma once

#include <tiny_gltf.h>

#include <array>
#include <string>
#include <vector>

#include "convert/gltf_axes.h"
#include "convert/gltf_buffer.h"
#include "convert/texture_images.h"

namespace morvel::convert {

struct PartSource {
    std::string meshPath;       // the X file, as the host opens it
    std::string textureFolder;  // host folder the X file's texture names follow
    std::string name;           // UTF-8, for the mesh and its materials
};

struct PartMeshResult {
    int mesh = -1;                      // -1 when the part cannot be exported
    std::string error;                  // why, when mesh is -1
    std::vector<std::string> warnings;  // textures left out
    // The mesh's glTF materials and the X file's diffuse colours behind them.
    std::vector<int> materials;
    std::vector<std::array<double, 4>> diffuse;
};

// Normals are the editor's: the file's own when it is in the editor's vertex
// format, computed otherwise. Vertex colours, which the editor drops with
// that conversion, are kept. A texture that cannot be read leaves its
// material untextured, as in the editor.
PartMeshResult AddPartMesh(const PartSource &source, const Axes &axes, BufferBuilder &buffer,
                           TextureImages &textures, tinygltf::Model &model);

}  // namespace morvel::convert
