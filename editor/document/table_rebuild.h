// The scheme by which the table operations change a count: the document is
// copied into a scratch document, the arrays that change are rebuilt in the
// editor's memory and hung into the scratch document, and Mvl_Func_Copy hands
// the new state back to the document in library-owned arrays. The document
// is touched only by Commit, so an operation that gives up early changes
// nothing.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>
#include <unordered_set>
#include <vector>

#include "document/table_access.h"
#include "mvllib/mvllib.h"

namespace morvel::document {

// Every table is limited by its 16-bit count.
constexpr int kMaxTableCount = 65535;

class TableRebuild {
public:
    explicit TableRebuild(MotionDocument &document);
    // Releases the scratch document: the library's arrays through the
    // library, the editor's own arrays here.
    ~TableRebuild();
    TableRebuild(const TableRebuild &) = delete;
    TableRebuild &operator=(const TableRebuild &) = delete;

    // False when the scratch copy could not be made (out of memory).
    bool Ready() const { return ready_; }
    MotionDocument &Scratch() { return scratch_; }

    // A zero-filled array of count records in the editor's memory, alive
    // until the rebuild ends; nullptr when memory runs out.
    template <class Record>
    Record *NewArray(size_t count) {
        return static_cast<Record *>(NewBlock(count, sizeof(Record)));
    }

    // count + 1 records in the editor's memory: table's count records with a
    // zero record at index `at` (0 to count) for the caller to fill; nullptr
    // when memory runs out.
    template <class Record>
    Record *CopyWithGap(const Record *table, uint16_t count, int32_t at) {
        auto *grown = NewArray<Record>(count + 1u);
        if (grown == nullptr) return nullptr;
        detail::CopyRecords(grown, table, static_cast<size_t>(at));
        detail::CopyRecords(grown + at + 1, table + at, static_cast<size_t>(count - at));
        return grown;
    }

    // table's count records without record k, in the editor's memory, into
    // out (nullptr when none are left); false when memory runs out.
    template <class Record>
    bool CopyWithout(const Record *table, uint16_t count, int32_t k, Record *&out) {
        out = nullptr;
        if (count <= 1) return true;
        out = NewArray<Record>(count - 1u);
        if (out == nullptr) return false;
        detail::CopyRecords(out, table, static_cast<size_t>(k));
        detail::CopyRecords(out + k, table + k + 1, static_cast<size_t>(count - k - 1));
        return true;
    }

    // Hands a scratch array that is being replaced back to the library.
    void GiveBack(void *libraryArray);
    // Gives back a scratch motion's frame array with the frames' positions.
    void GiveBackFramesOf(const MotionEntry &motion);

    // Marks an array the caller keeps alive until the rebuild ends as
    // editor memory, so that the release leaves it alone.
    // False when memory runs out.
    bool MarkEditorOwned(const void *array);

    // Mvl_Func_Copy(document, scratch); false (document unchanged) when
    // memory runs out.
    bool Commit();

private:
    struct FreeBlock {
        void operator()(void *block) const { std::free(block); }
    };

    void *NewBlock(size_t count, size_t size);
    bool IsEditorOwned(const void *array) const { return editorOwned_.count(array) != 0; }
    void ReleaseScratch();

    MotionDocument &document_;
    MotionDocument scratch_{};
    bool ready_ = false;
    std::vector<std::unique_ptr<void, FreeBlock>> blocks_;
    std::unordered_set<const void *> editorOwned_;
};

}  // namespace morvel::document
