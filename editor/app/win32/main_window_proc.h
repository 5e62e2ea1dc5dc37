// The main window's procedure: it only turns messages into calls on the
// editor's portable code.
#pragma once

#include <windows.h>

namespace morvel::app::win32 {

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The view window: never erased (the device draws it all), never
// activated, and its mouse messages go to the main window, whose client
// coordinates it shares.
LRESULT CALLBACK ViewWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void CALLBACK MainWindowTimerProc(HWND window, UINT message, UINT_PTR id, DWORD time);
// The help retry timer (help_request.h).
void CALLBACK HelpRetryTimerProc(HWND window, UINT message, UINT_PTR id, DWORD time);

}  // namespace morvel::app::win32
