#include "document/motion_export.h"

#include "document/table_ops.h"

namespace morvel::document {
namespace {

// The read motion's containers hung into one record for the table operation,
// which copies them into the document.
bool Append(MotionDocument &document, formats::motion::ExportedMotion &motion) {
    MotionEntry record = motion.record;
    record.frames = motion.frames.empty() ? nullptr : motion.frames.data();
    for (size_t f = 0; f < motion.frames.size(); ++f) {
        FrameEntry &frame = motion.frames[f];
        frame.positionCount = static_cast<uint16_t>(motion.positions[f].size());
        frame.positions = motion.positions[f].empty() ? nullptr : motion.positions[f].data();
    }
    return AppendMotion(document, record);
}

}  // namespace

bool WriteMotionExport(const MotionDocument &document, const std::string &path, int32_t k) {
    if (k < 0 || k >= document.header.motionCount) return false;
    return formats::motion::WriteMotionExportFile(document.header, document.motions[k], path);
}

int ReadMotionExport(MotionDocument &document, const std::string &path) {
    formats::motion::ExportedMotion motion;
    const int result = formats::motion::ReadMotionExportFile(path, document.header, motion);
    if (result != 0) return result;
    if (!Append(document, motion)) return kExportUnreadable;
    return motion.dropped;
}

}  // namespace morvel::document
