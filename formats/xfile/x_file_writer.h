// Text X files from an XScene: what the loader (and D3DXLoadMeshFromX, whose
// rules it follows) reads back as the same frames, meshes, normals, texture
// coordinates, vertex colours and materials. The file declares every
// template it uses, so readers that know none of them still read it.
#pragma once

#include <string>

#include "formats/xfile/x_scene.h"

namespace morvel::formats::xfile {

// The whole file, header included. False (with a one-line reason) for what
// the text form cannot hold: a number that is not finite, a texture name
// with a quote or a line break, counts or indices the scene contradicts, a
// frame listed after its children.
bool WriteXText(const XScene &scene, std::string &out, std::string &error);

}  // namespace morvel::formats::xfile
