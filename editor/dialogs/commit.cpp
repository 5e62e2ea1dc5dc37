#include "dialogs/commit.h"

#include "app/history.h"
#include "app/redraw.h"

namespace morvel::dialogs {

namespace {

void ResetSelection(document::EditorDocument &d) {
    d.selectedMotion = 0;
    d.selectedFrame = 0;
    d.selectedPosition = 0;
}

// The dialog's own check, as it stands: one index against its table.
bool CheckFails(const document::EditorDocument &d, SelectionCheck check) {
    const MotionDocument &doc = d.document;
    const int motions = doc.header.motionCount;
    if (check == SelectionCheck::Motion) return d.selectedMotion >= motions;
    if (d.selectedMotion < 0 || d.selectedMotion >= motions) return check == SelectionCheck::Frame;
    const MotionEntry &motion = doc.motions[d.selectedMotion];
    if (check == SelectionCheck::Frame) return d.selectedFrame >= motion.frameCount;
    if (d.selectedFrame < 0 || d.selectedFrame >= motion.frameCount) return false;
    return d.selectedPosition >= motion.frames[d.selectedFrame].positionCount;
}

}  // namespace

bool SelectionInRange(const document::EditorDocument &d) {
    const MotionDocument &doc = d.document;
    if (d.selectedMotion < 0 || d.selectedFrame < 0 || d.selectedPosition < 0) return false;
    if (doc.header.motionCount == 0) return true;
    if (d.selectedMotion >= doc.header.motionCount) return false;
    const MotionEntry &motion = doc.motions[d.selectedMotion];
    if (motion.frameCount == 0) return true;
    if (d.selectedFrame >= motion.frameCount) return false;
    const FrameEntry &frame = motion.frames[d.selectedFrame];
    return frame.positionCount == 0 || d.selectedPosition < frame.positionCount;
}

void KeepSelectionInRange(document::EditorDocument &d) {
    if (!SelectionInRange(d)) ResetSelection(d);
}

std::string DialogStep(const char *dialog) { return std::string("ダイアログ: ") + dialog; }

void CommitWorkingCopy(app::Editor &editor, SelectionCheck check, const std::string &description) {
    app::EditorState &state = editor.state;
    state.scene.sceneReady = 0;
    document::CopyDocument(state.currentDocument, state.workingDocument, editor.renderer);
    if (CheckFails(state.currentDocument, check)) ResetSelection(state.currentDocument);
    KeepSelectionInRange(state.currentDocument);
    app::PushUndoSnapshot(state, description);
    state.scene.sceneReady = 1;
    document::MarkEditedIfNew(state.filePath);
}

void CommitPartsWorkingCopy(app::Editor &editor) {
    app::EditorState &state = editor.state;
    state.scene.sceneReady = 0;
    document::CopyDocument(state.currentDocument, state.workingDocument, editor.renderer);
    ResetSelection(state.currentDocument);
    app::PushUndoSnapshot(state, DialogStep("パーツ"));
    document::MarkEditedIfNew(state.filePath);
    state.scene.sceneReady = 1;
}

void CommitHeaderWorkingCopy(app::Editor &editor) {
    app::EditorState &state = editor.state;
    state.scene.sceneReady = 0;
    document::CopyDocument(state.currentDocument, state.workingDocument, editor.renderer);
    app::ApplyHeaderViewSettings(editor);
    app::PushUndoSnapshot(state, DialogStep("ヘッダ"));
    state.scene.sceneReady = 1;
    document::MarkEditedIfNew(state.filePath);
}

}  // namespace morvel::dialogs
