// Help requests to the system's help viewer (WinHelpA), and what the retry
// of a refused request (app/help_retry.h) asks about the viewer.
#pragma once

#include <windows.h>

#include <string>

namespace morvel::app::win32 {

// The timer of the main window that retries a refused request.
constexpr UINT_PTR kHelpRetryTimerId = 12;  // beside the redraw (10) and playback (11) timers

struct HelpRequest {
    std::string helpFile;
    UINT command = 0;
    ULONG_PTR data = 0;   // for HELP_KEY: unused, the keyword is passed
    std::string keyword;  // HELP_KEY only
};

bool AskViewer(HWND owner, const HelpRequest &request);

// Whether the viewer's window exists.
bool ViewerWindowExists();

// Whether a viewer process runs (it may still be making its window).
bool ViewerProcessRuns();

}  // namespace morvel::app::win32
