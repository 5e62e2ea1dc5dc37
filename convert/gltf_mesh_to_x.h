// A glTF mesh as the one mesh of an X file, in the editor's frame: Z
// mirrored and the corners of every triangle swapped (see
// pose_decomposition.h), one X material per glTF material its primitives
// use, with the base colour as face colour and the emissive colour.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "formats/gltf/gltf_data.h"
#include "formats/xfile/x_scene.h"

namespace morvel::convert {

struct XMesh {
    formats::xfile::XScene scene;
    std::array<float, 3> low{0, 0, 0}, high{0, 0, 0};  // bounds of the positions
    bool morphTargets = false;
};

// textureNames[i]: the file name image i was written as, empty when it was
// not. False when the mesh has no triangle at all.
bool GltfMeshToX(const formats::gltf::Mesh &mesh, const std::vector<formats::gltf::Material> &materials,
                 const std::vector<std::string> &textureNames, bool reverseWinding, XMesh &out);

}  // namespace morvel::convert
