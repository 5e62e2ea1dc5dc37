// The undo and redo commands over the editor's UndoRing.
#pragma once

#include "app/editor.h"

namespace morvel::app {

void ResetUndo(EditorState &state);
void PushUndoSnapshot(EditorState &state);

// Undo (40043) and redo (40044): the restored snapshot becomes the current
// document. When its part list differs from the one shown, the meshes are
// loaded again for the restored parts before anything is drawn; the
// restored header's culling, handedness and axis directions take effect at
// once. Ends with the view and a redraw, also when there was nothing to do.
void UndoCommand(Editor &editor);
void RedoCommand(Editor &editor);

}  // namespace morvel::app
