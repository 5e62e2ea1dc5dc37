// Record copies and bound checks of the table operations (the elements
// themselves: selection.h).
#pragma once

#include <cstdint>
#include <cstring>

#include "mvllib/mvllib.h"

namespace morvel::document::detail {

inline bool InRange(int32_t index, int count) { return index >= 0 && index < count; }

// Copies count records; a count of 0 touches neither pointer.
template <class Record>
void CopyRecords(Record *to, const Record *from, size_t count) {
    if (count != 0) std::memcpy(to, from, count * sizeof(Record));
}

template <class Record>
void SwapRecords(Record &a, Record &b) {
    Record kept = a;
    a = b;
    b = kept;
}

// The signed bound checks of the move operations. Down: k + 1 must exist.
inline bool CanMoveDown(int32_t k, int count) { return k >= 0 && k < count - 1; }
inline bool CanMoveUp(int32_t k, int count) { return k >= 1 && k < count; }

}  // namespace morvel::document::detail
