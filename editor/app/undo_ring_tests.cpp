#include "app/undo_ring.h"

#include <gtest/gtest.h>

#include "app/command_dispatch.h"
#include "app/command_ids.h"
#include "app/commands.h"
#include "app/fakes/editor_fixture.h"
#include "app/history.h"
#include "app/main_window_events.h"
#include "app/pose_editing.h"

namespace morvel::app {
namespace {

using document::testing::DocumentContents;
using document::testing::MakePosition;

DocumentContents TwoMotions() {
    return {{".\\a.x", ".\\b.x"},
            {{"walk", "", {{"f0", {MakePosition(0, 1), MakePosition(1, 2)}}, {"f1", {MakePosition(1, 3)}}}},
             {"wave", "", {{"g0", {MakePosition(0, 4)}}}}}};
}

class UndoTest : public fakes::EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        Show(TwoMotions());
    }
    double &TranslationX() {
        auto &d = editor.state.currentDocument;
        return d.document.motions[d.selectedMotion].frames[d.selectedFrame].positions[d.selectedPosition].translation.x;
    }
    // One key gesture in translate mode: press and release.
    void StepLeft() {
        KeyPressed(editor, kKeyLeft, false, false);
        KeyReleased(editor, kKeyLeft);
    }
};

TEST_F(UndoTest, RightAfterNewOrOpenThereIsNothingToUndoOrRedo) {
    const DocumentContents before = Current();
    RunCommand(editor, CMD_EDIT_UNDO);
    RunCommand(editor, CMD_EDIT_REDO);
    EXPECT_EQ(document::testing::EncodedBytes(editor.state.currentDocument.document),
              document::testing::EncodedBytes(document::testing::OwnedDocument(before).Get()));
    EXPECT_EQ(editor.state.scene.sceneReady, 1);
}

TEST_F(UndoTest, UndoBringsBackTheDocumentSelectionAndViewAndRedoTheEdit) {
    RunCommand(editor, CMD_SHIFT_FRAME_NEXT);  // a selection shift stores a snapshot too
    SetEditMode(editor, kModeTranslate);
    const double before = TranslationX();
    Header().cameraAzimuth = 40;
    StepLeft();
    const double after = TranslationX();
    ASSERT_NE(before, after);

    RunCommand(editor, CMD_EDIT_UNDO);
    EXPECT_EQ(TranslationX(), before);
    EXPECT_EQ(Header().cameraAzimuth, 0) << "the view comes back with the snapshot";
    RunCommand(editor, CMD_EDIT_UNDO);
    EXPECT_EQ(editor.state.currentDocument.selectedFrame, 0);
    RunCommand(editor, CMD_EDIT_REDO);
    RunCommand(editor, CMD_EDIT_REDO);
    EXPECT_EQ(editor.state.currentDocument.selectedFrame, 1);
    EXPECT_EQ(TranslationX(), after);
    EXPECT_EQ(Header().cameraAzimuth, 40);
}

TEST_F(UndoTest, SixtyEditsLeaveFortyNineUndoSteps) {
    SetEditMode(editor, kModeTranslate);
    Header().axisDirection = 0;
    for (int edit = 0; edit < 60; ++edit) StepLeft();
    EXPECT_EQ(TranslationX(), 1.0 + 10.0 + 60.0);
    for (int undo = 0; undo < 49; ++undo) RunCommand(editor, CMD_EDIT_UNDO);
    EXPECT_EQ(TranslationX(), 1.0 + 10.0 + 11.0);
    RunCommand(editor, CMD_EDIT_UNDO);
    EXPECT_EQ(TranslationX(), 1.0 + 10.0 + 11.0) << "the fiftieth undo does nothing";
}

TEST_F(UndoTest, ANewEditAfterUndoForgetsTheRedoSteps) {
    SetEditMode(editor, kModeTranslate);
    StepLeft();
    StepLeft();
    RunCommand(editor, CMD_EDIT_UNDO);
    RunCommand(editor, CMD_EDIT_UNDO);
    RunCommand(editor, CMD_SHIFT_POSITION_NEXT);
    const DocumentContents now = Current();
    RunCommand(editor, CMD_EDIT_REDO);
    EXPECT_EQ(editor.state.undo.RedoCount(), 0);
    EXPECT_EQ(editor.state.currentDocument.selectedPosition, 1);
}

TEST_F(UndoTest, RestoringAnotherPartListReloadsTheMeshesBeforeDrawing) {
    // A commit that dropped part b (as the parts dialog would).
    DocumentContents oneFewer = TwoMotions();
    oneFewer.parts.pop_back();
    for (auto &motion : oneFewer.motions)
        for (auto &frame : motion.frames) frame.positions = {MakePosition(0, 9)};
    document::testing::Fill(editor.state.currentDocument.document, oneFewer);
    document::LoadPartMeshes(editor.state.currentDocument, renderer);
    PushUndoSnapshot(editor.state, "edit");
    ASSERT_EQ(editor.state.currentDocument.partMeshes.size(), 1u);

    RunCommand(editor, CMD_EDIT_UNDO);
    ASSERT_EQ(editor.state.currentDocument.document.header.partCount, 2);
    ASSERT_EQ(editor.state.currentDocument.partMeshes.size(), 2u);
    EXPECT_NE(editor.state.currentDocument.partMeshes[1], nullptr);
    RunCommand(editor, CMD_EDIT_REDO);
    EXPECT_EQ(editor.state.currentDocument.partMeshes.size(), 1u);
}

TEST_F(UndoTest, RestoredViewSettingsTakeEffectAtOnce) {
    Header().cullingMode = 0;
    Header().rightHanded = 1;
    PushUndoSnapshot(editor.state, "edit");
    RunCommand(editor, CMD_EDIT_UNDO);
    EXPECT_EQ(renderer.StoredCullMode(), 2);
    EXPECT_EQ(renderer.StoredRightHanded(), 0);
    RunCommand(editor, CMD_EDIT_REDO);
    EXPECT_EQ(renderer.StoredCullMode(), 0);
    EXPECT_EQ(renderer.StoredRightHanded(), 1);
}

TEST(UndoRingTest, SnapshotsAreDeepCopiesWithoutMeshes) {
    UndoRing ring;
    document::EditorDocument doc;
    document::InitDocument(doc);
    document::testing::Fill(doc.document, TwoMotions());
    doc.selectedMotion = 1;
    ring.Reset(doc);
    EXPECT_EQ(ring.RingIndex(), 1);
    doc.document.motions[1].frames[0].positions[0].scale.x = 99;
    doc.selectedMotion = 0;
    EXPECT_EQ(ring.Slot(1).document.motions[1].frames[0].positions[0].scale.x, 4 + 1.0);
    EXPECT_TRUE(ring.Slot(1).partMeshes.empty());
    ring.Push(doc);
    ASSERT_TRUE(ring.Undo(doc));
    EXPECT_EQ(doc.selectedMotion, 1);
    EXPECT_EQ(doc.document.motions[1].frames[0].positions[0].scale.x, 5.0);
    document::ReleaseDocument(doc);
}

}  // namespace
}  // namespace morvel::app
