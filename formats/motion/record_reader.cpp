#include "formats/motion/record_reader.h"

#include <cstring>
#include <new>

#include "base/file_access.h"

namespace morvel::formats::motion {

RecordReader::RecordReader(const char *path)
    : buffer_(new (std::nothrow) unsigned char[kBufferSize]) {
    if (buffer_ == nullptr) return;
    file_ = base::OpenFileAsOnWindows(path, "rb");
    // The records are copied out of our own buffer; stdio needs none.
    if (file_ != nullptr) std::setvbuf(file_, nullptr, _IONBF, 0);
}

// An empty file still counts as open, as an empty file on disk does.
RecordReader::RecordReader(const unsigned char *bytes, size_t size)
    : memory_(bytes != nullptr ? bytes : reinterpret_cast<const unsigned char *>("")),
      memoryLeft_(bytes != nullptr ? size : 0),
      buffer_(new (std::nothrow) unsigned char[kBufferSize]) {}

RecordReader::~RecordReader() {
    if (file_ != nullptr) std::fclose(file_);
}

size_t RecordReader::ReadSource(unsigned char *to, size_t capacity) {
    if (file_ != nullptr) return std::fread(to, 1, capacity, file_);
    const size_t got = capacity < memoryLeft_ ? capacity : memoryLeft_;
    std::memcpy(to, memory_, got);
    memory_ += got;
    memoryLeft_ -= got;
    return got;
}

bool RecordReader::Refill() {
    const size_t kept = end_ - position_;
    std::memmove(buffer_.get(), buffer_.get() + position_, kept);
    position_ = 0;
    end_ = kept;
    while (end_ < kBufferSize) {
        const size_t got = ReadSource(buffer_.get() + end_, kBufferSize - end_);
        if (got == 0) break;
        end_ += got;
    }
    return end_ > kept;
}

unsigned char *RecordReader::Take(size_t size) {
    while (end_ - position_ < size) {
        if (!Refill()) return nullptr;
    }
    unsigned char *record = buffer_.get() + position_;
    position_ += size;
    return record;
}

}  // namespace morvel::formats::motion
