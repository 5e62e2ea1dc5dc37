#include "x_fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    morvel::formats::xfile::fuzz::LoadWithHeader("xof 0303txt 0032", data, size);
    return 0;
}
