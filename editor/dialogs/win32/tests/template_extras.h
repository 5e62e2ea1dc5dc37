// What the template checker cannot see on a freshly created dialog: the
// dialog manager turns a list's or edit's WS_BORDER into a sunken client
// edge, and a list shows (and flags) its vertical scroll bar only once its
// rows overflow.
#pragma once

#include <windows.h>

#include <vector>

namespace morvel::testing {

// A dialog procedure that only accepts WM_INITDIALOG: for dialogs made to be
// looked at.
INT_PTR CALLBACK QuietDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The ids among `ids` whose control has neither WS_BORDER nor a client edge
// (or does not exist).
std::vector<int> ControlsWithoutBorder(HINSTANCE module, const char *templateName,
                                       const std::vector<int> &ids);

// The list ids among `ids` that show no vertical scroll bar once they hold
// more rows than fit.
std::vector<int> ListsWithoutScrollBar(HINSTANCE module, const char *templateName,
                                       const std::vector<int> &ids);

}  // namespace morvel::testing
