#include "formats/motion/motion_export_file.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "base/atomic_file_writer.h"
#include "base/file_access.h"
#include "formats/motion/record_codec.h"
#include "formats/motion/scramble.h"
#include "formats/motion/scrambled_record_writer.h"

namespace morvel::formats::motion {
namespace {

void EncodeExportHeader(const MotionFileHeader &header, RecordBytes (&out)[kExportHeaderSize]) {
    std::memset(out, 0, sizeof out);
    std::memcpy(out + 0, header.magic, 4);
    std::memcpy(out + 4, header.version, 4);
    std::memcpy(out + 8, header.userCode, 16);
    out[26] = 'M';
}

bool WriteMotion(const MotionEntry &motion, const MotionFileHeader &header,
                 ScrambledRecordWriter &out) {
    RecordBytes headerRecord[kExportHeaderSize];
    EncodeExportHeader(header, headerRecord);
    if (!out.Put(headerRecord)) return false;
    RecordBytes motionRecord[MVL_MOTION_RECORD_SIZE];
    EncodeMotion(motion, motionRecord);
    if (!out.Put(motionRecord)) return false;
    RecordBytes frameRecord[MVL_FRAME_RECORD_SIZE];
    for (uint16_t f = 0; f < motion.frameCount; ++f) {
        EncodeFrame(motion.frames[f], frameRecord);
        if (!out.Put(frameRecord)) return false;
    }
    RecordBytes positionRecord[MVL_POSITION_RECORD_SIZE];
    for (uint16_t f = 0; f < motion.frameCount; ++f) {
        const FrameEntry &frame = motion.frames[f];
        for (uint16_t p = 0; p < frame.positionCount; ++p) {
            EncodePosition(frame.positions[p], positionRecord);
            if (!out.Put(positionRecord)) return false;
        }
    }
    return true;
}

// Reads fixed-size scrambled records front to back.
class ScrambledRecordReader {
public:
    explicit ScrambledRecordReader(const std::string &path)
        : file_(base::OpenFileAsOnWindows(path, "rb")) {
        if (file_ != nullptr) std::setvbuf(file_, nullptr, _IOFBF, 1 << 16);
    }
    ~ScrambledRecordReader() {
        if (file_ != nullptr) std::fclose(file_);
    }
    ScrambledRecordReader(const ScrambledRecordReader &) = delete;
    ScrambledRecordReader &operator=(const ScrambledRecordReader &) = delete;

    bool IsOpen() const { return file_ != nullptr; }

    template <int Size>
    bool Get(RecordBytes (&record)[Size]) {
        if (std::fread(record, 1, Size, file_) != static_cast<size_t>(Size)) return false;
        Scramble(record, record, Size, kScrambleKey);
        return true;
    }

private:
    std::FILE *file_;
};

bool SameCode(const char *a, const char *b) {
    return std::strncmp(a, b, 4) == 0;
}

int ReadHeader(ScrambledRecordReader &in, const MotionFileHeader &header) {
    RecordBytes record[kExportHeaderSize];
    if (!in.Get(record)) return kExportUnreadable;
    char fileCode[4];
    char versionCode[4];
    std::memcpy(fileCode, record + 0, 4);
    std::memcpy(versionCode, record + 4, 4);
    if (!SameCode(fileCode, header.magic)) return kExportBadFileCode;
    if (!SameCode(versionCode, header.version)) return kExportBadVersion;
    if (record[26] != 'M') return kExportBadFileType;
    return 0;
}

// Every container grows only as records arrive, so a file that promises more
// than it holds costs no more memory than it delivers.
bool ReadBody(ScrambledRecordReader &in, uint16_t partCount, ExportedMotion &motion) {
    RecordBytes motionRecord[MVL_MOTION_RECORD_SIZE];
    if (!in.Get(motionRecord)) return false;
    DecodeMotion(motionRecord, motion.record);
    motion.record.frames = nullptr;
    const uint16_t frameCount = motion.record.frameCount;
    RecordBytes frameRecord[MVL_FRAME_RECORD_SIZE];
    for (uint16_t f = 0; f < frameCount; ++f) {
        if (!in.Get(frameRecord)) return false;
        FrameEntry frame{};
        DecodeFrame(frameRecord, frame);
        motion.frames.push_back(frame);
    }
    motion.positions.resize(frameCount);
    RecordBytes positionRecord[MVL_POSITION_RECORD_SIZE];
    for (uint16_t f = 0; f < frameCount; ++f) {
        std::vector<PositionEntry> &kept = motion.positions[f];
        for (uint16_t p = 0; p < motion.frames[f].positionCount; ++p) {
            if (!in.Get(positionRecord)) return false;
            PositionEntry position{};
            DecodePosition(positionRecord, position);
            if (position.partNumber >= 0 && position.partNumber < partCount) {
                kept.push_back(position);
            } else {
                ++motion.dropped;
            }
        }
    }
    return true;
}

}  // namespace

bool WriteMotionExportFile(const MotionFileHeader &header, const MotionEntry &motion,
                           const std::string &path) {
    base::AtomicFileWriter file(path);
    if (!file.IsOpen()) return false;
    ScrambledRecordWriter out(file);
    return WriteMotion(motion, header, out) && file.Commit();
}

int ReadMotionExportFile(const std::string &path, const MotionFileHeader &receiving,
                         ExportedMotion &out) {
    ScrambledRecordReader in(path);
    if (!in.IsOpen()) return kExportUnreadable;
    const int headerResult = ReadHeader(in, receiving);
    if (headerResult != 0) return headerResult;
    try {
        ExportedMotion motion;
        if (!ReadBody(in, receiving.partCount, motion)) return kExportUnreadable;
        out = std::move(motion);
        return 0;
    } catch (const std::bad_alloc &) {
        return kExportUnreadable;
    }
}

}  // namespace morvel::formats::motion
