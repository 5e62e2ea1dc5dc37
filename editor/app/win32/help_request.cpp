#include "app/win32/help_request.h"

namespace morvel::app::win32 {

namespace {

constexpr char kViewerClass[] = "MS_WINHELP";
constexpr DWORD kViewerPatienceMs = 5000;
constexpr DWORD kPollMs = 50;

bool WaitForViewerWindow() {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kViewerPatienceMs) {
        if (FindWindowA(kViewerClass, nullptr) != nullptr) return true;
        Sleep(kPollMs);
    }
    return false;
}

}  // namespace

bool RequestHelp(HWND owner, const char *helpFile, UINT command, ULONG_PTR data) {
    const bool viewerRan = FindWindowA(kViewerClass, nullptr) != nullptr;
    if (WinHelpA(owner, helpFile, command, data)) return true;
    // A viewer that already ran refused the request itself: asking again
    // would not help. HELP_QUIT never starts one.
    if (viewerRan || command == HELP_QUIT) return false;
    return WaitForViewerWindow() && WinHelpA(owner, helpFile, command, data);
}

}  // namespace morvel::app::win32
