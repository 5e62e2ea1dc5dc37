#include "document/motion_export.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "document/atomic_file_writer.h"
#include "document/file_access.h"
#include "document/scrambled_record_writer.h"
#include "document/table_ops.h"
#include "mvllib/record_codec.h"

namespace morvel::document {
namespace {

void EncodeExportHeader(const MotionFileHeader &header, mvl::RecordBytes (&out)[kExportHeaderSize]) {
    std::memset(out, 0, sizeof out);
    std::memcpy(out + 0, header.magic, 4);
    std::memcpy(out + 4, header.version, 4);
    std::memcpy(out + 8, header.userCode, 16);
    out[26] = 'M';
}

bool WriteMotion(const MotionEntry &motion, const MotionFileHeader &header,
                 ScrambledRecordWriter &out) {
    mvl::RecordBytes headerRecord[kExportHeaderSize];
    EncodeExportHeader(header, headerRecord);
    if (!out.Put(headerRecord)) return false;
    mvl::RecordBytes motionRecord[MVL_MOTION_RECORD_SIZE];
    mvl::EncodeMotion(motion, motionRecord);
    if (!out.Put(motionRecord)) return false;
    mvl::RecordBytes frameRecord[MVL_FRAME_RECORD_SIZE];
    for (uint16_t f = 0; f < motion.frameCount; ++f) {
        mvl::EncodeFrame(motion.frames[f], frameRecord);
        if (!out.Put(frameRecord)) return false;
    }
    mvl::RecordBytes positionRecord[MVL_POSITION_RECORD_SIZE];
    for (uint16_t f = 0; f < motion.frameCount; ++f) {
        const FrameEntry &frame = motion.frames[f];
        for (uint16_t p = 0; p < frame.positionCount; ++p) {
            mvl::EncodePosition(frame.positions[p], positionRecord);
            if (!out.Put(positionRecord)) return false;
        }
    }
    return true;
}

// Reads fixed-size scrambled records front to back.
class ScrambledRecordReader {
public:
    explicit ScrambledRecordReader(const std::string &path)
        : file_(OpenFileAsOnWindows(path, "rb")) {
        if (file_ != nullptr) std::setvbuf(file_, nullptr, _IOFBF, 1 << 16);
    }
    ~ScrambledRecordReader() {
        if (file_ != nullptr) std::fclose(file_);
    }
    ScrambledRecordReader(const ScrambledRecordReader &) = delete;
    ScrambledRecordReader &operator=(const ScrambledRecordReader &) = delete;

    bool IsOpen() const { return file_ != nullptr; }

    template <int Size>
    bool Get(mvl::RecordBytes (&record)[Size]) {
        if (std::fread(record, 1, Size, file_) != static_cast<size_t>(Size)) return false;
        Mvl_Func_Shuffle(record, record, Size, mvl::kScrambleKey);
        return true;
    }

private:
    std::FILE *file_;
};

// The imported motion while it is read, in the editor's memory.
struct ImportedMotion {
    MotionEntry record{};
    std::vector<FrameEntry> frames;
    std::vector<std::vector<PositionEntry>> positions;
    int dropped = 0;
};

bool SameCode(const char *a, const char *b) { return std::strncmp(a, b, 4) == 0; }

int ReadHeader(ScrambledRecordReader &in, const MotionFileHeader &header) {
    mvl::RecordBytes record[kExportHeaderSize];
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
bool ReadBody(ScrambledRecordReader &in, uint16_t partCount, ImportedMotion &motion) {
    mvl::RecordBytes motionRecord[MVL_MOTION_RECORD_SIZE];
    if (!in.Get(motionRecord)) return false;
    mvl::DecodeMotion(motionRecord, motion.record);
    const uint16_t frameCount = motion.record.frameCount;
    mvl::RecordBytes frameRecord[MVL_FRAME_RECORD_SIZE];
    for (uint16_t f = 0; f < frameCount; ++f) {
        if (!in.Get(frameRecord)) return false;
        FrameEntry frame{};
        mvl::DecodeFrame(frameRecord, frame);
        motion.frames.push_back(frame);
    }
    motion.positions.resize(frameCount);
    mvl::RecordBytes positionRecord[MVL_POSITION_RECORD_SIZE];
    for (uint16_t f = 0; f < frameCount; ++f) {
        std::vector<PositionEntry> &kept = motion.positions[f];
        for (uint16_t p = 0; p < motion.frames[f].positionCount; ++p) {
            if (!in.Get(positionRecord)) return false;
            PositionEntry position{};
            mvl::DecodePosition(positionRecord, position);
            if (position.partNumber >= 0 && position.partNumber < partCount) {
                kept.push_back(position);
            } else {
                ++motion.dropped;
            }
        }
    }
    return true;
}

bool Append(MotionDocument &document, ImportedMotion &motion) {
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
    AtomicFileWriter file(path);
    if (!file.IsOpen()) return false;
    ScrambledRecordWriter out(file);
    return WriteMotion(document.motions[k], document.header, out) && file.Commit();
}

int ReadMotionExport(MotionDocument &document, const std::string &path) {
    ScrambledRecordReader in(path);
    if (!in.IsOpen()) return kExportUnreadable;
    const int headerResult = ReadHeader(in, document.header);
    if (headerResult != 0) return headerResult;
    try {
        ImportedMotion motion;
        if (!ReadBody(in, document.header.partCount, motion)) return kExportUnreadable;
        if (!Append(document, motion)) return kExportUnreadable;
        return motion.dropped;
    } catch (const std::bad_alloc &) {
        return kExportUnreadable;
    }
}

}  // namespace morvel::document
