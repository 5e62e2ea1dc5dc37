// The document's part meshes made on the renderer's device: the
// PartMeshLoader the document loads and copies through, and the lookup of
// the mesh a position draws.
#pragma once

#include <memory>
#include <string>

#include "document/part_mesh_port.h"
#include "render/asset_loaders.h"
#include "render/device_session.h"
#include "render/part_mesh.h"
#include "render/scene_document.h"

namespace morvel::render {

class DevicePartMeshLoader : public document::PartMeshLoader {
public:
    DevicePartMeshLoader(DeviceSession &session, const AssetLoaders &loaders)
        : session_(session), loaders_(loaders) {}

    // nullptr without a device or when the X file does not load.
    std::unique_ptr<document::PartMeshResource> LoadPartMesh(const std::string &fileName) override;
    // Kept cut to the 1,023 bytes of the loader's message buffer.
    void SetMeshLoadMessage(const std::string &text) override;
    const std::string &MeshLoadMessage() const { return meshLoadMessage_; }

private:
    DeviceSession &session_;
    const AssetLoaders &loaders_;
    std::string meshLoadMessage_;
};

// The mesh the position's part number names in the scene; nullptr for a
// part number outside the tables or a part whose mesh did not load.
const PartMesh *PartMeshOf(const SceneDocument &scene, const PositionEntry &position);

}  // namespace morvel::render
