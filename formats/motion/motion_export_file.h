// The motion export file: one motion with its frames and positions, behind a
// 27-byte header, every byte scrambled like a motion file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mvllib/mvllib.h"

namespace morvel::formats::motion {

constexpr int kExportHeaderSize = 27;

// Results of ReadMotionExportFile below 0.
enum ExportReadResult {
    kExportUnreadable = -1,   // cannot open, ends inside a record, or out of memory
    kExportBadFileCode = -2,  // fileCode differs from the receiving document's magic
    kExportBadVersion = -3,   // versionCode differs from the receiving document's version
    kExportBadFileType = -4,  // fileType is not 'M'
};

// A motion as read from an export file, in plain containers: record.frames
// and every frame's positions are null, frames[f].positionCount is the
// count the file gave, positions[f] holds the positions kept of frame f.
struct ExportedMotion {
    MotionEntry record{};
    std::vector<FrameEntry> frames;
    std::vector<std::vector<PositionEntry>> positions;
    int dropped = 0;  // positions whose part number the receiving document lacks
};

// Writes motion with header's file code, version and user code; false when
// any write fails (the previous file at path is then left as it was).
bool WriteMotionExportFile(const MotionFileHeader &header, const MotionEntry &motion,
                           const std::string &path);

// Reads the file at path for a document with this header: its file code and
// version must match, and positions whose part number is not below the
// header's partCount are dropped. 0 or a negative code.
int ReadMotionExportFile(const std::string &path, const MotionFileHeader &receiving,
                         ExportedMotion &out);

}  // namespace morvel::formats::motion
