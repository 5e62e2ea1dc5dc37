// Reading other processes' windows. Under Wine every window of the prefix's
// wineserver is visible here; messages whose parameters are plain values, and
// the standard messages Wine marshals (WM_GETTEXT, WM_SETTEXT, LB_GETTEXT),
// work across processes. Anything else needs a RemoteBuffer.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "driver_command.h"

namespace morvel::e2e {

// How long one message to the program may take before the driver gives up on
// it: a program busy in a modal loop still answers sent messages.
constexpr UINT kSendTimeoutMs = 3000;

HWND WindowArg(const Json &request, const char *key = "hwnd");
// The window named by "hwnd", or its descendant with control id "id" if given.
HWND ControlArg(const Json &request);
HWND FindDescendant(HWND parent, int id);
HWND FindDescendantByClass(HWND parent, const std::wstring &className);

std::wstring ClassOf(HWND window);
std::wstring TextOf(HWND window);
DWORD ProcessOf(HWND window);
int ControlId(HWND window);

// Sends a message and waits at most kSendTimeoutMs for the answer.
LRESULT SendChecked(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void PostChecked(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

Json RectJson(const RECT &rect);
RECT ClientRectOnScreen(HWND window);
// The X11 window Wine created for a top-level window, 0 if it has none.
unsigned long X11WindowOf(HWND window);

// hwnd, class, title, visibility, owner, process and screen rectangles.
Json WindowJson(HWND window);

std::vector<HWND> TopLevelWindows();
std::vector<HWND> Descendants(HWND parent);

// Button text without its mnemonic: "はい(&Y)" and "&Yes" match "はい" and "Yes".
bool ButtonTextMatches(const std::wstring &text, const std::wstring &wanted);

}  // namespace morvel::e2e
