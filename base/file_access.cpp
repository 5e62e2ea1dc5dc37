#include "base/file_access.h"

#include "base/windows_path.h"

namespace morvel::base {

std::FILE *OpenFileAsOnWindows(std::string_view windowsPath, const char *mode) {
    return std::fopen(HostPath(windowsPath).c_str(), mode);
}

bool FileExists(std::string_view windowsPath) {
    std::FILE *file = OpenFileAsOnWindows(windowsPath, "rb");
    if (file == nullptr) return false;
    std::fclose(file);
    return true;
}

}  // namespace morvel::base
