#include "document/selection.h"

namespace morvel::document {

const MotionEntry *MotionAt(const MotionDocument &document, int32_t motion) {
    if (document.motions == nullptr || motion < 0 || motion >= document.header.motionCount) {
        return nullptr;
    }
    return &document.motions[motion];
}

const FrameEntry *FrameAt(const MotionDocument &document, int32_t motion, int32_t frame) {
    const MotionEntry *entry = MotionAt(document, motion);
    if (entry == nullptr || entry->frames == nullptr || frame < 0 || frame >= entry->frameCount) {
        return nullptr;
    }
    return &entry->frames[frame];
}

const PositionEntry *PositionAt(const MotionDocument &document, int32_t motion, int32_t frame,
                                int32_t position) {
    const FrameEntry *entry = FrameAt(document, motion, frame);
    if (entry == nullptr || entry->positions == nullptr || position < 0 ||
        position >= entry->positionCount) {
        return nullptr;
    }
    return &entry->positions[position];
}

}  // namespace morvel::document
