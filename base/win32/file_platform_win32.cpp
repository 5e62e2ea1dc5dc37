#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

#include "base/file_platform.h"
#include "base/stale_temporaries.h"

namespace morvel::base::platform {
namespace {

std::atomic<unsigned> temporaryCounter{0};

}  // namespace

std::FILE *CreateTemporaryFileBeside(const std::string &target, std::string &temporaryPath) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string candidate =
            TemporaryPathBeside(target, static_cast<unsigned long>(GetCurrentProcessId()), temporaryCounter++);
        HANDLE handle = CreateFileA(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            if (GetLastError() == ERROR_FILE_EXISTS) continue;
            return nullptr;
        }
        const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_BINARY | _O_WRONLY);
        if (fd < 0) {
            CloseHandle(handle);
            DeleteFileA(candidate.c_str());
            return nullptr;
        }
        std::FILE *file = _fdopen(fd, "wb");
        if (file == nullptr) {
            _close(fd);
            DeleteFileA(candidate.c_str());
            return nullptr;
        }
        temporaryPath = candidate;
        return file;
    }
    return nullptr;
}

bool FlushToDisk(std::FILE *file) {
    if (std::fflush(file) != 0) return false;
    return _commit(_fileno(file)) == 0;
}

bool ReplaceTarget(const std::string &source, const std::string &target) {
    return MoveFileExA(source.c_str(), target.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool RemoveFile(const std::string &path) { return DeleteFileA(path.c_str()) != 0; }

std::vector<std::string> FilesIn(const std::string &folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE listing = FindFirstFileA((folder + "*").c_str(), &entry);
    if (listing == INVALID_HANDLE_VALUE) return names;
    do {
        const DWORD skipped = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
        if ((entry.dwFileAttributes & skipped) == 0) names.push_back(entry.cFileName);
    } while (FindNextFileA(listing, &entry));
    FindClose(listing);
    return names;
}

unsigned long CurrentProcessId() { return GetCurrentProcessId(); }

bool ProcessRuns(unsigned long processId) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(processId));
    if (process == nullptr) return GetLastError() != ERROR_INVALID_PARAMETER;
    // An ended process can still be open elsewhere; it has then signalled.
    const bool runs = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    CloseHandle(process);
    return runs;
}

}  // namespace morvel::base::platform
