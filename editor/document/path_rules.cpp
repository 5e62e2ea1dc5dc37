#include "document/path_rules.h"

#include "base/cp932_text.h"
#include "base/windows_path.h"

namespace morvel::document {

std::string WithMotionFileExtension(std::string_view path) {
    std::string result(path);
    if (path.size() > 4 && path.substr(path.size() - 4) != ".mvl") result += ".mvl";
    return result;
}

std::string WithExportFileExtension(std::string_view path) {
    const size_t nameStart = base::FileNameStart(path);
    for (size_t i = nameStart; i < path.size(); ++i) {
        const auto c = static_cast<unsigned char>(path[i]);
        if (base::IsCp932LeadByte(c)) {
            ++i;
        } else if (c == '.') {
            return std::string(path.substr(0, i + 1)) + "mvx";
        }
    }
    return std::string(path) + ".mvx";
}

}  // namespace morvel::document
