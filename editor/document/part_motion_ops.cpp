// Operations on the part table and the motion table.
#include "base/field_text.h"
#include "document/selection.h"
#include "document/table_access.h"
#include "document/table_ops.h"
#include "document/table_rebuild.h"

namespace morvel::document {

using detail::CanMoveDown;
using detail::CanMoveUp;
using detail::CopyRecords;
using detail::InRange;

bool InsertPart(MotionDocument &document, std::string_view fileName) {
    if (document.header.partCount >= kMaxTableCount) return false;
    TableRebuild rebuild(document);
    if (!rebuild.Ready()) return false;
    MotionDocument &scratch = rebuild.Scratch();
    const uint16_t count = scratch.header.partCount;
    auto *parts = rebuild.CopyWithGap(scratch.parts, count, count);
    if (parts == nullptr) return false;
    base::StoreFieldText(parts[count].fileName, sizeof parts[count].fileName, fileName);
    if (count != 0) rebuild.GiveBack(scratch.parts);
    scratch.parts = parts;
    scratch.header.partCount = static_cast<uint16_t>(count + 1);
    return rebuild.Commit();
}

bool UpdatePart(MotionDocument &document, int32_t k, std::string_view fileName) {
    if (!InRange(k, document.header.partCount)) return false;
    PartEntry &part = document.parts[k];
    base::StoreFieldText(part.fileName, sizeof part.fileName, fileName);
    return true;
}

namespace {

// Whether removing part k changes anything in this frame.
bool FrameUsesPartsFrom(const FrameEntry &frame, int32_t k) {
    for (uint16_t p = 0; p < frame.positionCount; ++p) {
        if (frame.positions[p].partNumber >= k) return true;
    }
    return false;
}

// Rebuilds one scratch frame without the positions of part k, with the later
// parts' numbers moved down by one.
bool RemovePartFromFrame(TableRebuild &rebuild, FrameEntry &frame, int32_t k) {
    if (frame.positionCount == 0 || !FrameUsesPartsFrom(frame, k)) return true;
    uint16_t kept = 0;
    for (uint16_t p = 0; p < frame.positionCount; ++p) {
        if (frame.positions[p].partNumber != k) ++kept;
    }
    PositionEntry *positions = nullptr;
    if (kept != 0) {
        positions = rebuild.NewArray<PositionEntry>(kept);
        if (positions == nullptr) return false;
        uint16_t next = 0;
        for (uint16_t p = 0; p < frame.positionCount; ++p) {
            PositionEntry position = frame.positions[p];
            if (position.partNumber == k) continue;
            if (position.partNumber > k) --position.partNumber;
            positions[next++] = position;
        }
    }
    rebuild.GiveBack(frame.positions);
    frame.positions = positions;
    frame.positionCount = kept;
    return true;
}

}  // namespace

bool DeletePart(MotionDocument &document, int32_t k) {
    if (!InRange(k, document.header.partCount)) return false;
    TableRebuild rebuild(document);
    if (!rebuild.Ready()) return false;
    MotionDocument &scratch = rebuild.Scratch();
    const uint16_t count = scratch.header.partCount;
    PartEntry *parts = nullptr;
    if (!rebuild.CopyWithout(scratch.parts, count, k, parts)) return false;
    // Each frame stays consistent on its own, so stopping half-way is safe:
    // nothing reaches the document before Commit.
    for (uint16_t m = 0; m < scratch.header.motionCount; ++m) {
        MotionEntry &motion = scratch.motions[m];
        for (uint16_t f = 0; f < motion.frameCount; ++f) {
            if (!RemovePartFromFrame(rebuild, motion.frames[f], k)) return false;
        }
    }
    rebuild.GiveBack(scratch.parts);
    scratch.parts = parts;
    scratch.header.partCount = static_cast<uint16_t>(count - 1);
    return rebuild.Commit();
}

bool MovePartDown(MotionDocument &document, int32_t k) {
    if (!CanMoveDown(k, document.header.partCount)) return false;
    detail::SwapRecords(document.parts[k], document.parts[k + 1]);
    // Part numbers are compared as signed values: parts from 32,768 on cannot
    // be referred to, and a negative reference must not turn into one of them.
    const int32_t lower = k;
    const int32_t upper = k + 1;
    for (uint16_t m = 0; m < document.header.motionCount; ++m) {
        MotionEntry &motion = document.motions[m];
        for (uint16_t f = 0; f < motion.frameCount; ++f) {
            FrameEntry &frame = motion.frames[f];
            for (uint16_t p = 0; p < frame.positionCount; ++p) {
                int16_t &part = frame.positions[p].partNumber;
                if (part == lower) {
                    part = static_cast<int16_t>(upper);
                } else if (part == upper) {
                    part = static_cast<int16_t>(lower);
                }
            }
        }
    }
    return true;
}

bool MovePartUp(MotionDocument &document, int32_t k) {
    if (!CanMoveUp(k, document.header.partCount)) return false;
    return MovePartDown(document, k - 1);
}

bool InsertMotion(MotionDocument &document, std::string_view name,
                  std::string_view soundFileName) {
    MotionEntry motion{};
    base::StoreFieldText(motion.name, sizeof motion.name, name);
    base::StoreFieldText(motion.soundFileName, sizeof motion.soundFileName, soundFileName);
    return AppendMotion(document, motion);
}

bool AppendMotion(MotionDocument &document, const MotionEntry &motion) {
    if (document.header.motionCount >= kMaxTableCount) return false;
    TableRebuild rebuild(document);
    if (!rebuild.Ready()) return false;
    // The caller's frames and positions are copied by Commit, never released here.
    if (motion.frameCount != 0) {
        if (!rebuild.MarkEditorOwned(motion.frames)) return false;
        for (uint16_t f = 0; f < motion.frameCount; ++f) {
            const FrameEntry &frame = motion.frames[f];
            if (frame.positionCount != 0 && !rebuild.MarkEditorOwned(frame.positions)) return false;
        }
    }
    MotionDocument &scratch = rebuild.Scratch();
    const uint16_t count = scratch.header.motionCount;
    auto *motions = rebuild.CopyWithGap(scratch.motions, count, count);
    if (motions == nullptr) return false;
    motions[count] = motion;
    if (motion.frameCount == 0) motions[count].frames = nullptr;
    if (count != 0) rebuild.GiveBack(scratch.motions);
    scratch.motions = motions;
    scratch.header.motionCount = static_cast<uint16_t>(count + 1);
    return rebuild.Commit();
}

bool UpdateMotion(MotionDocument &document, int32_t k, std::string_view name,
                  std::string_view soundFileName) {
    MotionEntry *motion = MotionAt(document, k);
    if (motion == nullptr) return false;
    base::StoreFieldText(motion->name, sizeof motion->name, name);
    base::StoreFieldText(motion->soundFileName, sizeof motion->soundFileName, soundFileName);
    return true;
}

bool DeleteMotion(MotionDocument &document, int32_t k) {
    if (!InRange(k, document.header.motionCount)) return false;
    TableRebuild rebuild(document);
    if (!rebuild.Ready()) return false;
    MotionDocument &scratch = rebuild.Scratch();
    const uint16_t count = scratch.header.motionCount;
    MotionEntry *motions = nullptr;
    if (!rebuild.CopyWithout(scratch.motions, count, k, motions)) return false;
    rebuild.GiveBackFramesOf(scratch.motions[k]);
    rebuild.GiveBack(scratch.motions);
    scratch.motions = motions;
    scratch.header.motionCount = static_cast<uint16_t>(count - 1);
    return rebuild.Commit();
}

bool MoveMotionDown(MotionDocument &document, int32_t k) {
    if (!CanMoveDown(k, document.header.motionCount)) return false;
    detail::SwapRecords(document.motions[k], document.motions[k + 1]);
    return true;
}

bool MoveMotionUp(MotionDocument &document, int32_t k) {
    if (!CanMoveUp(k, document.header.motionCount)) return false;
    return MoveMotionDown(document, k - 1);
}

bool CopyMotion(MotionDocument &document, int32_t k) {
    if (!InRange(k, document.header.motionCount)) return false;
    if (document.header.motionCount >= kMaxTableCount) return false;
    TableRebuild rebuild(document);
    if (!rebuild.Ready()) return false;
    MotionDocument &scratch = rebuild.Scratch();
    const uint16_t count = scratch.header.motionCount;
    auto *motions = rebuild.CopyWithGap(scratch.motions, count, k + 1);
    if (motions == nullptr) return false;
    // The copy gets frame and position arrays of its own.
    const MotionEntry &source = scratch.motions[k];
    MotionEntry &copy = motions[k + 1];
    copy = source;
    if (source.frameCount != 0) {
        copy.frames = rebuild.NewArray<FrameEntry>(source.frameCount);
        if (copy.frames == nullptr) return false;
        for (uint16_t f = 0; f < source.frameCount; ++f) {
            const FrameEntry &frame = source.frames[f];
            copy.frames[f] = frame;
            if (frame.positionCount == 0) continue;
            copy.frames[f].positions = rebuild.NewArray<PositionEntry>(frame.positionCount);
            if (copy.frames[f].positions == nullptr) return false;
            CopyRecords(copy.frames[f].positions, frame.positions, frame.positionCount);
        }
    }
    rebuild.GiveBack(scratch.motions);
    scratch.motions = motions;
    scratch.header.motionCount = static_cast<uint16_t>(count + 1);
    return rebuild.Commit();
}

}  // namespace morvel::document
