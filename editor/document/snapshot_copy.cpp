#include "document/snapshot_copy.h"

#include <cstring>

#include "base/streaming_copy.h"

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

bool CopyDocumentReusingTables(MotionDocument &target, const MotionDocument &source,
                               CopyTarget use) {
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
                const size_t bytes = frame.positionCount * sizeof(PositionEntry);
                if (use == CopyTarget::SetAside) {
                    base::StreamingCopy(positions, source.motions[m].frames[f].positions, bytes);
                } else {
                    std::memcpy(positions, source.motions[m].frames[f].positions, bytes);
                }
            }
        }
    }
    base::FinishStreamingCopies();
    return true;
}

}  // namespace morvel::document
