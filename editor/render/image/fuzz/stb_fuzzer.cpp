// Arbitrary bytes through stb_image (PNG, JPEG, TGA, PPM) with our size
// bounds and completeness checks in front of it.
#include <cstddef>
#include <cstdint>

#include "render/image/stb_decoder.h"
#include "fuzz_checks.h"

using namespace morvel::render::image;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    ArgbImage image;
    fuzz::CheckDecoded(DecodeWithStb(data, size, image), image);
    return 0;
}
