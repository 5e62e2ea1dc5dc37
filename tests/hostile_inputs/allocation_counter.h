// Counts the bytes the program holds from the allocator (malloc, new and
// every library that allocates through them), so a test can bound what an
// operation allocates at its peak.
#pragma once

#include <cstddef>

namespace morvel::testing {

// Bytes held now.
size_t AllocatedBytes();

// Starts a measurement: the peak is reset to what is held now.
void ResetAllocationPeak();

// The most held since ResetAllocationPeak, above what was held then.
size_t AllocationPeakAboveStart();

}  // namespace morvel::testing
