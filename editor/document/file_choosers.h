// The chooser settings of the motion files and the motion export files, and
// ChooseFile, the one wrapper the dialogs use for their own choosers.
#pragma once

#include <string>
#include <vector>

#include "document/ui_ports.h"

namespace morvel::document {

FileChooserRequest MotionFileChooserRequest(FileChooserMode mode, OwnerWindow owner);
FileChooserRequest MotionExportChooserRequest(FileChooserMode mode, OwnerWindow owner);

// Runs one chooser with the path-must-exist and file-must-exist flags and a
// buffer that starts empty. mode 0 opens, 1 saves, anything else returns
// false without showing a chooser. On OK the chosen path is copied to out.
bool ChooseFile(FileChooser &chooser, int mode, OwnerWindow owner,
                const std::vector<FileFilter> &filters, const std::string &title,
                std::string &out);

}  // namespace morvel::document
