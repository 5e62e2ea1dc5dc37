#include "app/win32/win32_recovery_platform.h"

#include <windows.h>

#include "base/file_platform.h"

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

unsigned long Win32RecoveryPlatform::ProcessId() { return GetCurrentProcessId(); }

bool Win32RecoveryPlatform::ProcessRuns(unsigned long processId) {
    return base::platform::ProcessRuns(processId);
}

RecoveryTime Win32RecoveryPlatform::LocalTime() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

}  // namespace morvel::app::win32
