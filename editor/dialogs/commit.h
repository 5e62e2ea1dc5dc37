// "確定" of the edit dialogs: the working copy becomes the current document,
// the selection is kept inside the tables, one undo step is stored, and a
// new document is marked as edited.
#pragma once

#include <string>

#include "app/editor.h"

namespace morvel::dialogs {

// Which index the dialog's own check looks at before the general repair.
enum class SelectionCheck {
    Motion,    // selectedMotion beyond the motions: all three to 0
    Frame,     // selectedFrame beyond its motion's frames: all three to 0
    Position,  // selectedPosition beyond its frame's positions: all three to 0
};

// sceneReady 0; CopyDocument back into the current document; the check;
// then, whatever the check looked at, any index still outside its table
// sets all three to 0 (a drawn or edited position must exist);
// PushUndoSnapshot; sceneReady 1; filePath marked when it was empty.
// The caller ends the dialog.
// description names the undo step ("ダイアログ: フレーム").
void CommitWorkingCopy(app::Editor &editor, SelectionCheck check, const std::string &description);

// The parts dialog's "確定", once it has loaded the working copy's meshes
// and reported any that failed: sceneReady 0; CopyDocument back; the
// selection back to motion 0, frame 0, position 0 whatever it was (the
// positions it named may be gone or use other parts); PushUndoSnapshot;
// filePath marked when it was empty; sceneReady 1. The caller ends the
// dialog.
void CommitPartsWorkingCopy(app::Editor &editor);
// The undo step of each dialog's "確定".
std::string DialogStep(const char *dialog);

// The header dialog's "確定": sceneReady 0; CopyDocument back; the
// renderer takes the header's culling, handedness and axis directions at
// once; PushUndoSnapshot; sceneReady 1; filePath marked when it was empty.
// The tables did not change, so neither does the selection.
void CommitHeaderWorkingCopy(app::Editor &editor);

// True when selectedMotion, selectedFrame and selectedPosition each lie
// inside their table, or the table they would index is empty.
bool SelectionInRange(const document::EditorDocument &document);
// Sets all three to 0 unless SelectionInRange.
void KeepSelectionInRange(document::EditorDocument &document);

}  // namespace morvel::dialogs
