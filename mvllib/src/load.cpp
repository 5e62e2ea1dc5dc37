#include <cstdlib>
#include <cstring>

#include "document_tables.h"
#include "mvllib/mvllib.h"
#include "mvllib/record_codec.h"
#include "record_reader.h"

namespace {

using mvl::RecordBytes;

// The next record of size bytes, unscrambled in the reader's buffer;
// nullptr when the file ends before it is complete.
const RecordBytes *ReadRecord(mvl::RecordReader &reader, int size) {
    RecordBytes *record = reader.Take(static_cast<size_t>(size));
    if (record != nullptr) Mvl_Func_Shuffle(record, record, size, mvl::kScrambleKey);
    return record;
}

// Every byte of a loaded record is decoded from the file, so the tables need
// no zero-filling; the array references are set explicitly.
template <typename T>
T *AllocateRecords(uint16_t count) {
    return static_cast<T *>(std::malloc(static_cast<size_t>(count) * sizeof(T)));
}

bool UserCodeMatches(const MotionFileHeader &header, const char *given) {
    // A hostile file may fill all 18 bytes; the stored text never reaches past them.
    const void *terminator = std::memchr(header.userCode, '\0', sizeof header.userCode);
    const size_t storedLength =
        terminator != nullptr ? static_cast<size_t>(static_cast<const char *>(terminator) -
                                                    header.userCode)
                              : sizeof header.userCode;
    const char *code = given != nullptr ? given : "";
    return std::strlen(code) == storedLength &&
           std::memcmp(code, header.userCode, storedLength) == 0;
}

// The scratch document's tables while they are being read. A count stands in
// the scratch header only once its array exists, so that abandoning a partial
// load never walks an array that was not allocated.
class TablesUnderConstruction {
public:
    explicit TablesUnderConstruction(MotionDocument &scratch)
        : scratch_(scratch),
          partCount_(scratch.header.partCount),
          motionCount_(scratch.header.motionCount) {
        scratch_.header.partCount = 0;
        scratch_.header.motionCount = 0;
    }
    ~TablesUnderConstruction() {
        if (!committed_) Abandon();
    }
    void Commit() { committed_ = true; }

    bool ReadParts(mvl::RecordReader &reader) {
        const uint16_t count = partCount_;
        if (count == 0) return true;
        auto *parts = AllocateRecords<PartEntry>(count);
        if (parts == nullptr) return false;
        scratch_.parts = parts;
        scratch_.header.partCount = count;
        for (uint16_t i = 0; i < count; ++i) {
            const RecordBytes *record = ReadRecord(reader, MVL_PART_RECORD_SIZE);
            if (record == nullptr) return false;
            mvl::DecodePart(record, parts[i]);
        }
        return true;
    }

    bool ReadMotions(mvl::RecordReader &reader) {
        const uint16_t count = motionCount_;
        if (count == 0) return true;
        auto *motions = AllocateRecords<MotionEntry>(count);
        if (motions == nullptr) return false;
        for (uint16_t i = 0; i < count; ++i) {
            motions[i].frameCount = 0;
            motions[i].frames = nullptr;  // until its frames are allocated
        }
        scratch_.motions = motions;
        scratch_.header.motionCount = count;
        for (uint16_t i = 0; i < count; ++i) {
            const RecordBytes *record = ReadRecord(reader, MVL_MOTION_RECORD_SIZE);
            if (record == nullptr) return false;
            mvl::DecodeMotion(record, motions[i]);
        }
        return true;
    }

    bool ReadFrames(mvl::RecordReader &reader) {
        for (uint16_t m = 0; m < scratch_.header.motionCount; ++m) {
            MotionEntry &motion = scratch_.motions[m];
            if (motion.frameCount == 0) continue;
            auto *frames = AllocateRecords<FrameEntry>(motion.frameCount);
            if (frames == nullptr) return false;
            for (uint16_t f = 0; f < motion.frameCount; ++f) {
                frames[f].positionCount = 0;
                frames[f].positions = nullptr;  // until its positions are allocated
            }
            motion.frames = frames;
            for (uint16_t f = 0; f < motion.frameCount; ++f) {
                const RecordBytes *record = ReadRecord(reader, MVL_FRAME_RECORD_SIZE);
                if (record == nullptr) return false;
                mvl::DecodeFrame(record, frames[f]);
            }
        }
        return true;
    }

    bool ReadPositions(mvl::RecordReader &reader) {
        for (uint16_t m = 0; m < scratch_.header.motionCount; ++m) {
            MotionEntry &motion = scratch_.motions[m];
            for (uint16_t f = 0; f < motion.frameCount; ++f) {
                FrameEntry &frame = motion.frames[f];
                if (frame.positionCount == 0) continue;
                auto *positions = AllocateRecords<PositionEntry>(frame.positionCount);
                if (positions == nullptr) return false;
                frame.positions = positions;
                for (uint16_t p = 0; p < frame.positionCount; ++p) {
                    const RecordBytes *record = ReadRecord(reader, MVL_POSITION_RECORD_SIZE);
                    if (record == nullptr) return false;
                    mvl::DecodePosition(record, positions[p]);
                }
            }
        }
        return true;
    }

private:
    void Abandon() {
        for (uint16_t m = 0; m < scratch_.header.motionCount; ++m) {
            MotionEntry &motion = scratch_.motions[m];
            if (motion.frames == nullptr) motion.frameCount = 0;
            // Frames whose positions were not allocated hold a null array: freeing it is harmless.
        }
        Mvl_Func_Delete(&scratch_);
    }

    MotionDocument &scratch_;
    // The header's counts, taken over into it as each table is allocated.
    const uint16_t partCount_;
    const uint16_t motionCount_;
    bool committed_ = false;
};

}  // namespace

extern "C" MVL_API int MVL_CALL Mvl_Func_Load(MotionDocument *destination, const char *path,
                                              const char *userCode) {
    MotionDocument scratch;
    Mvl_Func_ObjectInit(&scratch);
    scratch.parts = nullptr;
    scratch.motions = nullptr;

    mvl::RecordReader reader(path);
    if (!reader.IsOpen()) return MVL_LOAD_UNREADABLE;

    const RecordBytes *headerBytes = ReadRecord(reader, MVL_HEADER_SIZE);
    if (headerBytes == nullptr) return MVL_LOAD_UNREADABLE;
    if (std::memcmp(headerBytes, mvl::kScrambleKey, 4) != 0) return MVL_LOAD_BAD_MAGIC;
    mvl::DecodeHeader(headerBytes, scratch.header);
    if (!UserCodeMatches(scratch.header, userCode)) return MVL_LOAD_BAD_USER_CODE;

    // Each group is allocated only once the groups before it were read, so
    // what a short or hostile file can make us allocate stays near its size.
    TablesUnderConstruction tables(scratch);
    if (!tables.ReadParts(reader) || !tables.ReadMotions(reader) || !tables.ReadFrames(reader) ||
        !tables.ReadPositions(reader)) {
        return MVL_LOAD_UNREADABLE;
    }
    tables.Commit();

    // The scratch tables are library-owned already: handing them over is the
    // same as copying them and deleting the scratch document, without the copy.
    Mvl_Func_Delete(destination);
    destination->header = scratch.header;
    destination->parts = scratch.parts;
    destination->motions = scratch.motions;
    return MVL_LOAD_OK;
}
