// Writes records encoded by record_codec.h, scrambled with the files' key,
// through an AtomicFileWriter.
#pragma once

#include "base/atomic_file_writer.h"
#include "formats/motion/record_codec.h"
#include "formats/motion/scramble.h"

namespace morvel::formats::motion {

class ScrambledRecordWriter {
public:
    explicit ScrambledRecordWriter(base::AtomicFileWriter &file) : file_(file) {}

    template <int Size>
    bool Put(RecordBytes (&record)[Size]) {
        Scramble(record, record, Size, kScrambleKey);
        return file_.Write(record, Size);
    }

private:
    base::AtomicFileWriter &file_;
};

}  // namespace morvel::formats::motion
