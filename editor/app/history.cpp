#include "app/history.h"

#include <string>
#include <vector>

#include "app/autosave.h"
#include "app/redraw.h"
#include "base/field_text.h"

namespace morvel::app {

namespace {

using PartList = std::vector<std::string>;

PartList PartListOf(const MotionDocument &document) {
    PartList names;
    for (uint16_t p = 0; p < document.header.partCount; ++p) {
        names.push_back(
            base::FieldText(document.parts[p].fileName, sizeof document.parts[p].fileName));
    }
    return names;
}

// One step back or forward, with the meshes and view settings following the
// restored document.
template <typename Step>
void RestoreStep(Editor &editor, Step step) {
    EditorState &state = editor.state;
    state.scene.sceneReady = 0;
    // The part list shown now, to tell whether the restored one differs.
    const PartList shown = PartListOf(state.currentDocument.document);
    if (step(state.undo, state.currentDocument)) {
        NoteDocumentChanged(state);
        if (PartListOf(state.currentDocument.document) != shown) {
            document::LoadPartMeshes(state.currentDocument, editor.renderer);
        }
        ApplyHeaderViewSettings(editor);
    }
    state.scene.sceneReady = 1;
    ViewAndRedraw(editor);
}

}  // namespace

void ResetUndo(EditorState &state, const std::string &description) {
    state.undo.Reset(state.currentDocument, description);
}

void PushUndoSnapshot(EditorState &state, const std::string &description) {
    NoteDocumentChanged(state);
    state.undo.Push(state.currentDocument, description);
}

void UndoCommand(Editor &editor) {
    RestoreStep(editor, [](UndoRing &ring, document::EditorDocument &doc) { return ring.Undo(doc); });
}

void RedoCommand(Editor &editor) {
    RestoreStep(editor, [](UndoRing &ring, document::EditorDocument &doc) { return ring.Redo(doc); });
}

void JumpToUndoStep(Editor &editor, int step) {
    RestoreStep(editor,
                [step](UndoRing &ring, document::EditorDocument &doc) { return ring.JumpTo(step, doc); });
}

}  // namespace morvel::app
