// The selection shift commands: previous and next motion, frame and
// position, each with wrap-around.
#pragma once

#include "app/editor.h"

namespace morvel::app {

// Does nothing unless the counts the command needs are above 0; otherwise
// moves the index, stores an undo snapshot and redraws.
void ShiftSelectionCommand(Editor &editor, int command);

}  // namespace morvel::app
