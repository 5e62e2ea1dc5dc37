#include "formats/motion/motion_file_writer.h"

#include <cstring>

#include "base/atomic_file_writer.h"
#include "formats/motion/motion_file_records.h"
#include "formats/motion/scrambled_record_writer.h"

namespace morvel::formats::motion {

bool WriteMotionFile(MotionDocument &document, const std::string &path) {
    std::memcpy(document.header.version, "1.00", 4);
    base::AtomicFileWriter file(path);
    if (!file.IsOpen()) return false;
    ScrambledRecordWriter out(file);
    return PutMotionFileRecords(document, out) && file.Commit();
}

}  // namespace morvel::formats::motion
