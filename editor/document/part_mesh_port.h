// The seam through which the document loads the meshes of its parts. The
// renderer implements it (its PartMesh derives from PartMeshResource); tests
// use a fake. The document never looks inside a mesh.
#pragma once

#include <memory>
#include <string>

namespace morvel::document {

// One loaded part mesh, owned by the document; released by destruction.
class PartMeshResource {
public:
    virtual ~PartMeshResource() = default;
};

class PartMeshLoader {
public:
    virtual ~PartMeshLoader() = default;

    // Loads the X file a part names (a Windows path such as ".\body.x");
    // nullptr when it cannot be loaded.
    virtual std::unique_ptr<PartMeshResource> LoadPartMesh(const std::string &fileName) = 0;

    // The text of the last mesh-load failure, kept by the renderer and shown
    // by the commands that load documents.
    virtual void SetMeshLoadMessage(const std::string &text) = 0;
};

}  // namespace morvel::document
