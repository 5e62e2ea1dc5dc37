#include "base/stale_temporaries.h"

#include "base/file_platform.h"
#include "base/windows_path.h"

namespace morvel::base {

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
    if (end == at || end - at > 10 || (text[at] == '0' && end - at > 1))
        return std::string_view::npos;
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

int RemoveStaleTemporaryFiles(const std::string &folder) {
    const unsigned long self = platform::CurrentProcessId();
    int removed = 0;
    for (const std::string &name : platform::FilesIn(folder)) {
        unsigned long processId = 0;
        if (!IsTemporaryFileName(name, processId)) continue;
        // Our own process may be saving into this folder on another path.
        if (processId == self || platform::ProcessRuns(processId)) continue;
        const std::string path = folder.empty() ? name : folder + name;
        if (platform::RemoveFile(path)) ++removed;
    }
    return removed;
}

}  // namespace morvel::base
