#include "app/win32/win32_recovery_platform.h"

#include <windows.h>


namespace morvel::app::win32 {

namespace {

// The folder exists afterwards (made now, or already there).
bool MakeFolder(const std::string &path) {
    return CreateDirectoryA(path.c_str(), nullptr) != FALSE ||
           GetLastError() == ERROR_ALREADY_EXISTS;
}

std::string LocalApplicationData() {
    char path[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA("LOCALAPPDATA", path, MAX_PATH);
    if (length > 0 && length < MAX_PATH) return path;
    // Systems that do not set it keep the same folder under the profile.
    const DWORD profile = GetEnvironmentVariableA("USERPROFILE", path, MAX_PATH);
    if (profile > 0 && profile < MAX_PATH) return std::string(path) + "\\AppData\\Local";
    return std::string();
}

// The process's creation time in 100 ns steps; 0 when the system does not say.
uint64_t StartOf(HANDLE process) {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
    return (uint64_t{created.dwHighDateTime} << 32) | created.dwLowDateTime;
}

}  // namespace

std::string Win32RecoveryPlatform::RecoveryFolder() {
    if (!folder_.empty()) return folder_;
    const std::string base = LocalApplicationData();
    if (base.empty()) return std::string();
    const std::string morvel = base + "\\Morvel";
    const std::string recovery = morvel + "\\Recovery";
    if (!MakeFolder(base) || !MakeFolder(morvel) || !MakeFolder(recovery)) return std::string();
    folder_ = recovery + "\\";
    return folder_;
}

ProcessIdentity Win32RecoveryPlatform::ThisProcess() {
    return {GetCurrentProcessId(), StartOf(GetCurrentProcess())};
}

bool Win32RecoveryPlatform::ProcessRuns(const ProcessIdentity &process) {
    HANDLE handle = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE,
                                static_cast<DWORD>(process.id));
    if (handle == nullptr) return GetLastError() != ERROR_INVALID_PARAMETER;
    // An ended process can still be open elsewhere: it has then signalled.
    // A running one with another start is a later process with the same id.
    const uint64_t started = StartOf(handle);
    const bool runs = WaitForSingleObject(handle, 0) == WAIT_TIMEOUT &&
                      (started == 0 || started == process.started);
    CloseHandle(handle);
    return runs;
}

RecoveryTime Win32RecoveryPlatform::LocalTime() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

}  // namespace morvel::app::win32
