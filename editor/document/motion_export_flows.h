// The export and import buttons of the motion dialog: choose a file, write or
// read it, and tell the user what went wrong.
#pragma once

#include <cstdint>

#include "document/ui_ports.h"
#include "mvllib/mvllib.h"

namespace morvel::document {

// True when motion k was written to the chosen file (its extension forced to
// ".mvx"); false when the user cancelled or the write failed (then after a
// message).
bool ExportMotion(OwnerWindow owner, const MotionDocument &document, int32_t k,
                  FileChooser &chooser, MessageBoxPort &messages);

// True when a motion was appended from the chosen file.
bool ImportMotion(OwnerWindow owner, MotionDocument &document, FileChooser &chooser,
                  MessageBoxPort &messages);

}  // namespace morvel::document
