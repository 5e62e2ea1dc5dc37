// The edit operations on a document's four tables. Every count stays equal
// to the length of its array and every position keeps referring to the same
// part. An operation that returns false has changed nothing: an index out of
// range, a table at its 65,535-entry limit, or memory running out.
// Operations that change a count rebuild through TableRebuild, so the tables
// stay library-owned; updates and moves work in place.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "mvllib/mvllib.h"

namespace morvel::document {

// Parts. Deleting or moving a part renumbers the positions that refer to it.
bool InsertPart(MotionDocument &document, std::string_view fileName);
bool UpdatePart(MotionDocument &document, int32_t k, std::string_view fileName);
bool DeletePart(MotionDocument &document, int32_t k);
bool MovePartUp(MotionDocument &document, int32_t k);
bool MovePartDown(MotionDocument &document, int32_t k);

// Motions.
bool InsertMotion(MotionDocument &document, std::string_view name, std::string_view soundFileName);
bool UpdateMotion(MotionDocument &document, int32_t k, std::string_view name,
                  std::string_view soundFileName);
bool DeleteMotion(MotionDocument &document, int32_t k);
bool MoveMotionUp(MotionDocument &document, int32_t k);
bool MoveMotionDown(MotionDocument &document, int32_t k);
bool CopyMotion(MotionDocument &document, int32_t k);

// Frames of motion m.
bool InsertFrame(MotionDocument &document, int32_t m, std::string_view comment);
bool UpdateFrame(MotionDocument &document, int32_t m, int32_t k, std::string_view comment);
bool DeleteFrame(MotionDocument &document, int32_t m, int32_t k);
bool MoveFrameUp(MotionDocument &document, int32_t m, int32_t k);
bool MoveFrameDown(MotionDocument &document, int32_t m, int32_t k);
bool CopyFrame(MotionDocument &document, int32_t m, int32_t k);
// Inserts after frame k a frame halfway between frames k and k + 1.
bool AdjustFrame(MotionDocument &document, int32_t m, int32_t k);

// Positions of frame f of motion m.
bool InsertPosition(MotionDocument &document, int32_t m, int32_t f, const PositionEntry &position);
bool UpdatePosition(MotionDocument &document, int32_t m, int32_t f, int32_t k,
                    const PositionEntry &position);
bool DeletePosition(MotionDocument &document, int32_t m, int32_t f, int32_t k);
bool MovePositionUp(MotionDocument &document, int32_t m, int32_t f, int32_t k);
bool MovePositionDown(MotionDocument &document, int32_t m, int32_t f, int32_t k);
bool CopyPosition(MotionDocument &document, int32_t m, int32_t f, int32_t k);
// Replaces frame f's whole position table with count positions (a pasted
// pose); false when a position names a part the document lacks.
bool ReplacePositions(MotionDocument &document, int32_t m, int32_t f,
                      const PositionEntry *positions, size_t count);

// Appends a motion record (its frameCount and texts as given) whose frames
// and positions are the caller's arrays, copied into the document. Used by
// the import of motion export files.
bool AppendMotion(MotionDocument &document, const MotionEntry &motion);

}  // namespace morvel::document
