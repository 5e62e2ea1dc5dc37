// A part-mesh loader for tests: a mesh loads exactly when its file exists.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "base/file_access.h"
#include "document/part_mesh_port.h"

namespace morvel::document::fakes {

class FakePartMesh : public PartMeshResource {
public:
    explicit FakePartMesh(std::string fileName) : fileName(std::move(fileName)) {}
    std::string fileName;
};

class FakePartMeshLoader : public PartMeshLoader {
public:
    std::unique_ptr<PartMeshResource> LoadPartMesh(const std::string &fileName) override {
        loaded.push_back(fileName);
        if (!base::FileExists(fileName)) return nullptr;
        return std::make_unique<FakePartMesh>(fileName);
    }
    void SetMeshLoadMessage(const std::string &text) override { meshLoadMessage = text; }

    std::vector<std::string> loaded;  // every file name asked for, in order
    std::string meshLoadMessage;
};

}  // namespace morvel::document::fakes
