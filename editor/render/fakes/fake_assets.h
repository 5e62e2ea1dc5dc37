// Fake X-file and texture decoders for the renderer tests: meshes and
// textures are looked up by path in tables the test fills.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "render/asset_loaders.h"

namespace morvel::render::fakes {

struct FakeAssets {
    static std::map<std::string, formats::xfile::MeshData> meshes;  // by the path the loader sees
    static std::set<std::string> textures;                 // paths that decode
    static std::vector<std::string> textureRequests;       // every texture path asked for
    static std::vector<uint32_t> clonedTo;                 // formats meshes were cloned to
    static int normalsComputed;
    static bool cloneFails;

    static void Reset();
    static const AssetLoaders &Loaders();
};

uint32_t StrideOf(uint32_t fvf);

// A mesh of `subsets` quads (two triangles each), one material per subset;
// textureNames[i] non-empty gives material i that texture.
formats::xfile::MeshData MakeMesh(uint32_t fvf, int subsets,
                                  const std::vector<std::string> &textureNames = {});

}  // namespace morvel::render::fakes
