// The 16-byte header that starts every X file: "xof ", the version
// ("0302"/"0303"), the encoding ("txt ", "bin ", "tzip", "bzip") and the
// float size ("0032"/"0064"). The format is taken from it alone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace morvel::formats::xfile {

constexpr size_t kXFileHeaderSize = 16;

struct XFileHeader {
    bool binary = false;
    bool compressed = false;
    unsigned floatSize = 4;  // bytes per float in binary data
};

bool ParseXFileHeader(const uint8_t *data, size_t size, XFileHeader &header, std::string &error);

}  // namespace morvel::formats::xfile
