// The undo and redo commands over the editor's UndoRing.
#pragma once

#include <string>

#include "app/editor.h"

namespace morvel::app {

// description: the few words the history window shows for the state; the
// code that makes the step names it.
void ResetUndo(EditorState &state, const std::string &description = {});
void PushUndoSnapshot(EditorState &state, const std::string &description);

// Undo (40043) and redo (40044): the restored snapshot becomes the current
// document. When its part list differs from the one shown, the meshes are
// loaded again for the restored parts before anything is drawn; the
// restored header's culling, handedness and axis directions take effect at
// once. Ends with the view and a redraw, also when there was nothing to do.
void UndoCommand(Editor &editor);
void RedoCommand(Editor &editor);
// The history window's click: the state `step` of the ring's steps (oldest
// first) becomes current, as that many undos or redos would make it.
void JumpToUndoStep(Editor &editor, int step);

}  // namespace morvel::app
