// Arbitrary bytes as a bitmap file and as a bitmap resource's DIB.
#include <cstddef>
#include <cstdint>

#include "formats/image/bmp_decoder.h"
#include "fuzz_checks.h"

using namespace morvel::formats::image;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    ArgbImage image;
    fuzz::CheckDecoded(DecodeBmpFile(data, size, image), image);
    fuzz::CheckDecoded(DecodeDib(data, size, image), image);
    return 0;
}
