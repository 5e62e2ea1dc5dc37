// The records of a motion file in file order, each encoded field by field:
// header, parts, motions, every motion's frames, then every frame's
// positions. Each goes to out.Put(record) (a RecordBytes array, which Put may
// scramble in place); the walk stops at the first Put that returns false.
#pragma once

#include "formats/motion/record_codec.h"
#include "mvllib/mvllib.h"

namespace morvel::formats::motion {

template <typename Sink>
bool PutMotionFileRecords(const MotionDocument &document, Sink &out) {
    const MotionFileHeader &header = document.header;
    RecordBytes headerRecord[MVL_HEADER_SIZE];
    EncodeHeader(header, headerRecord);
    if (!out.Put(headerRecord)) return false;

    RecordBytes partRecord[MVL_PART_RECORD_SIZE];
    for (uint16_t p = 0; p < header.partCount; ++p) {
        EncodePart(document.parts[p], partRecord);
        if (!out.Put(partRecord)) return false;
    }
    RecordBytes motionRecord[MVL_MOTION_RECORD_SIZE];
    for (uint16_t m = 0; m < header.motionCount; ++m) {
        EncodeMotion(document.motions[m], motionRecord);
        if (!out.Put(motionRecord)) return false;
    }
    RecordBytes frameRecord[MVL_FRAME_RECORD_SIZE];
    for (uint16_t m = 0; m < header.motionCount; ++m) {
        const MotionEntry &motion = document.motions[m];
        for (uint16_t f = 0; f < motion.frameCount; ++f) {
            EncodeFrame(motion.frames[f], frameRecord);
            if (!out.Put(frameRecord)) return false;
        }
    }
    RecordBytes positionRecord[MVL_POSITION_RECORD_SIZE];
    for (uint16_t m = 0; m < header.motionCount; ++m) {
        const MotionEntry &motion = document.motions[m];
        for (uint16_t f = 0; f < motion.frameCount; ++f) {
            const FrameEntry &frame = motion.frames[f];
            for (uint16_t p = 0; p < frame.positionCount; ++p) {
                EncodePosition(frame.positions[p], positionRecord);
                if (!out.Put(positionRecord)) return false;
            }
        }
    }
    return true;
}

}  // namespace morvel::formats::motion
