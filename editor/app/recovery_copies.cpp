#include "app/recovery_copies.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "base/atomic_file_writer.h"
#include "base/file_access.h"
#include "base/file_platform.h"
#include "formats/motion/motion_file_records.h"
#include "formats/motion/scrambled_record_writer.h"

namespace morvel::app {

namespace {

constexpr const char *kPrefix = "morvel-";
constexpr const char *kSuffix = ".mvl";

}  // namespace

std::string RecoveryCopyName(const ProcessIdentity &writer) {
    return kPrefix + std::to_string(writer.id) + "-" + std::to_string(writer.started) + kSuffix;
}

namespace {

// A decimal number as std::to_string writes it: no sign, no leading zero.
bool Decimal(const std::string &digits, size_t maxDigits, uint64_t &value) {
    if (digits.empty() || digits.size() > maxDigits || (digits[0] == '0' && digits.size() > 1))
        return false;
    value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return false;
        const uint64_t next = value * 10 + static_cast<unsigned>(c - '0');
        if (next / 10 != value) return false;
        value = next;
    }
    return true;
}

}  // namespace

bool IsRecoveryCopyName(const std::string &fileName, ProcessIdentity &writer) {
    const size_t prefix = std::strlen(kPrefix);
    const size_t suffix = std::strlen(kSuffix);
    if (fileName.size() <= prefix + suffix || fileName.compare(0, prefix, kPrefix) != 0 ||
        fileName.compare(fileName.size() - suffix, suffix, kSuffix) != 0) {
        return false;
    }
    const std::string middle = fileName.substr(prefix, fileName.size() - prefix - suffix);
    const size_t dash = middle.find('-');
    uint64_t id = 0;
    uint64_t started = 0;
    if (dash == std::string::npos || !Decimal(middle.substr(0, dash), 10, id) ||
        id > 0xFFFFFFFFull || !Decimal(middle.substr(dash + 1), 20, started)) {
        return false;
    }
    writer = {static_cast<unsigned long>(id), started};
    return true;
}

bool WriteRecoveryCopy(MotionDocument &document, const RecoveryRecord &record,
                       const std::string &path) {
    std::memcpy(document.header.version, "1.00", 4);
    const std::string trailer = EncodeRecordTrailer(record);
    base::AtomicFileWriter file(path);
    if (!file.IsOpen()) return false;
    formats::motion::ScrambledRecordWriter out(file);
    return formats::motion::PutMotionFileRecords(document, out) &&
           file.Write(trailer.data(), trailer.size()) && file.Commit();
}

bool ReadRecoveryRecord(const std::string &path, RecoveryRecord &record) {
    std::FILE *file = base::OpenFileAsOnWindows(path, "rb");
    if (file == nullptr) return false;
    constexpr long kTail = static_cast<long>(kMaxRecordTrailer + 8);
    // A file shorter than the longest trailer is read whole.
    if (std::fseek(file, -kTail, SEEK_END) != 0) std::rewind(file);
    std::string tail(static_cast<size_t>(kTail), '\0');
    tail.resize(std::fread(tail.data(), 1, tail.size(), file));
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    return !failed && DecodeRecordTrailer(tail, record);
}

std::vector<RecoveryCandidate> EndedCopies(const std::string &folder, RecoveryPlatform &platform) {
    std::vector<RecoveryCandidate> found;
    if (folder.empty()) return found;
    const ProcessIdentity self = platform.ThisProcess();
    for (const std::string &name : base::platform::FilesIn(folder)) {
        ProcessIdentity writer;
        if (!IsRecoveryCopyName(name, writer)) continue;
        if (writer == self || platform.ProcessRuns(writer)) continue;
        RecoveryCandidate candidate{folder + name, {}};
        if (!ReadRecoveryRecord(candidate.path, candidate.record)) continue;
        if (!(candidate.record.process == writer)) continue;
        found.push_back(std::move(candidate));
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const RecoveryCandidate &a, const RecoveryCandidate &b) {
                         return b.record.savedAt < a.record.savedAt;
                     });
    return found;
}

bool RemoveRecoveryCopy(const std::string &path) {
    return base::platform::RemoveFile(path) || !base::FileExists(path);
}

}  // namespace morvel::app
