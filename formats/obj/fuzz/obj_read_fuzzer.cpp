// The OBJ reader on arbitrary text: the bytes after the first NUL (if any)
// are the material library's.
#include <cstddef>
#include <cstdint>
#include <string>

#include "formats/obj/obj_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const std::string input(reinterpret_cast<const char *>(data), size);
    const size_t split = input.find('\0');
    morvel::formats::obj::Document document;
    std::string error;
    morvel::formats::obj::ReadObj(input.substr(0, split), split == std::string::npos ? "" : input.substr(split + 1),
                                  document, error);
    return 0;
}
