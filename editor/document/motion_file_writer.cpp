#include "document/motion_file_writer.h"

#include <cstring>

#include "document/atomic_file_writer.h"
#include "document/motion_file_records.h"
#include "document/scrambled_record_writer.h"

namespace morvel::document {

bool WriteMotionFile(MotionDocument &document, const std::string &path) {
    std::memcpy(document.header.version, "1.00", 4);
    AtomicFileWriter file(path);
    if (!file.IsOpen()) return false;
    ScrambledRecordWriter out(file);
    return PutMotionFileRecords(document, out) && file.Commit();
}

}  // namespace morvel::document
