// The loader behind Mvl_Func_Load, over any record reader: the export reads
// a file, the fuzz targets read the same bytes from memory.
#pragma once

#include "mvllib/mvllib.h"
#include "record_reader.h"

namespace mvl {

// Mvl_Func_Load's status codes and guarantees, for an open reader.
int LoadDocument(MotionDocument *destination, RecordReader &reader, const char *userCode);

}  // namespace mvl
