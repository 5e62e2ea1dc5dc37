// Questions only the program's own process can answer: Wine keeps a menu's
// items and a dialog's base units in the process that owns them, so the
// driver asks through a message hook that morvel_driver_hook.dll runs inside
// that process. The hook answers with a WM_COPYDATA of UTF-8 JSON.
#pragma once

#include <windows.h>

#include <string>

namespace morvel::e2e {

enum class InProcessQuery : WPARAM { kMenu = 1, kDialogBaseUnits = 2 };

// The message posted to the target window; its wParam is the query in the
// low byte and the query's number above it, its lParam the window that
// receives the answer.
constexpr wchar_t kQueryMessageName[] = L"MorvelDriverInProcessQuery";
constexpr char kHookProcName[] = "MorvelDriverGetMessageHook";
constexpr wchar_t kHookDllName[] = L"morvel_driver_hook.dll";

// The answer of the program owning window, or throws CommandError.
std::string AskInProcess(HWND window, InProcessQuery query);

}  // namespace morvel::e2e
