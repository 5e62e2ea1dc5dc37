// Arbitrary bytes as a motion file opened with a user code; the seeds store
// that code, so the loads get past the check and on to the tables.
#include "load_fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    morvel::formats::motion::fuzz::LoadFromMemory(data, size, "Morvel-2");
    return 0;
}
