// The motion export file: one motion with its frames and positions, behind a
// 27-byte header, every byte scrambled like a motion file.
#pragma once

#include <cstdint>
#include <string>

#include "mvllib/mvllib.h"

namespace morvel::document {

constexpr int kExportHeaderSize = 27;

// Results of ReadMotionExport below 0.
enum ExportReadResult {
    kExportUnreadable = -1,   // cannot open, ends inside a record, or cannot be appended
    kExportBadFileCode = -2,  // fileCode differs from the document's magic
    kExportBadVersion = -3,   // versionCode differs from the document's version
    kExportBadFileType = -4,  // fileType is not 'M'
};

// Writes motion k; false when k names no motion or any write fails (the
// previous file at path is then left as it was).
bool WriteMotionExport(const MotionDocument &document, const std::string &path, int32_t k);

// Appends the file's motion to the document, without the positions whose
// part number the document does not have. Returns how many positions were
// dropped, or one of the negative codes; the document changes only when the
// whole file was read.
int ReadMotionExport(MotionDocument &document, const std::string &path);

}  // namespace morvel::document
