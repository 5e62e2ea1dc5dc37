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

namespace {

// Reads a decimal number as std::to_string writes it, from text[at]; the
// index after it, or npos when there is none or it does not fit.
size_t ReadNumber(std::string_view text, size_t at, unsigned long &value) {
    size_t end = at;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
    if (end == at || end - at > 10 || (text[at] == '0' && end - at > 1)) return std::string_view::npos;
    unsigned long long number = 0;
    for (size_t i = at; i < end; ++i) number = number * 10 + static_cast<unsigned>(text[i] - '0');
    if (number > 0xFFFFFFFFull) return std::string_view::npos;
    value = static_cast<unsigned long>(number);
    return end;
}

}  // namespace

bool IsTemporaryFileName(std::string_view fileName, unsigned long &processId) {
    constexpr std::string_view kPrefix = "~mvl";
    constexpr std::string_view kSuffix = ".tmp";
    if (fileName.substr(0, kPrefix.size()) != kPrefix) return false;
    unsigned long id = 0;
    unsigned long counter = 0;
    size_t at = ReadNumber(fileName, kPrefix.size(), id);
    if (at == std::string_view::npos || at >= fileName.size() || fileName[at] != '-') return false;
    at = ReadNumber(fileName, at + 1, counter);
    if (at == std::string_view::npos || fileName.substr(at) != kSuffix) return false;
    processId = id;
    return true;
}

}  // namespace morvel::document
