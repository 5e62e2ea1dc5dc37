// Reads the data objects of an X-file body (after its 16-byte header) into
// an XScene. Template declarations are skipped; data objects of templates
// the mesh loader does not use are skipped with their whole block.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "formats/xfile/byte_source.h"
#include "formats/xfile/x_scene.h"

namespace morvel::formats::xfile {

bool ParseTextObjects(const char *begin, const char *end, XScene &scene, std::string &error);
// The same, pulling the text from a source that delivers at most `size` bytes.
bool ParseTextObjects(ByteSource &source, uint64_t size, XScene &scene, std::string &error);
bool ParseBinaryObjects(const uint8_t *begin, const uint8_t *end, unsigned floatSize, XScene &scene,
                        std::string &error);

}  // namespace morvel::formats::xfile
