#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <string>
#include <vector>

#include "base/file_platform.h"
#include "base/stale_temporaries.h"

namespace morvel::base::platform {
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

bool RemoveFile(const std::string &path) { return unlink(path.c_str()) == 0; }

std::vector<std::string> FilesIn(const std::string &folder) {
    std::vector<std::string> names;
    DIR *listing = opendir(folder.empty() ? "." : folder.c_str());
    if (listing == nullptr) return names;
    while (const dirent *entry = readdir(listing)) {
        const std::string name = entry->d_name;
        struct stat info;
        // Links are not followed: a link is not a file we made.
        if (lstat((folder + name).c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
            names.push_back(name);
        }
    }
    closedir(listing);
    return names;
}

unsigned long CurrentProcessId() { return static_cast<unsigned long>(getpid()); }

bool ProcessRuns(unsigned long processId) {
    // 0 and ids beyond pid_t would make kill() signal a group or fail oddly;
    // no save process has them.
    if (processId == 0 || processId > static_cast<unsigned long>(INT_MAX)) return false;
    if (kill(static_cast<pid_t>(processId), 0) == 0) return true;
    return errno != ESRCH;  // EPERM: it runs, under another user
}

}  // namespace morvel::base::platform
