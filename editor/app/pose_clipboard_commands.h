// The pose clipboard's commands: the selected frame's positions copied, and
// pasted over the selected frame's positions as they are or mirrored onto
// the other side of the figure. A paste is one undo step.
#pragma once

#include "app/editor.h"

namespace morvel::app {

void CopyPoseCommand(Editor &editor);
void PastePoseCommand(Editor &editor, bool mirrored);

}  // namespace morvel::app
