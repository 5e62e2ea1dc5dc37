// The desktop shortcut to the running program, through the COM shell link.
#pragma once

#include <windows.h>

#include <string>

namespace morvel::app::win32 {

// Creates or overwrites linkName (a name that begins with a backslash) in the
// user's desktop folder; the result of saving it.
HRESULT CreateDesktopShortcut(HWND owner, const std::string &linkName,
                              const std::string &description);

}  // namespace morvel::app::win32
