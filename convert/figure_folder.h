// Writes a figure into a folder completely or not at all: everything goes to
// a new folder beside it first, which takes the folder's name only after the
// last byte was written. An existing folder is replaced only when asked to.
#pragma once

#include <string>

#include "convert/figure.h"

namespace morvel::convert {

// folder: a host path. motionFileName: code page 932, e.g. "robot.mvl".
// False with one line when nothing was written.
bool WriteFigureFolder(Figure &figure, const std::string &folder, const std::string &motionFileName,
                       bool replace, std::string &error);

// A code page 932 file name as the host's file functions take it: as it is
// on Windows, in UTF-8 elsewhere (where Wine and the file system use UTF-8).
std::string HostFileName(const std::string &cp932Name);

}  // namespace morvel::convert
