// Arbitrary bytes through the image dispatcher: PNG, JPEG and TGA reach
// stb_image behind our size bounds and completeness checks, PPM/PGM our own
// reader (the seeds hold all of these).
#include <cstddef>
#include <cstdint>

#include "render/image/image_decoder.h"
#include "fuzz_checks.h"

using namespace morvel::render::image;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    ArgbImage image;
    fuzz::CheckDecoded(DecodeImage(data, size, image), image);
    return 0;
}
