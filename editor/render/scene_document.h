// What the renderer reads of an editor document: the motion document, its
// part meshes (one per part, nullptr where a part failed) and the selection.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "document/part_mesh_port.h"
#include "mvllib/mvllib.h"

namespace morvel::render {

using PartMeshTable = std::vector<std::unique_ptr<document::PartMeshResource>>;

struct SceneDocument {
    const MotionDocument &document;
    const PartMeshTable &partMeshes;
    int32_t selectedMotion = 0;
    int32_t selectedFrame = 0;
    int32_t selectedPosition = 0;
};

// The selected motion, frame and position, or nullptr where the table is
// empty or the index falls outside it.
const MotionEntry *SelectedMotion(const SceneDocument &scene);
const FrameEntry *SelectedFrame(const SceneDocument &scene);
const PositionEntry *SelectedPosition(const SceneDocument &scene);

}  // namespace morvel::render
