#include "formats/xfile/x_file_header.h"

#include <cstring>

namespace morvel::formats::xfile {
namespace {

bool Is(const uint8_t *field, const char *text) { return std::memcmp(field, text, 4) == 0; }

}  // namespace

bool ParseXFileHeader(const uint8_t *data, size_t size, XFileHeader &header, std::string &error) {
    if (size < kXFileHeaderSize || !Is(data, "xof ")) {
        error = "not an X file (no \"xof \" header)";
        return false;
    }
    if (!Is(data + 4, "0302") && !Is(data + 4, "0303")) {
        error = "unsupported X file version \"" + std::string(reinterpret_cast<const char *>(data + 4), 4) + "\"";
        return false;
    }
    const uint8_t *format = data + 8;
    if (Is(format, "txt ")) {
        header = {false, false, 4};
    } else if (Is(format, "bin ")) {
        header = {true, false, 4};
    } else if (Is(format, "tzip")) {
        header = {false, true, 4};
    } else if (Is(format, "bzip")) {
        header = {true, true, 4};
    } else {
        error = "unknown X file format \"" + std::string(reinterpret_cast<const char *>(format), 4) + "\"";
        return false;
    }
    if (Is(data + 12, "0032")) {
        header.floatSize = 4;
    } else if (Is(data + 12, "0064")) {
        header.floatSize = 8;
    } else {
        error = "unknown float size \"" + std::string(reinterpret_cast<const char *>(data + 12), 4) + "\"";
        return false;
    }
    return true;
}

}  // namespace morvel::formats::xfile
