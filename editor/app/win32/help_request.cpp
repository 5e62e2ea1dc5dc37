#include "app/win32/help_request.h"

#include <tlhelp32.h>

namespace morvel::app::win32 {

namespace {

constexpr char kViewerClass[] = "MS_WINHELP";
constexpr char kViewerProgram[] = "winhlp32.exe";

}  // namespace

bool AskViewer(HWND owner, const HelpRequest &request) {
    const ULONG_PTR data = request.command == HELP_KEY
                               ? reinterpret_cast<ULONG_PTR>(request.keyword.c_str())
                               : request.data;
    return WinHelpA(owner, request.helpFile.c_str(), request.command, data) != FALSE;
}

bool ViewerWindowExists() {
    return FindWindowA(kViewerClass, nullptr) != nullptr;
}

bool ViewerProcessRuns() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return true;  // cannot tell: let the patience decide
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    bool found = false;
    for (BOOL more = Process32First(snapshot, &entry); more && !found;
         more = Process32Next(snapshot, &entry)) {
        found = lstrcmpiA(entry.szExeFile, kViewerProgram) == 0;
    }
    CloseHandle(snapshot);
    return found;
}

}  // namespace morvel::app::win32
