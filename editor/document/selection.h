// The one place where indices into a document's tables are checked: the
// motion, frame and position they name, or nullptr where a table is empty
// or an index falls outside it.
#pragma once

#include <cstdint>
#include <utility>

#include "document/editor_document.h"
#include "mvllib/mvllib.h"

namespace morvel::document {

const MotionEntry *MotionAt(const MotionDocument &document, int32_t motion);
const FrameEntry *FrameAt(const MotionDocument &document, int32_t motion, int32_t frame);
const PositionEntry *PositionAt(const MotionDocument &document, int32_t motion, int32_t frame,
                                int32_t position);

inline MotionEntry *MotionAt(MotionDocument &document, int32_t motion) {
    return const_cast<MotionEntry *>(MotionAt(std::as_const(document), motion));
}
inline FrameEntry *FrameAt(MotionDocument &document, int32_t motion, int32_t frame) {
    return const_cast<FrameEntry *>(FrameAt(std::as_const(document), motion, frame));
}
inline PositionEntry *PositionAt(MotionDocument &document, int32_t motion, int32_t frame,
                                 int32_t position) {
    return const_cast<PositionEntry *>(
        PositionAt(std::as_const(document), motion, frame, position));
}

// The editor document's selection.
inline const MotionEntry *SelectedMotion(const EditorDocument &d) {
    return MotionAt(d.document, d.selectedMotion);
}
inline const FrameEntry *SelectedFrame(const EditorDocument &d) {
    return FrameAt(d.document, d.selectedMotion, d.selectedFrame);
}
inline PositionEntry *SelectedPosition(EditorDocument &d) {
    return PositionAt(d.document, d.selectedMotion, d.selectedFrame, d.selectedPosition);
}

}  // namespace morvel::document
