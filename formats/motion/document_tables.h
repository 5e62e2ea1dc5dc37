// A motion document's defaults, and the allocation, deep copy and release of
// its tables. The tables belong to the allocator of the module that runs this
// code: programs that link MvlLib hand documents only to its exports, so that
// every table is allocated and freed by the library.
// Every allocating function reports failure instead of aborting and leaves
// nothing allocated behind when it fails.
#pragma once

#include "mvllib/mvllib.h"

namespace morvel::formats::motion {

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

// The header's defaults; the table references are left as they were.
void InitDocument(MotionDocument &document);

// Releases the tables and sets the defaults.
void ReleaseDocument(MotionDocument &document);

// Replaces destination's tables by a deep copy of source's; false (and
// destination unchanged) when memory runs out.
bool CopyDocument(MotionDocument &destination, const MotionDocument &source);

inline DocumentTables TablesOf(const MotionDocument &document) {
    return DocumentTables{document.parts, document.motions, document.header.partCount,
                          document.header.motionCount};
}

}  // namespace morvel::formats::motion
