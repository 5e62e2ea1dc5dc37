#include "base/atomic_file_writer.h"

#include <cstring>
#include <new>

#include "base/file_access.h"
#include "base/file_platform.h"
#include "base/stale_temporaries.h"
#include "base/windows_path.h"

namespace morvel::base {

AtomicFileWriter::AtomicFileWriter(const std::string &target)
    : target_(HostPath(target)), buffer_(new (std::nothrow) unsigned char[kBufferSize]) {
    if (buffer_ == nullptr) return;
    // Before writing: leftovers of killed saves may be what fills the disk.
    RemoveStaleTemporaryFiles(target_.substr(0, FileNameStart(target_)));
    file_ = platform::CreateTemporaryFileBeside(target_, temporary_);
    // Records are gathered in our own buffer; stdio needs none.
    if (file_ != nullptr) std::setvbuf(file_, nullptr, _IONBF, 0);
}

AtomicFileWriter::~AtomicFileWriter() { Discard(); }

void AtomicFileWriter::Discard() {
    if (file_ == nullptr) return;
    std::fclose(file_);
    file_ = nullptr;
    platform::RemoveFile(temporary_);
}

bool AtomicFileWriter::FlushBuffer() {
    if (used_ != 0 && std::fwrite(buffer_.get(), 1, used_, file_) != used_) failed_ = true;
    used_ = 0;
    return !failed_;
}

bool AtomicFileWriter::Write(const void *bytes, size_t size) {
    if (file_ == nullptr || failed_) return false;
    const auto *from = static_cast<const unsigned char *>(bytes);
    while (size > 0) {
        if (used_ == kBufferSize && !FlushBuffer()) return false;
        const size_t chunk = size < kBufferSize - used_ ? size : kBufferSize - used_;
        std::memcpy(buffer_.get() + used_, from, chunk);
        used_ += chunk;
        from += chunk;
        size -= chunk;
    }
    return true;
}

bool AtomicFileWriter::Commit() {
    if (file_ == nullptr || failed_) return false;
    if (!FlushBuffer() || !platform::FlushToDisk(file_)) {
        Discard();
        return false;
    }
    std::FILE *file = file_;
    file_ = nullptr;
    if (std::fclose(file) != 0 || !platform::ReplaceTarget(temporary_, target_)) {
        platform::RemoveFile(temporary_);
        return false;
    }
    return true;
}

}  // namespace morvel::base
