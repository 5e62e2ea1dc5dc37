// Arbitrary bytes through the image dispatcher, one target per format: the
// inputs that the dispatcher sends to another decoder are passed over, so
// each target's time goes to its own format. PNG, JPEG and TGA reach
// stb_image behind our size bounds and completeness checks, PPM/PGM our own
// reader.
#include <cstddef>
#include <cstdint>

#include "formats/image/image_decoder.h"
#include "formats/image/image_format.h"
#include "fuzz_checks.h"

using namespace morvel::formats::image;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (DetectImageFormat(data, size) != ImageFileFormat::MORVEL_FUZZ_FORMAT) return 0;
    ArgbImage image;
    fuzz::CheckDecoded(DecodeImage(data, size, image), image);
    return 0;
}
