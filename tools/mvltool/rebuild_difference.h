// What a dump cannot carry: build writes "1.00" as the version and zero into
// the padding and reference bytes, and nothing after the last record. A file
// that holds anything else there does not come back byte for byte.
#pragma once

#include <cstdint>
#include <string>

#include "mvllib/mvllib.h"

namespace mvltool {

// The number of bytes in which the motion file at path (which loaded as
// document) differs from the file build writes from document's dump,
// counting bytes after the last record as different.
uint64_t BytesBuildWouldChange(const MotionDocument &document, const std::string &path);

}  // namespace mvltool
