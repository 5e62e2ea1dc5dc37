#include "render/asset_loaders.h"

#include "base/windows_path.h"
#include "formats/image/texture_loader.h"

namespace morvel::render {
namespace {

formats::xfile::LoadResult LoadMeshFromDocumentPath(const std::string &path,
                                                    formats::xfile::MeshData &out) {
    return formats::xfile::LoadMeshFromXFile(base::HostPath(path), out);
}

}  // namespace

const AssetLoaders &DefaultAssetLoaders() {
    static const AssetLoaders loaders{
        LoadMeshFromDocumentPath, formats::xfile::CloneMeshData, formats::xfile::ComputeNormals,
        formats::image::LoadTextureFromFile, formats::image::LoadTextureFromDib};
    return loaders;
}

}  // namespace morvel::render
