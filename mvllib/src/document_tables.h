// Allocation, deep copy and release of a document's tables with the library's
// own allocator. Every allocating function reports failure instead of
// aborting and leaves nothing allocated behind when it fails.
#pragma once

#include "mvllib/mvllib.h"

namespace mvl {

// Tables detached from any document: what a copy builds before it is attached.
struct DocumentTables {
    PartEntry *parts = nullptr;
    MotionEntry *motions = nullptr;
    uint16_t partCount = 0;
    uint16_t motionCount = 0;
};

// count elements of size bytes, not initialised; nullptr for a count of 0 or on failure.
void *AllocateTable(size_t count, size_t size);

// Releases every array reachable from the tables, guarded by their counts.
void ReleaseTables(const DocumentTables &tables);

// Deep copy of the source's tables; false (and nothing allocated) when memory runs out.
bool CopyTables(const MotionDocument &source, DocumentTables &out);

inline DocumentTables TablesOf(const MotionDocument &document) {
    return DocumentTables{document.parts, document.motions, document.header.partCount,
                          document.header.motionCount};
}

}  // namespace mvl
