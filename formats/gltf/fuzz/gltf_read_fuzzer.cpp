// The glTF reader on arbitrary bytes, from memory (no external file is read).
#include <cstddef>
#include <cstdint>
#include <string>

#include "formats/gltf/gltf_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    morvel::formats::gltf::Document document;
    std::string error;
    morvel::formats::gltf::ReadGltf(data, size, "", document, error);
    return 0;
}
