#include "render/part_mesh_loader.h"

#include "base/cp932_text.h"

namespace morvel::render {

std::unique_ptr<document::PartMeshResource> DevicePartMeshLoader::LoadPartMesh(
    const std::string &fileName) {
    RenderDevice *device = session_.Device();
    if (device == nullptr) return nullptr;
    auto mesh = std::make_unique<PartMesh>();
    if (!render::LoadPartMesh(*device, fileName, *mesh, loaders_)) {
        ReleasePartMesh(*mesh);
        return nullptr;
    }
    return mesh;
}

void DevicePartMeshLoader::SetMeshLoadMessage(const std::string &text) {
    constexpr size_t kMeshLoadMessageBytes = 1023;
    meshLoadMessage_ = text.substr(0, base::Cp932PrefixLength(text, kMeshLoadMessageBytes));
}

const PartMesh *PartMeshOf(const SceneDocument &scene, const PositionEntry &position) {
    // A part number outside the table draws nothing rather than reading past it.
    if (position.partNumber < 0 || position.partNumber >= scene.document.header.partCount ||
        static_cast<size_t>(position.partNumber) >= scene.partMeshes.size()) {
        return nullptr;
    }
    return dynamic_cast<const PartMesh *>(scene.partMeshes[position.partNumber].get());
}

}  // namespace morvel::render
