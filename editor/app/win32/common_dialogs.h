// The system's message box, file choosers and colour chooser, as the
// portable requests describe them. Shared by the main window and the dialogs.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "document/ui_ports.h"

namespace morvel::app::win32 {

document::MessageAnswer ShowMessageBox(const document::MessageRequest &request);
// GetOpenFileNameA / GetSaveFileNameA over path (1024 bytes).
bool RunFileChooser(const document::FileChooserRequest &request, document::PathBuffer &path);
// SHBrowseForFolderA over the file system, with its new-folder button.
bool RunFolderChooser(HWND owner, const std::string &title, std::string &folder);
// ChooseColorA from colour (0x00BBGGRR) with a fresh all-white custom table.
bool RunColourChooser(HWND owner, uint32_t &colour);

}  // namespace morvel::app::win32
