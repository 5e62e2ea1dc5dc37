// The editor's history: whole-document snapshots in a fixed ring of 50
// slots. A snapshot holds the tables and the selection, never the meshes.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "document/editor_document.h"
#include "document/snapshot_copy.h"

namespace morvel::app {

constexpr int kUndoSlots = 50;

// Release target's tables, copy source's tables and selection into it;
// target's meshes stay as they are. False only when memory ran out (target
// then keeps its previous tables).
bool CopySnapshot(document::EditorDocument &target, const document::EditorDocument &source,
                  document::CopyTarget use);

class UndoRing {
public:
    UndoRing();
    ~UndoRing();
    UndoRing(const UndoRing &) = delete;
    UndoRing &operator=(const UndoRing &) = delete;

    // A new history whose only state is current. Each state carries the
    // few words its step is described with (the history window's rows).
    void Reset(const document::EditorDocument &current, const std::string &description = {});
    // current becomes the newest state; the redo steps are forgotten.
    void Push(const document::EditorDocument &current, const std::string &description = {});
    // One state back / forward into current; false when there is none.
    bool Undo(document::EditorDocument &current);
    bool Redo(document::EditorDocument &current);
    // The states undo and redo reach, oldest first: step UndoCount() is the
    // current one. JumpTo makes step `step` current in one copy, as that
    // many undos or redos would; false (nothing changes) for the current
    // step or one out of range.
    std::vector<std::string> StepDescriptions() const;
    bool JumpTo(int step, document::EditorDocument &current);

    int UndoCount() const { return undoCount_; }
    int RedoCount() const { return redoCount_; }
    int RingIndex() const { return ringIndex_; }
    const document::EditorDocument &Slot(int index) const { return slots_[index]; }

private:
    std::array<document::EditorDocument, kUndoSlots> slots_;
    std::array<std::string, kUndoSlots> descriptions_;
    int ringIndex_ = 0;
    int undoCount_ = 0;
    int redoCount_ = 0;
};

}  // namespace morvel::app
