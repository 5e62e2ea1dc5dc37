#include "document/file_access.h"

#include "document/field_text.h"

namespace morvel::document {

std::string NativePath(const std::string &path) {
#if defined(_WIN32)
    return path;
#else
    std::string native(path);
    for (size_t i = 0; i < native.size(); ++i) {
        const auto c = static_cast<unsigned char>(native[i]);
        if (IsCp932LeadByte(c)) {
            ++i;  // a second byte of 0x5C is part of the character, not a separator
        } else if (c == '\\') {
            native[i] = '/';
        }
    }
    return native;
#endif
}

std::FILE *OpenFileAsOnWindows(const std::string &path, const char *mode) {
    return std::fopen(NativePath(path).c_str(), mode);
}

bool FileExists(const std::string &path) {
    std::FILE *file = OpenFileAsOnWindows(path, "rb");
    if (file == nullptr) return false;
    std::fclose(file);
    return true;
}

}  // namespace morvel::document
