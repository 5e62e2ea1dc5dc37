// Arbitrary bytes as a motion file opened without a user code.
#include "load_fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    morvel::formats::motion::fuzz::LoadFromMemory(data, size, "");
    return 0;
}
