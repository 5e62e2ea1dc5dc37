#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <string>

#include "document/file_platform.h"
#include "document/path_rules.h"

namespace morvel::document::platform {
namespace {

std::atomic<unsigned> temporaryCounter{0};

std::string FolderOf(const std::string &path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

}  // namespace

std::FILE *CreateTemporaryFileBeside(const std::string &target, std::string &temporaryPath) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string candidate =
            TemporaryPathBeside(target, static_cast<unsigned long>(getpid()), temporaryCounter++);
        const int fd = open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return nullptr;
        }
        std::FILE *file = fdopen(fd, "wb");
        if (file == nullptr) {
            close(fd);
            unlink(candidate.c_str());
            return nullptr;
        }
        temporaryPath = candidate;
        return file;
    }
    return nullptr;
}

bool FlushToDisk(std::FILE *file) {
    if (std::fflush(file) != 0) return false;
    return fsync(fileno(file)) == 0;
}

bool ReplaceTarget(const std::string &source, const std::string &target) {
    if (std::rename(source.c_str(), target.c_str()) != 0) return false;
    // Make the new directory entry durable as well; failing here changes nothing.
    const int folder = open(FolderOf(target).c_str(), O_RDONLY | O_CLOEXEC);
    if (folder >= 0) {
        fsync(folder);
        close(folder);
    }
    return true;
}

void RemoveFile(const std::string &path) { unlink(path.c_str()); }

}  // namespace morvel::document::platform
