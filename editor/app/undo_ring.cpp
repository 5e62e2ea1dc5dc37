#include "app/undo_ring.h"

#include "document/snapshot_copy.h"

namespace morvel::app {

bool CopySnapshot(document::EditorDocument &target, const document::EditorDocument &source) {
    if (&target == &source) return true;
    // A slot keeps its arrays while the document keeps its shape; a copy
    // into new arrays builds them before it lets go of the old ones, so one
    // that runs out of memory leaves the target whole.
    if (!document::CopyDocumentReusingTables(target.document, source.document)) return false;
    target.selectedMotion = source.selectedMotion;
    target.selectedFrame = source.selectedFrame;
    target.selectedPosition = source.selectedPosition;
    return true;
}

UndoRing::UndoRing() {
    for (document::EditorDocument &slot : slots_) document::InitDocument(slot);
}

UndoRing::~UndoRing() {
    for (document::EditorDocument &slot : slots_) document::ReleaseDocument(slot);
}

void UndoRing::Reset(const document::EditorDocument &current) {
    for (document::EditorDocument &slot : slots_) Mvl_Func_Delete(&slot.document);
    undoCount_ = 0;
    redoCount_ = 0;
    ringIndex_ = 0;
    Push(current);
    undoCount_ = 0;
}

void UndoRing::Push(const document::EditorDocument &current) {
    redoCount_ = 0;
    if (undoCount_ < kUndoSlots - 1) ++undoCount_;
    ringIndex_ = (ringIndex_ + 1) % kUndoSlots;
    CopySnapshot(slots_[ringIndex_], current);
}

bool UndoRing::Undo(document::EditorDocument &current) {
    if (undoCount_ == 0) return false;
    --undoCount_;
    ++redoCount_;
    ringIndex_ = (ringIndex_ + kUndoSlots - 1) % kUndoSlots;
    CopySnapshot(current, slots_[ringIndex_]);
    return true;
}

bool UndoRing::Redo(document::EditorDocument &current) {
    if (redoCount_ == 0) return false;
    --redoCount_;
    ++undoCount_;
    ringIndex_ = (ringIndex_ + 1) % kUndoSlots;
    CopySnapshot(current, slots_[ringIndex_]);
    return true;
}

}  // namespace morvel::app
