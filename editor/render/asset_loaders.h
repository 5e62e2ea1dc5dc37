// The decoders behind the D3DX loading functions: the X-file reader and the
// texture decoder. A table of plain functions so tests can hand in fakes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "render/image/texture_types.h"
#include "render/xfile/mesh_data.h"
#include "render/xfile/x_mesh_loader.h"

namespace morvel::render {

struct AssetLoaders {
    // path is a Windows path as documents hold it.
    xfile::LoadResult (*loadMeshFile)(const std::string &path, xfile::MeshData &out);
    bool (*cloneMesh)(const xfile::MeshData &in, uint32_t fvf, xfile::MeshData &out);
    void (*computeNormals)(xfile::MeshData &mesh);
    image::LoadResult (*loadTextureFile)(const std::string &path, image::TextureData &out);
    image::LoadResult (*loadTextureDib)(const uint8_t *data, size_t size, image::TextureData &out);
};

// The real decoders of xfile/ and image/.
const AssetLoaders &DefaultAssetLoaders();

// A document path ("..\parts\arm.x") as the host's file functions take it:
// unchanged on Windows, '\' turned into '/' elsewhere.
std::string ToHostPath(const std::string &windowsPath);

}  // namespace morvel::render
