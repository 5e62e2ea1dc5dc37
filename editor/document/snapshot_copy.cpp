#include "document/snapshot_copy.h"

#include <cstring>

namespace morvel::document {

bool SameShape(const MotionDocument &a, const MotionDocument &b) {
    const MotionFileHeader &ha = a.header;
    const MotionFileHeader &hb = b.header;
    if (ha.partCount != hb.partCount || ha.motionCount != hb.motionCount) return false;
    for (uint16_t m = 0; m < ha.motionCount; ++m) {
        const MotionEntry &ma = a.motions[m];
        const MotionEntry &mb = b.motions[m];
        if (ma.frameCount != mb.frameCount) return false;
        for (uint16_t f = 0; f < ma.frameCount; ++f) {
            if (ma.frames[f].positionCount != mb.frames[f].positionCount) return false;
        }
    }
    return true;
}

bool CopyDocumentReusingTables(MotionDocument &target, const MotionDocument &source) {
    if (&target == &source) return true;
    if (!SameShape(target, source)) return Mvl_Func_Copy(&target, &source) != 0;
    // The records move; the references that tie target's arrays together stay.
    target.header = source.header;
    if (source.header.partCount != 0) {
        std::memcpy(target.parts, source.parts, source.header.partCount * sizeof(PartEntry));
    }
    for (uint16_t m = 0; m < source.header.motionCount; ++m) {
        MotionEntry &motion = target.motions[m];
        FrameEntry *frames = motion.frames;
        motion = source.motions[m];
        motion.frames = frames;
        for (uint16_t f = 0; f < motion.frameCount; ++f) {
            FrameEntry &frame = frames[f];
            PositionEntry *positions = frame.positions;
            frame = source.motions[m].frames[f];
            frame.positions = positions;
            if (frame.positionCount != 0) {
                std::memcpy(positions, source.motions[m].frames[f].positions,
                            frame.positionCount * sizeof(PositionEntry));
            }
        }
    }
    return true;
}

}  // namespace morvel::document
