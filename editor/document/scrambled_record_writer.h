// Writes records encoded by mvllib/record_codec.h, scrambled with the
// library's key, through an AtomicFileWriter.
#pragma once

#include "document/atomic_file_writer.h"
#include "mvllib/mvllib.h"
#include "mvllib/record_codec.h"

namespace morvel::document {

class ScrambledRecordWriter {
public:
    explicit ScrambledRecordWriter(AtomicFileWriter &file) : file_(file) {}

    template <int Size>
    bool Put(mvl::RecordBytes (&record)[Size]) {
        Mvl_Func_Shuffle(record, record, Size, mvl::kScrambleKey);
        return file_.Write(record, Size);
    }

private:
    AtomicFileWriter &file_;
};

}  // namespace morvel::document
