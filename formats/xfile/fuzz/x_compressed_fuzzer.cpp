#include "x_fuzz_target.h"

// The first byte picks a compressed binary or compressed text body.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size == 0) return 0;
    morvel::formats::xfile::fuzz::LoadWithHeader(
        (data[0] & 1) ? "xof 0303tzip0032" : "xof 0303bzip0032", data + 1, size - 1);
    return 0;
}
