// The motion-file loader behind Mvl_Func_Load, over any record reader: the
// library reads a file, the fuzz targets read the same bytes from memory.
#pragma once

#include "formats/motion/record_reader.h"
#include "mvllib/mvllib.h"

namespace morvel::formats::motion {

// Mvl_Func_Load's status codes and guarantees, for an open reader: on
// success destination's tables are replaced, on failure it is untouched.
int LoadDocument(MotionDocument *destination, RecordReader &reader, const char *userCode);

// The same for the file at path (a Windows path).
int LoadMotionFile(MotionDocument &destination, const char *path, const char *userCode);

}  // namespace morvel::formats::motion
