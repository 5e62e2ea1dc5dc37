#include "app/undo_ring.h"

#include "document/snapshot_copy.h"

namespace morvel::app {

bool CopySnapshot(document::EditorDocument &target, const document::EditorDocument &source,
                  document::CopyTarget use) {
    if (&target == &source) return true;
    // A slot keeps its arrays while the document keeps its shape; a copy
    // into new arrays builds them before it lets go of the old ones, so one
    // that runs out of memory leaves the target whole.
    if (!document::CopyDocumentReusingTables(target.document, source.document, use)) return false;
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

void UndoRing::Reset(const document::EditorDocument &current, const std::string &description) {
    for (document::EditorDocument &slot : slots_) Mvl_Func_Delete(&slot.document);
    undoCount_ = 0;
    redoCount_ = 0;
    ringIndex_ = 0;
    Push(current, description);
    undoCount_ = 0;
}

void UndoRing::Push(const document::EditorDocument &current, const std::string &description) {
    redoCount_ = 0;
    if (undoCount_ < kUndoSlots - 1) ++undoCount_;
    ringIndex_ = (ringIndex_ + 1) % kUndoSlots;
    CopySnapshot(slots_[ringIndex_], current, document::CopyTarget::SetAside);
    descriptions_[ringIndex_] = description;
}

std::vector<std::string> UndoRing::StepDescriptions() const {
    std::vector<std::string> steps;
    for (int k = -undoCount_; k <= redoCount_; ++k) {
        steps.push_back(descriptions_[(ringIndex_ + k + kUndoSlots) % kUndoSlots]);
    }
    return steps;
}

bool UndoRing::JumpTo(int step, document::EditorDocument &current) {
    const int offset = step - undoCount_;
    if (offset == 0 || step < 0 || offset > redoCount_) return false;
    undoCount_ += offset;
    redoCount_ -= offset;
    ringIndex_ = (ringIndex_ + offset + kUndoSlots) % kUndoSlots;
    CopySnapshot(current, slots_[ringIndex_], document::CopyTarget::InUse);
    return true;
}

bool UndoRing::Undo(document::EditorDocument &current) {
    if (undoCount_ == 0) return false;
    --undoCount_;
    ++redoCount_;
    ringIndex_ = (ringIndex_ + kUndoSlots - 1) % kUndoSlots;
    CopySnapshot(current, slots_[ringIndex_], document::CopyTarget::InUse);
    return true;
}

bool UndoRing::Redo(document::EditorDocument &current) {
    if (redoCount_ == 0) return false;
    --redoCount_;
    ++undoCount_;
    ringIndex_ = (ringIndex_ + 1) % kUndoSlots;
    CopySnapshot(current, slots_[ringIndex_], document::CopyTarget::InUse);
    return true;
}

}  // namespace morvel::app
