// Writes a file so that a failure never destroys what was there before: the
// bytes go to a temporary file beside the target, which replaces the target
// only after every byte was written and flushed to disk.
#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>

namespace morvel::base {

class AtomicFileWriter {
public:
    static constexpr size_t kBufferSize = 1 << 20;

    // target is a path as the documents hold them (see file_access.h). The
    // temporary files that killed saves left in its folder go first (see
    // stale_temporaries.h).
    explicit AtomicFileWriter(const std::string &target);
    // Without a successful Commit the temporary file is removed.
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter &) = delete;
    AtomicFileWriter &operator=(const AtomicFileWriter &) = delete;

    bool IsOpen() const { return file_ != nullptr; }

    // Appends size bytes; false once any write has failed.
    bool Write(const void *bytes, size_t size);

    // Flushes, closes and puts the file in the target's place; false (and
    // the target untouched) when any step fails.
    bool Commit();

private:
    bool FlushBuffer();
    void Discard();

    std::string target_;
    std::string temporary_;
    std::FILE *file_ = nullptr;
    std::unique_ptr<unsigned char[]> buffer_;
    size_t used_ = 0;
    bool failed_ = false;
};

}  // namespace morvel::base
