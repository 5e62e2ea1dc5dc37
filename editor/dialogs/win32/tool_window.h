// The Win32 binding of a tool window: a modeless dialog from a template,
// owned by the main window, whose messages go to a portable controller.
#pragma once

#include <windows.h>

#include <string>

#include "app/dialog_view.h"

namespace morvel::dialogs::win32 {

// Creates the window hidden; view becomes its DialogView, alive as long as
// the window. nullptr when the template cannot be loaded or the window
// created.
HWND CreateToolWindow(HINSTANCE instance, HWND owner, const std::string &templateName,
                      app::ToolWindowController &controller, app::DialogView *&view);

}  // namespace morvel::dialogs::win32
