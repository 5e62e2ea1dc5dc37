// The extension rules the save flows apply to chosen paths. Paths are code
// page 932 text, whose second bytes may equal '\'; they are scanned
// character by character.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace morvel::document {

// Index of the first byte after the last '\' or '/' separator.
size_t FileNameStart(std::string_view path);

// ".mvl" is appended unless the path ends in exactly ".mvl" (case matters);
// a path of four bytes or fewer is returned as it is.
std::string WithMotionFileExtension(std::string_view path);

// Everything after the first '.' of the file name is replaced by "mvx"; a
// file name without a dot gets ".mvx" appended. Dots in folder names are
// not looked at.
std::string WithExportFileExtension(std::string_view path);

// A name for the temporary file a save writes in target's folder. It does not
// grow with the target's file name, so a target whose name is close to the
// system's length limits can still be saved.
std::string TemporaryPathBeside(std::string_view target, unsigned long processId,
                                unsigned counter);

// True when fileName (without a folder) is exactly a name TemporaryPathBeside
// gives, digits without leading zeros included; processId is then the id of
// the process that made it.
bool IsTemporaryFileName(std::string_view fileName, unsigned long &processId);

}  // namespace morvel::document
