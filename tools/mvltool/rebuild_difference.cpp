#include "rebuild_difference.h"

#include <cstdio>
#include <cstring>

#include "document/file_access.h"
#include "mvllib/record_codec.h"

namespace mvltool {
namespace {

// Compares the file front to back with records as build would write them.
class FileComparison {
public:
    explicit FileComparison(const std::string &path)
        : file_(morvel::document::OpenFileAsOnWindows(path, "rb")) {
        if (file_ != nullptr) std::setvbuf(file_, nullptr, _IOFBF, 1 << 16);
    }
    ~FileComparison() {
        if (file_ != nullptr) std::fclose(file_);
    }
    FileComparison(const FileComparison &) = delete;
    FileComparison &operator=(const FileComparison &) = delete;

    template <int Size>
    void Compare(mvl::RecordBytes (&record)[Size]) {
        Mvl_Func_Shuffle(record, record, Size, mvl::kScrambleKey);
        mvl::RecordBytes stored[Size];
        const size_t read = file_ != nullptr ? std::fread(stored, 1, Size, file_) : 0;
        for (size_t i = 0; i < static_cast<size_t>(Size); ++i) {
            if (i >= read || stored[i] != record[i]) ++different_;
        }
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
    MotionFileHeader header = document.header;
    std::memcpy(header.version, "1.00", 4);
    mvl::RecordBytes headerRecord[MVL_HEADER_SIZE];
    mvl::EncodeHeader(header, headerRecord);
    file.Compare(headerRecord);
    mvl::RecordBytes partRecord[MVL_PART_RECORD_SIZE];
    for (uint16_t p = 0; p < header.partCount; ++p) {
        mvl::EncodePart(document.parts[p], partRecord);
        file.Compare(partRecord);
    }
    mvl::RecordBytes motionRecord[MVL_MOTION_RECORD_SIZE];
    for (uint16_t m = 0; m < header.motionCount; ++m) {
        mvl::EncodeMotion(document.motions[m], motionRecord);
        file.Compare(motionRecord);
    }
    mvl::RecordBytes frameRecord[MVL_FRAME_RECORD_SIZE];
    for (uint16_t m = 0; m < header.motionCount; ++m) {
        const MotionEntry &motion = document.motions[m];
        for (uint16_t f = 0; f < motion.frameCount; ++f) {
            mvl::EncodeFrame(motion.frames[f], frameRecord);
            file.Compare(frameRecord);
        }
    }
    mvl::RecordBytes positionRecord[MVL_POSITION_RECORD_SIZE];
    for (uint16_t m = 0; m < header.motionCount; ++m) {
        const MotionEntry &motion = document.motions[m];
        for (uint16_t f = 0; f < motion.frameCount; ++f) {
            const FrameEntry &frame = motion.frames[f];
            for (uint16_t p = 0; p < frame.positionCount; ++p) {
                mvl::EncodePosition(frame.positions[p], positionRecord);
                file.Compare(positionRecord);
            }
        }
    }
    return file.Finish();
}

}  // namespace mvltool
