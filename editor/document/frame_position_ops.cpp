// Operations on a motion's frame table and a frame's position table.
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

namespace {

// What a frame-table rebuild inserts: nothing (delete), an empty frame, a
// copy of frame k, or the frame halfway between k and k + 1.
enum class NewFrame { Empty, CopyOfK, HalfwayAfterK };

double Halfway(double a, double b) { return (a + b) / 2.0; }

// The sum is stored into a signed 16-bit value first (and may wrap), then
// halved with division toward zero.
int16_t HalfwayRotation(int16_t a, int16_t b) {
    const int sum = ((static_cast<int>(a) + static_cast<int>(b) + 32768) & 0xFFFF) - 32768;
    return static_cast<int16_t>(sum / 2);
}

PositionEntry HalfwayPosition(const PositionEntry &from, const PositionEntry &to) {
    PositionEntry p = from;  // partNumber and padding stay those of frame k
    p.ambient = {Halfway(from.ambient.r, to.ambient.r), Halfway(from.ambient.g, to.ambient.g),
                 Halfway(from.ambient.b, to.ambient.b), Halfway(from.ambient.a, to.ambient.a)};
    p.diffuse = {Halfway(from.diffuse.r, to.diffuse.r), Halfway(from.diffuse.g, to.diffuse.g),
                 Halfway(from.diffuse.b, to.diffuse.b), Halfway(from.diffuse.a, to.diffuse.a)};
    p.scale = {Halfway(from.scale.x, to.scale.x), Halfway(from.scale.y, to.scale.y),
               Halfway(from.scale.z, to.scale.z)};
    p.translation = {Halfway(from.translation.x, to.translation.x),
                     Halfway(from.translation.y, to.translation.y),
                     Halfway(from.translation.z, to.translation.z)};
    p.rotation = {HalfwayRotation(from.rotation.x, to.rotation.x),
                  HalfwayRotation(from.rotation.y, to.rotation.y),
                  HalfwayRotation(from.rotation.z, to.rotation.z)};
    return p;
}

// Fills frame with the frame to insert after k, with positions of its own.
bool BuildNewFrame(TableRebuild &rebuild, const MotionEntry &motion, int32_t k, NewFrame kind,
                   FrameEntry &frame) {
    const FrameEntry &source = motion.frames[k];
    frame = source;
    if (source.positionCount == 0) {
        frame.positions = nullptr;
        return true;
    }
    frame.positions = rebuild.NewArray<PositionEntry>(source.positionCount);
    if (frame.positions == nullptr) return false;
    CopyRecords(frame.positions, source.positions, source.positionCount);
    if (kind == NewFrame::HalfwayAfterK) {
        // Paired strictly by index; positions without a partner stay as in frame k.
        const FrameEntry &next = motion.frames[k + 1];
        for (uint16_t i = 0; i < source.positionCount && i < next.positionCount; ++i) {
            frame.positions[i] = HalfwayPosition(source.positions[i], next.positions[i]);
        }
    }
    return true;
}

// Rebuilds motion m's frame table with one more frame after k (or, for an
// empty frame, at the end).
bool GrowFrames(MotionDocument &document, int32_t m, int32_t k, NewFrame kind,
                std::string_view comment) {
    if (MotionAt(document, m)->frameCount >= kMaxTableCount) return false;
    TableRebuild rebuild(document);
    if (!rebuild.Ready()) return false;
    MotionEntry &motion = rebuild.Scratch().motions[m];
    const uint16_t count = motion.frameCount;
    const int32_t at = kind == NewFrame::Empty ? count : k + 1;
    auto *frames = rebuild.CopyWithGap(motion.frames, count, at);
    if (frames == nullptr) return false;
    if (kind == NewFrame::Empty) {
        base::StoreFieldText(frames[at].comment, sizeof frames[at].comment, comment);
    } else if (!BuildNewFrame(rebuild, motion, k, kind, frames[at])) {
        return false;
    }
    if (count != 0) rebuild.GiveBack(motion.frames);
    motion.frames = frames;
    motion.frameCount = static_cast<uint16_t>(count + 1);
    return rebuild.Commit();
}

// Rebuilds frame f's position table with one more position: a copy of k
// right after it, or the given record at the end.
bool GrowPositions(MotionDocument &document, int32_t m, int32_t f, const PositionEntry *appended,
                   int32_t k) {
    if (FrameAt(document, m, f)->positionCount >= kMaxTableCount) return false;
    TableRebuild rebuild(document);
    if (!rebuild.Ready()) return false;
    FrameEntry &frame = rebuild.Scratch().motions[m].frames[f];
    const uint16_t count = frame.positionCount;
    const int32_t at = appended != nullptr ? count : k + 1;
    auto *positions = rebuild.CopyWithGap(frame.positions, count, at);
    if (positions == nullptr) return false;
    positions[at] = appended != nullptr ? *appended : frame.positions[k];
    if (count != 0) rebuild.GiveBack(frame.positions);
    frame.positions = positions;
    frame.positionCount = static_cast<uint16_t>(count + 1);
    return rebuild.Commit();
}

}  // namespace

bool InsertFrame(MotionDocument &document, int32_t m, std::string_view comment) {
    if (MotionAt(document, m) == nullptr) return false;
    return GrowFrames(document, m, 0, NewFrame::Empty, comment);
}

bool UpdateFrame(MotionDocument &document, int32_t m, int32_t k, std::string_view comment) {
    FrameEntry *frame = FrameAt(document, m, k);
    if (frame == nullptr) return false;
    base::StoreFieldText(frame->comment, sizeof frame->comment, comment);
    return true;
}

bool DeleteFrame(MotionDocument &document, int32_t m, int32_t k) {
    if (FrameAt(document, m, k) == nullptr) return false;
    TableRebuild rebuild(document);
    if (!rebuild.Ready()) return false;
    MotionEntry &motion = rebuild.Scratch().motions[m];
    const uint16_t count = motion.frameCount;
    FrameEntry *frames = nullptr;
    if (!rebuild.CopyWithout(motion.frames, count, k, frames)) return false;
    if (motion.frames[k].positionCount != 0) rebuild.GiveBack(motion.frames[k].positions);
    rebuild.GiveBack(motion.frames);
    motion.frames = frames;
    motion.frameCount = static_cast<uint16_t>(count - 1);
    return rebuild.Commit();
}

bool MoveFrameDown(MotionDocument &document, int32_t m, int32_t k) {
    MotionEntry *motion = MotionAt(document, m);
    if (motion == nullptr || !CanMoveDown(k, motion->frameCount)) return false;
    detail::SwapRecords(motion->frames[k], motion->frames[k + 1]);
    return true;
}

bool MoveFrameUp(MotionDocument &document, int32_t m, int32_t k) {
    MotionEntry *motion = MotionAt(document, m);
    if (motion == nullptr || !CanMoveUp(k, motion->frameCount)) return false;
    return MoveFrameDown(document, m, k - 1);
}

bool CopyFrame(MotionDocument &document, int32_t m, int32_t k) {
    if (FrameAt(document, m, k) == nullptr) return false;
    return GrowFrames(document, m, k, NewFrame::CopyOfK, {});
}

bool AdjustFrame(MotionDocument &document, int32_t m, int32_t k) {
    MotionEntry *motion = MotionAt(document, m);
    if (motion == nullptr || !CanMoveDown(k, motion->frameCount)) return false;
    return GrowFrames(document, m, k, NewFrame::HalfwayAfterK, {});
}

bool InsertPosition(MotionDocument &document, int32_t m, int32_t f,
                    const PositionEntry &position) {
    if (FrameAt(document, m, f) == nullptr) return false;
    return GrowPositions(document, m, f, &position, 0);
}

bool UpdatePosition(MotionDocument &document, int32_t m, int32_t f, int32_t k,
                    const PositionEntry &position) {
    FrameEntry *frame = FrameAt(document, m, f);
    if (frame == nullptr || !InRange(k, frame->positionCount)) return false;
    frame->positions[k] = position;
    return true;
}

bool DeletePosition(MotionDocument &document, int32_t m, int32_t f, int32_t k) {
    FrameEntry *target = FrameAt(document, m, f);
    if (target == nullptr || !InRange(k, target->positionCount)) return false;
    TableRebuild rebuild(document);
    if (!rebuild.Ready()) return false;
    FrameEntry &frame = rebuild.Scratch().motions[m].frames[f];
    const uint16_t count = frame.positionCount;
    PositionEntry *positions = nullptr;
    if (!rebuild.CopyWithout(frame.positions, count, k, positions)) return false;
    rebuild.GiveBack(frame.positions);
    frame.positions = positions;
    frame.positionCount = static_cast<uint16_t>(count - 1);
    return rebuild.Commit();
}

bool MovePositionDown(MotionDocument &document, int32_t m, int32_t f, int32_t k) {
    FrameEntry *frame = FrameAt(document, m, f);
    if (frame == nullptr || !CanMoveDown(k, frame->positionCount)) return false;
    detail::SwapRecords(frame->positions[k], frame->positions[k + 1]);
    return true;
}

bool MovePositionUp(MotionDocument &document, int32_t m, int32_t f, int32_t k) {
    FrameEntry *frame = FrameAt(document, m, f);
    if (frame == nullptr || !CanMoveUp(k, frame->positionCount)) return false;
    return MovePositionDown(document, m, f, k - 1);
}

bool CopyPosition(MotionDocument &document, int32_t m, int32_t f, int32_t k) {
    FrameEntry *frame = FrameAt(document, m, f);
    if (frame == nullptr || !InRange(k, frame->positionCount)) return false;
    return GrowPositions(document, m, f, nullptr, k);
}

bool ReplacePositions(MotionDocument &document, int32_t m, int32_t f,
                      const PositionEntry *positions, size_t count) {
    FrameEntry *target = FrameAt(document, m, f);
    if (target == nullptr || count > static_cast<size_t>(kMaxTableCount)) return false;
    for (size_t i = 0; i < count; ++i) {
        if (positions[i].partNumber < 0 || positions[i].partNumber >= document.header.partCount) {
            return false;
        }
    }
    if (count == target->positionCount) {
        detail::CopyRecords(target->positions, positions, count);
        return true;
    }
    TableRebuild rebuild(document);
    if (!rebuild.Ready()) return false;
    FrameEntry &frame = rebuild.Scratch().motions[m].frames[f];
    PositionEntry *copy = nullptr;
    if (count != 0) {
        copy = rebuild.NewArray<PositionEntry>(count);
        if (copy == nullptr) return false;
        detail::CopyRecords(copy, positions, count);
    }
    if (frame.positionCount != 0) rebuild.GiveBack(frame.positions);
    frame.positions = copy;
    frame.positionCount = static_cast<uint16_t>(count);
    return rebuild.Commit();
}

}  // namespace morvel::document
