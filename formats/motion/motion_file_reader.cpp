#include "formats/motion/motion_file_reader.h"

#include <cstdlib>
#include <cstring>

#include "formats/motion/document_tables.h"
#include "formats/motion/record_codec.h"
#include "formats/motion/scramble.h"

namespace morvel::formats::motion {
namespace {

// The next record of size bytes, unscrambled in the reader's buffer;
// nullptr when the file ends before it is complete.
const RecordBytes *ReadRecord(RecordReader &reader, int size) {
    RecordBytes *record = reader.Take(static_cast<size_t>(size));
    if (record != nullptr) Scramble(record, record, size, kScrambleKey);
    return record;
}

// A table that grows as its records arrive. A count in the file is only a
// claim: reserving it whole would let a few hundred bytes claiming 65,535
// records cost megabytes. Growing by doubling keeps what a load allocates
// within about twice what it has read, and ends at exactly the claimed size.
template <typename T>
class GrowingTable {
public:
    explicit GrowingTable(T *&table) : table_(table) {}

    // Room for entry number used of a table claimed to hold claim entries;
    // false when memory runs out (the entries so far stay in table).
    bool Reserve(uint16_t used, uint16_t claim) {
        if (used < capacity_) return true;
        size_t next = capacity_ == 0 ? kFirstEntries : capacity_ * size_t{2};
        if (next > claim) next = claim;
        void *grown = std::realloc(table_, next * sizeof(T));
        if (grown == nullptr) return false;
        table_ = static_cast<T *>(grown);
        capacity_ = next;
        return true;
    }

private:
    static constexpr size_t kFirstEntries = 4096 / sizeof(T) > 0 ? 4096 / sizeof(T) : 1;

    T *&table_;
    size_t capacity_ = 0;
};

bool UserCodeMatches(const MotionFileHeader &header, const char *given) {
    // A hostile file may fill all 18 bytes; the stored text never reaches past them.
    const void *terminator = std::memchr(header.userCode, '\0', sizeof header.userCode);
    const size_t storedLength =
        terminator != nullptr
            ? static_cast<size_t>(static_cast<const char *>(terminator) - header.userCode)
            : sizeof header.userCode;
    const char *code = given != nullptr ? given : "";
    return std::strlen(code) == storedLength &&
           std::memcmp(code, header.userCode, storedLength) == 0;
}

// The scratch document's tables while they are being read. Every count in
// the scratch document covers only entries that were read, and a table grows
// only once a record for it has arrived (release looks at a table only when
// its count is not 0), so that abandoning a partial load releases exactly
// what exists.
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

    bool ReadParts(RecordReader &reader) {
        GrowingTable<PartEntry> table(scratch_.parts);
        for (uint16_t &read = scratch_.header.partCount; read < partCount_; ++read) {
            const RecordBytes *record = ReadRecord(reader, MVL_PART_RECORD_SIZE);
            if (record == nullptr || !table.Reserve(read, partCount_)) return false;
            DecodePart(record, scratch_.parts[read]);
        }
        return true;
    }

    // A motion's frameCount is its claim from here on; its frames stay null
    // until ReadFrames gets to it.
    bool ReadMotions(RecordReader &reader) {
        GrowingTable<MotionEntry> table(scratch_.motions);
        for (uint16_t &read = scratch_.header.motionCount; read < motionCount_; ++read) {
            const RecordBytes *record = ReadRecord(reader, MVL_MOTION_RECORD_SIZE);
            if (record == nullptr || !table.Reserve(read, motionCount_)) return false;
            MotionEntry &motion = scratch_.motions[read];
            DecodeMotion(record, motion);
            motion.frames = nullptr;
        }
        return true;
    }

    bool ReadFrames(RecordReader &reader) {
        const uint16_t motionCount = scratch_.header.motionCount;
        for (uint16_t m = 0; m < motionCount; ++m) {
            MotionEntry &motion = scratch_.motions[m];
            const uint16_t claim = motion.frameCount;
            motion.frameCount = 0;
            GrowingTable<FrameEntry> table(motion.frames);
            for (; motion.frameCount < claim; ++motion.frameCount) {
                const RecordBytes *record = ReadRecord(reader, MVL_FRAME_RECORD_SIZE);
                if (record == nullptr || !table.Reserve(motion.frameCount, claim)) return false;
                FrameEntry &frame = motion.frames[motion.frameCount];
                DecodeFrame(record, frame);
                frame.positions = nullptr;
            }
        }
        return true;
    }

    bool ReadPositions(RecordReader &reader) {
        const uint16_t motionCount = scratch_.header.motionCount;
        for (uint16_t m = 0; m < motionCount; ++m) {
            MotionEntry &motion = scratch_.motions[m];
            for (uint16_t f = 0; f < motion.frameCount; ++f) {
                FrameEntry &frame = motion.frames[f];
                const uint16_t claim = frame.positionCount;
                frame.positionCount = 0;
                GrowingTable<PositionEntry> table(frame.positions);
                for (; frame.positionCount < claim; ++frame.positionCount) {
                    const RecordBytes *record = ReadRecord(reader, MVL_POSITION_RECORD_SIZE);
                    if (record == nullptr || !table.Reserve(frame.positionCount, claim)) {
                        return false;
                    }
                    DecodePosition(record, frame.positions[frame.positionCount]);
                }
            }
        }
        return true;
    }

private:
    // Motions that ReadFrames did not reach still hold their claims with no
    // frames behind them: release must not walk those. (Frames that did not
    // get their positions hold a null array, which release frees harmlessly.)
    void Abandon() {
        for (uint16_t m = 0; m < scratch_.header.motionCount; ++m) {
            MotionEntry &motion = scratch_.motions[m];
            if (motion.frames == nullptr) motion.frameCount = 0;
        }
        ReleaseDocument(scratch_);
    }

    MotionDocument &scratch_;
    // The header's claims; the scratch header counts what was read.
    const uint16_t partCount_;
    const uint16_t motionCount_;
    bool committed_ = false;
};

}  // namespace

int LoadDocument(MotionDocument *destination, RecordReader &reader, const char *userCode) {
    MotionDocument scratch;
    InitDocument(scratch);
    scratch.parts = nullptr;
    scratch.motions = nullptr;

    const RecordBytes *headerBytes = ReadRecord(reader, MVL_HEADER_SIZE);
    if (headerBytes == nullptr) return MVL_LOAD_UNREADABLE;
    if (std::memcmp(headerBytes, kScrambleKey, 4) != 0) return MVL_LOAD_BAD_MAGIC;
    DecodeHeader(headerBytes, scratch.header);
    if (!UserCodeMatches(scratch.header, userCode)) return MVL_LOAD_BAD_USER_CODE;

    // Each group is read only once the groups before it were read, and each
    // table grows with its records, so what a short or hostile file can make
    // us allocate stays near its size.
    TablesUnderConstruction tables(scratch);
    if (!tables.ReadParts(reader) || !tables.ReadMotions(reader) || !tables.ReadFrames(reader) ||
        !tables.ReadPositions(reader)) {
        return MVL_LOAD_UNREADABLE;
    }
    tables.Commit();

    // The scratch tables are library-owned already: handing them over is the
    // same as copying them and deleting the scratch document, without the copy.
    ReleaseDocument(*destination);
    destination->header = scratch.header;
    destination->parts = scratch.parts;
    destination->motions = scratch.motions;
    return MVL_LOAD_OK;
}

int LoadMotionFile(MotionDocument &destination, const char *path, const char *userCode) {
    RecordReader reader(path);
    if (!reader.IsOpen()) return MVL_LOAD_UNREADABLE;
    return LoadDocument(&destination, reader, userCode);
}

}  // namespace morvel::formats::motion
