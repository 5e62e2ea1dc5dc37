#include "document/path_rules.h"

#include "document/field_text.h"

namespace morvel::document {

size_t FileNameStart(std::string_view path) {
    size_t start = 0;
    for (size_t i = 0; i < path.size(); ++i) {
        const auto c = static_cast<unsigned char>(path[i]);
        if (IsCp932LeadByte(c)) {
            ++i;  // the second byte is never a separator
        } else if (c == '\\' || c == '/') {
            start = i + 1;
        }
    }
    return start;
}

std::string WithMotionFileExtension(std::string_view path) {
    std::string result(path);
    if (path.size() > 4 && path.substr(path.size() - 4) != ".mvl") result += ".mvl";
    return result;
}

std::string WithExportFileExtension(std::string_view path) {
    const size_t nameStart = FileNameStart(path);
    for (size_t i = nameStart; i < path.size(); ++i) {
        const auto c = static_cast<unsigned char>(path[i]);
        if (IsCp932LeadByte(c)) {
            ++i;
        } else if (c == '.') {
            return std::string(path.substr(0, i + 1)) + "mvx";
        }
    }
    return std::string(path) + ".mvx";
}

std::string TemporaryPathBeside(std::string_view target, unsigned long processId,
                                unsigned counter) {
    return std::string(target.substr(0, FileNameStart(target))) + "~mvl" +
           std::to_string(processId) + "-" + std::to_string(counter) + ".tmp";
}

}  // namespace morvel::document
