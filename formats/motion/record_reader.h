// Front-to-back reader of fixed-size records with a large buffer of its own,
// so a record costs a copy from memory rather than a stdio call.
#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>

namespace morvel::formats::motion {

class RecordReader {
public:
    static constexpr size_t kBufferSize = 256 * 1024;

    // Opens path (a Windows path, see base/windows_path.h) for binary reading; IsOpen() tells
    // whether that worked.
    explicit RecordReader(const char *path);
    // Reads the bytes of a file already in memory (they must outlive the
    // reader) exactly as the file itself would be read.
    RecordReader(const unsigned char *bytes, size_t size);
    ~RecordReader();
    RecordReader(const RecordReader &) = delete;
    RecordReader &operator=(const RecordReader &) = delete;

    bool IsOpen() const { return (file_ != nullptr || memory_ != nullptr) && buffer_ != nullptr; }

    // The next size bytes (at most kBufferSize), inside the reader's own
    // buffer and valid until the next call; nullptr when the file ends first.
    unsigned char *Take(size_t size);

private:
    bool Refill();
    size_t ReadSource(unsigned char *to, size_t capacity);

    std::FILE *file_ = nullptr;
    const unsigned char *memory_ = nullptr;
    size_t memoryLeft_ = 0;
    std::unique_ptr<unsigned char[]> buffer_;
    size_t position_ = 0;
    size_t end_ = 0;
};

}  // namespace morvel::formats::motion
