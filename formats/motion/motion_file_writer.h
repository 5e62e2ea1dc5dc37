// Writes a document as a motion file: header, parts, motions, every motion's
// frames, then every frame's positions, each record scrambled with the
// files' key. The previous file at the path survives any failure.
#pragma once

#include <string>

#include "mvllib/mvllib.h"

namespace morvel::formats::motion {

// Stores "1.00" into the document's version first (also when the write
// fails). True only when the whole file was written and has replaced what
// was at path.
bool WriteMotionFile(MotionDocument &document, const std::string &path);

}  // namespace morvel::formats::motion
