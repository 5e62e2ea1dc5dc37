// The pose clipboard on Win32: our own registered format holding the pose's
// UTF-8 JSON, and the same text as CF_UNICODETEXT, which Windows also hands
// out as CF_TEXT to programs that ask for that.
#pragma once

#include <windows.h>

#include <string>

namespace morvel::app::win32 {

bool PutPoseOnClipboard(HWND owner, const std::string &json);
std::string PoseFromClipboard(HWND owner);

}  // namespace morvel::app::win32
