#include "document/table_rebuild.h"

#include <new>

namespace morvel::document {

TableRebuild::TableRebuild(MotionDocument &document) : document_(document) {
    Mvl_Func_ObjectInit(&scratch_);
    scratch_.parts = nullptr;
    scratch_.motions = nullptr;
    ready_ = Mvl_Func_Copy(&scratch_, &document_) != 0;
}

TableRebuild::~TableRebuild() { ReleaseScratch(); }

void *TableRebuild::NewBlock(size_t count, size_t size) {
    if (count == 0) return nullptr;
    void *block = std::calloc(count, size);
    if (block == nullptr) return nullptr;
    try {
        blocks_.emplace_back(block);
        editorOwned_.insert(block);
    } catch (const std::bad_alloc &) {
        if (!blocks_.empty() && blocks_.back().get() == block) {
            blocks_.back().release();
            blocks_.pop_back();
        }
        std::free(block);
        return nullptr;
    }
    return block;
}

void TableRebuild::GiveBack(void *libraryArray) {
    if (libraryArray != nullptr && !IsEditorOwned(libraryArray)) Mvl_Func_Ram_Release(libraryArray);
}

void TableRebuild::GiveBackFramesOf(const MotionEntry &motion) {
    if (motion.frameCount == 0) return;
    for (uint16_t f = 0; f < motion.frameCount; ++f) {
        if (motion.frames[f].positionCount != 0) GiveBack(motion.frames[f].positions);
    }
    GiveBack(motion.frames);
}

bool TableRebuild::MarkEditorOwned(const void *array) {
    try {
        editorOwned_.insert(array);
    } catch (const std::bad_alloc &) {
        return false;
    }
    return true;
}

bool TableRebuild::Commit() { return ready_ && Mvl_Func_Copy(&document_, &scratch_) != 0; }

// The scratch tables mix library arrays (what the copy made and nothing
// replaced) with editor arrays; each goes back to the allocator it came from.
void TableRebuild::ReleaseScratch() {
    MotionFileHeader &header = scratch_.header;
    for (uint16_t m = 0; m < header.motionCount; ++m) GiveBackFramesOf(scratch_.motions[m]);
    if (header.motionCount != 0) GiveBack(scratch_.motions);
    if (header.partCount != 0) GiveBack(scratch_.parts);
    header.motionCount = 0;
    header.partCount = 0;
    scratch_.motions = nullptr;
    scratch_.parts = nullptr;
    Mvl_Func_Delete(&scratch_);
}

}  // namespace morvel::document
