#include "render/xfile/x_mesh_loader.h"

namespace morvel::render::xfile {

LoadResult LoadMeshFromXFile(const std::string &, MeshData &) { return {false, "not implemented yet"}; }
LoadResult LoadMeshFromXMemory(const uint8_t *, size_t, MeshData &) { return {false, "not implemented yet"}; }
bool CloneMeshData(const MeshData &, uint32_t, MeshData &) { return false; }
void ComputeNormals(MeshData &) {}

}  // namespace morvel::render::xfile
