// Motions of a document to and from motion export files
// (formats/motion/motion_export_file.h).
#pragma once

#include <cstdint>
#include <string>

#include "formats/motion/motion_export_file.h"
#include "mvllib/mvllib.h"

namespace morvel::document {

using formats::motion::kExportBadFileCode;
using formats::motion::kExportBadFileType;
using formats::motion::kExportBadVersion;
using formats::motion::kExportUnreadable;

// Writes motion k; false when k names no motion or any write fails (the
// previous file at path is then left as it was).
bool WriteMotionExport(const MotionDocument &document, const std::string &path, int32_t k);

// Appends the file's motion to the document, without the positions whose
// part number the document does not have. Returns how many positions were
// dropped, or one of the negative codes; the document changes only when the
// whole file was read.
int ReadMotionExport(MotionDocument &document, const std::string &path);

}  // namespace morvel::document
