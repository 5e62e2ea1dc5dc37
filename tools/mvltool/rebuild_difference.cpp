#include "rebuild_difference.h"

#include <cstdio>
#include <cstring>

#include "base/file_access.h"
#include "formats/motion/motion_file_records.h"
#include "formats/motion/record_codec.h"
#include "formats/motion/scramble.h"

namespace mvltool {
namespace {

// Compares the file front to back with records as build would write them.
class FileComparison {
public:
    explicit FileComparison(const std::string &path)
        : file_(morvel::base::OpenFileAsOnWindows(path, "rb")) {
        if (file_ != nullptr) std::setvbuf(file_, nullptr, _IOFBF, 1 << 16);
    }
    ~FileComparison() {
        if (file_ != nullptr) std::fclose(file_);
    }
    FileComparison(const FileComparison &) = delete;
    FileComparison &operator=(const FileComparison &) = delete;

    template <int Size>
    bool Put(morvel::formats::motion::RecordBytes (&record)[Size]) {
        morvel::formats::motion::Scramble(record, record, Size,
                                          morvel::formats::motion::kScrambleKey);
        morvel::formats::motion::RecordBytes stored[Size];
        const size_t read = file_ != nullptr ? std::fread(stored, 1, Size, file_) : 0;
        for (size_t i = 0; i < static_cast<size_t>(Size); ++i) {
            if (i >= read || stored[i] != record[i]) ++different_;
        }
        return true;
    }

    // Every byte after the last record is one build would not write.
    uint64_t Finish() {
        if (file_ == nullptr) return different_;
        unsigned char rest[1 << 12];
        size_t read;
        while ((read = std::fread(rest, 1, sizeof rest, file_)) != 0) different_ += read;
        return different_;
    }

private:
    std::FILE *file_;
    uint64_t different_ = 0;
};

}  // namespace

uint64_t BytesBuildWouldChange(const MotionDocument &document, const std::string &path) {
    FileComparison file(path);
    MotionDocument rebuilt = document;
    std::memcpy(rebuilt.header.version, "1.00", 4);
    morvel::formats::motion::PutMotionFileRecords(rebuilt, file);
    return file.Finish();
}

}  // namespace mvltool
