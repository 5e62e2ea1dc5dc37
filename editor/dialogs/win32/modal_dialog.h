// The one Win32 binding of every dialog: a modal dialog from a template
// whose messages go to a portable controller.
#pragma once

#include <windows.h>

#include <string>

#include "app/dialog_view.h"

namespace morvel::dialogs::win32 {

// False when the template cannot be loaded or the dialog created.
bool RunModalDialog(HINSTANCE instance, HWND owner, const std::string &templateName,
                    app::DialogController &controller);

}  // namespace morvel::dialogs::win32
