#include "render/asset_loaders.h"

#include "render/cp932_text.h"
#include "render/image/texture_loader.h"

namespace morvel::render {
namespace {

xfile::LoadResult LoadMeshFromDocumentPath(const std::string &path, xfile::MeshData &out) {
    return xfile::LoadMeshFromXFile(ToHostPath(path), out);
}

}  // namespace

const AssetLoaders &DefaultAssetLoaders() {
    static const AssetLoaders loaders{LoadMeshFromDocumentPath, xfile::CloneMeshData,
                                      xfile::ComputeNormals, image::LoadTextureFromFile,
                                      image::LoadTextureFromDib};
    return loaders;
}

std::string ToHostPath(const std::string &windowsPath) {
#if defined(_WIN32)
    return windowsPath;
#else
    std::string host = windowsPath;
    for (size_t i = 0; i < host.size(); ++i) {
        if (IsCp932LeadByte(static_cast<unsigned char>(host[i]))) {
            ++i;  // the trail byte may be 0x5C and is not a separator
        } else if (host[i] == '\\') {
            host[i] = '/';
        }
    }
    return host;
#endif
}

}  // namespace morvel::render
