#include "formats/motion/document_tables.h"

#include <cstdlib>
#include <cstring>

namespace morvel::formats::motion {

// Uninitialised: every caller writes each entry before anything reads it
// (counts are at most 65,535, so the product cannot overflow).
void *AllocateTable(size_t count, size_t size) {
    if (count == 0) return nullptr;
    return std::malloc(count * size);
}

static void ReleaseFrames(FrameEntry *frames, uint16_t frameCount) {
    for (uint16_t f = 0; f < frameCount; ++f) {
        if (frames[f].positionCount != 0) std::free(frames[f].positions);
    }
    std::free(frames);
}

void ReleaseTables(const DocumentTables &tables) {
    if (tables.partCount != 0) std::free(tables.parts);
    if (tables.motionCount == 0) return;
    for (uint16_t m = 0; m < tables.motionCount; ++m) {
        const MotionEntry &motion = tables.motions[m];
        if (motion.frameCount != 0) ReleaseFrames(motion.frames, motion.frameCount);
    }
    std::free(tables.motions);
}

// Copies one motion's frames and positions into motion.frames (already holding
// the source's record). On failure motion.frameCount is cut to the frames
// whose arrays exist, so that ReleaseTables can undo the partial copy.
static bool CopyMotionFrames(const MotionEntry &source, MotionEntry &motion) {
    motion.frames = nullptr;
    if (source.frameCount == 0) return true;
    auto *frames =
        static_cast<FrameEntry *>(AllocateTable(source.frameCount, sizeof(FrameEntry)));
    if (frames == nullptr) {
        motion.frameCount = 0;
        return false;
    }
    motion.frames = frames;
    for (uint16_t f = 0; f < source.frameCount; ++f) {
        frames[f] = source.frames[f];
        frames[f].positions = nullptr;
        const uint16_t count = source.frames[f].positionCount;
        if (count == 0) continue;
        auto *positions =
            static_cast<PositionEntry *>(AllocateTable(count, sizeof(PositionEntry)));
        if (positions == nullptr) {
            // Frames from f on own nothing yet; clear their counts so release skips them.
            for (uint16_t rest = f; rest < source.frameCount; ++rest) frames[rest].positionCount = 0;
            return false;
        }
        std::memcpy(positions, source.frames[f].positions, count * sizeof(PositionEntry));
        frames[f].positions = positions;
    }
    return true;
}

bool CopyTables(const MotionDocument &source, DocumentTables &out) {
    DocumentTables copy;
    const uint16_t partCount = source.header.partCount;
    if (partCount != 0) {
        copy.parts = static_cast<PartEntry *>(AllocateTable(partCount, sizeof(PartEntry)));
        if (copy.parts == nullptr) return false;
        std::memcpy(copy.parts, source.parts, partCount * sizeof(PartEntry));
        copy.partCount = partCount;
    }
    const uint16_t motionCount = source.header.motionCount;
    if (motionCount != 0) {
        copy.motions =
            static_cast<MotionEntry *>(AllocateTable(motionCount, sizeof(MotionEntry)));
        if (copy.motions == nullptr) {
            ReleaseTables(copy);
            return false;
        }
        copy.motionCount = motionCount;
        for (uint16_t m = 0; m < motionCount; ++m) {
            copy.motions[m] = source.motions[m];
            if (!CopyMotionFrames(source.motions[m], copy.motions[m])) {
                // Motions after m still point at the source's arrays.
                for (uint16_t rest = m + 1; rest < motionCount; ++rest) {
                    copy.motions[rest].frameCount = 0;
                }
                ReleaseTables(copy);
                return false;
            }
        }
    }
    out = copy;
    return true;
}

void InitDocument(MotionDocument &document) {
    MotionFileHeader &h = document.header;
    std::memset(&h, 0, sizeof h);
    std::memcpy(h.magic, "MVL1", 4);
    std::memcpy(h.version, "1.00", 4);
    h.backgroundColour.a = 255;
    h.axisVisible = 1;
    h.axisColour = MvlRgba8{200, 200, 200, 255};
    h.statusTextVisible = 1;
    h.statusTextColour = MvlRgba8{200, 200, 200, 255};
    h.cameraDistance = 300;
    h.cullingMode = 2;
    h.initialScale = MvlVector3F64{100.0, 100.0, 100.0};
    h.axisDirection = 7;
}

void ReleaseDocument(MotionDocument &document) {
    ReleaseTables(TablesOf(document));
    document.parts = nullptr;
    document.motions = nullptr;
    InitDocument(document);
}

bool CopyDocument(MotionDocument &destination, const MotionDocument &source) {
    if (&destination == &source) return true;
    // Build the copy first so that running out of memory leaves the destination as it was.
    DocumentTables copy;
    if (!CopyTables(source, copy)) return false;
    ReleaseDocument(destination);
    destination.header = source.header;
    destination.parts = copy.parts;
    destination.motions = copy.motions;
    return true;
}

}  // namespace morvel::formats::motion
