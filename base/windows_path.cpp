#include "base/windows_path.h"

#include "base/cp932_text.h"

namespace morvel::base {

std::string HostPath(std::string_view windowsPath) {
    std::string host(windowsPath);
#if !defined(_WIN32)
    for (size_t i = 0; i < host.size(); ++i) {
        if (IsCp932LeadByte(static_cast<unsigned char>(host[i]))) {
            ++i;  // a second byte of 0x5C is part of the character, not a separator
        } else if (host[i] == '\\') {
            host[i] = '/';
        }
    }
#endif
    return host;
}

size_t FileNameStart(std::string_view path) {
    const size_t separator = Cp932FindLastOf(path, "\\/");
    return separator == std::string_view::npos ? 0 : separator + 1;
}

bool HasExtension(std::string_view path, std::string_view extension) {
    if (path.size() < extension.size()) return false;
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    const std::string_view tail = path.substr(path.size() - extension.size());
    for (size_t i = 0; i < extension.size(); ++i) {
        if (lower(tail[i]) != lower(extension[i])) return false;
    }
    return true;
}

}  // namespace morvel::base
