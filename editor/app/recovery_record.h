// The record a recovery copy carries: whose document it is, when it was
// written and by which process. It follows the motion file's last record,
// where the loader never reads, so the copy stays one file that a single
// atomic replace puts in place: a kill can never pair a new copy with an
// old record.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace morvel::app {

// Local time of the writing machine, as the user reads a clock.
struct RecoveryTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;

    bool operator<(const RecoveryTime &other) const;
};

// A process as the system knows it for as long as it runs: its id, which
// the system hands to a later process once it has ended, and its start.
struct ProcessIdentity {
    unsigned long id = 0;
    uint64_t started = 0;
    bool operator==(const ProcessIdentity &other) const {
        return id == other.id && started == other.started;
    }
};

struct RecoveryRecord {
    ProcessIdentity process;
    RecoveryTime savedAt;
    // The editor's filePath as it was: "" for an untouched new document,
    // "\x01" for an edited one never saved, else the document's own file.
    std::string documentPath;
    // The current folder then: parts named ".\body.x" load from there.
    std::string folder;
    // The document's version field in memory (the writer stores "1.00" in
    // the file), so a restored document asks the version question on saving
    // exactly as the original would have.
    std::array<char, 4> version{};
};

// The record's text, then its length as four little-endian bytes and the
// tag "MVRC": the bytes that go after the motion file's records.
std::string EncodeRecordTrailer(const RecoveryRecord &record);

// Reads the record from tail, the last bytes of a recovery copy (at most
// kMaxRecordTrailer of them). False for anything that is not exactly a
// record this program wrote.
bool DecodeRecordTrailer(std::string_view tail, RecoveryRecord &record);

// The longest trailer a reader needs to look at.
constexpr size_t kMaxRecordTrailer = 8192;

}  // namespace morvel::app
