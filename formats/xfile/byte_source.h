// A stream of bytes the text tokenizer pulls from when a file is read in
// pieces rather than loaded whole.
#pragma once

#include <cstddef>

namespace morvel::formats::xfile {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Up to `capacity` bytes into `buffer`; 0 at the end (or on an error,
    // which the owner of the source reports).
    virtual size_t Read(char *buffer, size_t capacity) = 0;
};

}  // namespace morvel::formats::xfile
