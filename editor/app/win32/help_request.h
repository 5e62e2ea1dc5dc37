// Hands a request to the system's help viewer. WinHelpA starts the viewer
// when none runs and looks for its window once; Wine's viewer may not have
// made that window yet, so the request fails although the viewer comes up.
// This waits for the window the viewer is making and asks once more.
#pragma once

#include <windows.h>

namespace morvel::app::win32 {

bool RequestHelp(HWND owner, const char *helpFile, UINT command, ULONG_PTR data);

}  // namespace morvel::app::win32
