// A copy into memory that is written now and read much later, if at all
// (the undo ring's slots, the autosave's snapshot): streaming stores write
// it without first reading its cold lines into the cache, and without
// pushing out of the cache what the program is working on.
#pragma once

#include <cstddef>

namespace morvel::base {

// As memcpy; where the processor has no streaming stores, memcpy itself.
// FinishStreamingCopies() must follow before another thread reads the target.
void StreamingCopy(void *target, const void *source, size_t bytes);
void FinishStreamingCopies();

}  // namespace morvel::base
