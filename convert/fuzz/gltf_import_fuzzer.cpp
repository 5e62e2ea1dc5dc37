// The glTF importer on arbitrary bytes, in memory: reading (no external file
// is ever read from memory), the figure with its X files' text, every pose.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "convert/gltf_figure.h"
#include "formats/gltf/gltf_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    morvel::formats::gltf::Document document;
    std::string error;
    if (!morvel::formats::gltf::ReadGltf(data, size, "", document, error)) return 0;
    morvel::convert::GltfImportOptions options;
    options.maxPositions = size_t{1} << 16;  // a figure the fuzzer can build in milliseconds
    options.maxSamples = size_t{1} << 18;
    options.keyFrames = size % 2 == 1;
    morvel::convert::Figure figure;
    std::vector<std::string> warnings;
    morvel::convert::BuildGltfFigure(document, options, figure, warnings, error);
    return 0;
}
