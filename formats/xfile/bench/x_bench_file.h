// A generated text X file of the kind exporters write (frames, grids of
// quads with normals, texture coordinates and two materials), for timing.
#pragma once

#include <string>

namespace morvel::formats::xfile::bench {

// meshes grids of side x side vertices; about 30 MB for 4 x 235.
std::string MakeGridXFile(int meshes, int side);

}  // namespace morvel::formats::xfile::bench
