// Copies of whole documents that reuse the target's memory: the undo ring's
// slots take snapshot after snapshot of documents whose tables mostly keep
// their shape, and fresh memory costs more than the copy itself where first
// touches of pages are slow.
#pragma once

#include "mvllib/mvllib.h"

namespace morvel::document {

// Whether the two documents' tables have the same counts everywhere: parts,
// motions, each motion's frames and each frame's positions.
bool SameShape(const MotionDocument &a, const MotionDocument &b);

// What the copy is for: a snapshot set aside (an undo slot, the autosave's
// copy) is written past the cache; a document put back to be edited is not.
enum class CopyTarget { SetAside, InUse };

// target becomes a copy of source: in place, into the arrays target already
// holds, when both have the same shape; otherwise through Mvl_Func_Copy. False
// only when that copy ran out of memory (target is then as it was).
bool CopyDocumentReusingTables(MotionDocument &target, const MotionDocument &source,
                               CopyTarget use);

}  // namespace morvel::document
