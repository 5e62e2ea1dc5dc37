// The renderer's view of an editor document.
#pragma once

#include "document/editor_document.h"
#include "render/scene_document.h"

namespace morvel::render {

inline SceneDocument SceneOf(const document::EditorDocument &editorDocument) {
    return SceneDocument{editorDocument.document, editorDocument.partMeshes,
                         editorDocument.selectedMotion, editorDocument.selectedFrame,
                         editorDocument.selectedPosition};
}

}  // namespace morvel::render
