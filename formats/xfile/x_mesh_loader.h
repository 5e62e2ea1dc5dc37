// Loading an X file into neutral mesh data, the way D3DXLoadMeshFromX does:
// every mesh of the file merged with its frame transforms, fan-triangulated,
// faces grouped by material, with adjacency. Also the two mesh operations the
// renderer performs on that data (CloneMeshFVF, D3DXComputeNormals).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "formats/xfile/mesh_data.h"
#include "formats/xfile/x_scene.h"

namespace morvel::formats::xfile {

struct LoadResult {
    bool ok = false;
    std::string error;  // one clear line when !ok
};

// path as the host opens it (no '\' mapping here).
LoadResult LoadMeshFromXFile(const std::string &path, MeshData &out);
LoadResult LoadMeshFromXMemory(const uint8_t *data, size_t size, MeshData &out);

// The file's frames and meshes as it holds them, before merging.
LoadResult LoadSceneFromXMemory(const uint8_t *data, size_t size, XScene &out);

// CloneMeshFVF on the data: components the new format adds are zero, the ones
// it lacks are dropped. False for a format this loader cannot lay out.
bool CloneMeshData(const MeshData &in, uint32_t fvf, MeshData &out);

// D3DXComputeNormals on the data; does nothing without a normal component.
void ComputeNormals(MeshData &mesh);

// The folder the texture names of the X file at xFilePath (a Windows path,
// cut to the loader's 1,023-byte path buffer) are resolved against: up to
// and including its last backslash; empty when it has none.
std::string TextureDirectoryOf(const std::string &xFilePath);

}  // namespace morvel::formats::xfile
