// The decoders behind the D3DX loading functions: the X-file reader and the
// texture decoder. A table of plain functions so tests can hand in fakes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "formats/image/texture_types.h"
#include "formats/xfile/mesh_data.h"
#include "formats/xfile/x_mesh_loader.h"

namespace morvel::render {

struct AssetLoaders {
    // path is a Windows path as documents hold it.
    formats::xfile::LoadResult (*loadMeshFile)(const std::string &path,
                                               formats::xfile::MeshData &out);
    bool (*cloneMesh)(const formats::xfile::MeshData &in, uint32_t fvf,
                      formats::xfile::MeshData &out);
    void (*computeNormals)(formats::xfile::MeshData &mesh);
    formats::image::LoadResult (*loadTextureFile)(const std::string &path,
                                                  formats::image::TextureData &out);
    formats::image::LoadResult (*loadTextureDib)(const uint8_t *data, size_t size,
                                                 formats::image::TextureData &out);
};

// The real decoders of xfile/ and image/.
const AssetLoaders &DefaultAssetLoaders();

}  // namespace morvel::render
