// The body shared by the motion-file fuzzers: the bytes go through the same
// loader as Mvl_Func_Load, read from memory instead of a file, which must
// end in a status code, leave the destination as it was on failure, and
// leak nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "formats/motion/document_tables.h"
#include "formats/motion/motion_file_reader.h"
#include "formats/motion/record_reader.h"
#include "mvllib/mvllib.h"

namespace morvel::formats::motion::fuzz {

// Written with what the walk read, so that the walk is not optimised away.
inline volatile uint64_t walkSink;

inline void LoadFromMemory(const uint8_t *data, size_t size, const char *userCode) {
    MotionDocument document;
    InitDocument(document);
    document.parts = nullptr;
    document.motions = nullptr;
    const MotionDocument before = document;
    RecordReader reader(data, size);
    if (!reader.IsOpen()) std::abort();
    const int result = LoadDocument(&document, reader, userCode);
    if (result < -3 || result > 0) std::abort();
    if (result != 0) {
        if (std::memcmp(&before, &document, sizeof document) != 0) std::abort();
        return;
    }
    // Walk everything that was loaded so that a wrong count shows up as an
    // overflow, and check that the records read fit in the input.
    uint64_t frames = 0;
    uint64_t positions = 0;
    uint64_t sum = 0;
    for (unsigned m = 0; m < document.header.motionCount; ++m) {
        const MotionEntry &motion = document.motions[m];
        frames += motion.frameCount;
        for (unsigned fr = 0; fr < motion.frameCount; ++fr) {
            const FrameEntry &frame = motion.frames[fr];
            positions += frame.positionCount;
            for (unsigned p = 0; p < frame.positionCount; ++p) {
                sum += static_cast<uint16_t>(frame.positions[p].partNumber);
            }
        }
    }
    for (unsigned p = 0; p < document.header.partCount; ++p) sum += document.parts[p].fileName[0];
    const uint64_t needed = MVL_HEADER_SIZE +
                            uint64_t{MVL_PART_RECORD_SIZE} * document.header.partCount +
                            uint64_t{MVL_MOTION_RECORD_SIZE} * document.header.motionCount +
                            MVL_FRAME_RECORD_SIZE * frames + MVL_POSITION_RECORD_SIZE * positions;
    if (needed > size) std::abort();
    MotionDocument copy;
    InitDocument(copy);
    if (!CopyDocument(copy, document)) std::abort();
    ReleaseDocument(copy);
    walkSink = sum;
    ReleaseDocument(document);
}

}  // namespace morvel::formats::motion::fuzz
