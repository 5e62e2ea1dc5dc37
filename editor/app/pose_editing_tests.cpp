#include "app/pose_editing.h"

#include <cmath>

#include <gtest/gtest.h>

#include "app/command_dispatch.h"
#include "app/command_ids.h"
#include "app/fakes/editor_fixture.h"
#include "app/commands.h"
#include "app/main_window_events.h"

namespace morvel::app {
namespace {

using document::testing::DocumentContents;
using document::testing::operator==;

PositionEntry Origin() {
    PositionEntry p{};
    p.scale = {1.0, 1.0, 1.0};
    return p;
}

// One part, one motion with one frame holding one position at the origin.
DocumentContents OnePosition() { return {{".\\body.x"}, {{"walk", "", {{"f0", {Origin()}}}}}}; }

class PoseEditingTest : public fakes::EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        Show(OnePosition());
    }
    PositionEntry &Position() { return editor.state.currentDocument.document.motions[0].frames[0].positions[0]; }
    void Mode(int mode) { SetEditMode(editor, mode); }
    void Drag(MouseButtons buttons, int32_t fromX, int32_t fromY, int32_t toX, int32_t toY) {
        LeftButtonDown(editor, fromX, fromY);
        MouseMove(editor, buttons, toX, toY);
    }
    static constexpr MouseButtons kLeft{true, false};
    static constexpr MouseButtons kRight{false, true};
    static constexpr MouseButtons kBoth{true, true};
};

TEST_F(PoseEditingTest, ArrowKeysStepTheSelectedPositionWithShiftForFive) {
    Header().axisDirection = 0;
    Mode(kModeTranslate);
    KeyPressed(editor, kKeyLeft, false, false);
    KeyPressed(editor, kKeyUp, true, false);
    KeyPressed(editor, kKeyHome, false, false);
    EXPECT_EQ(Position().translation.x, 1.0);
    EXPECT_EQ(Position().translation.y, -5.0);
    EXPECT_EQ(Position().translation.z, 1.0);
    EXPECT_EQ(editor.state.snapshotPending, 1);
    EXPECT_EQ(shell.statusTexts[0], "Position-X[1.000000] [←,→]");

    Mode(kModeRotate);
    KeyPressed(editor, kKeyDown, false, false);
    KeyPressed(editor, kKeyRight, true, false);
    KeyPressed(editor, kKeyEnd, false, false);
    EXPECT_EQ(Position().rotation.x, 1);
    EXPECT_EQ(Position().rotation.y, -5);
    EXPECT_EQ(Position().rotation.z, 1);

    Mode(kModeScale);
    KeyPressed(editor, kKeyUp, false, false);
    KeyPressed(editor, kKeyRight, false, false);
    KeyPressed(editor, kKeyEnd, true, false);
    EXPECT_EQ(Position().scale.y, 2.0);
    EXPECT_EQ(Position().scale.x, 0.0);
    EXPECT_EQ(Position().scale.z, -4.0);
}

TEST_F(PoseEditingTest, AxisDirectionBitsReverseOnlyTranslationSteps) {
    Header().axisDirection = 7;  // a new document's value
    Mode(kModeTranslate);
    KeyPressed(editor, kKeyLeft, false, false);
    KeyPressed(editor, kKeyUp, false, false);
    KeyPressed(editor, kKeyHome, false, false);
    EXPECT_EQ(Position().translation.x, -1.0);
    EXPECT_EQ(Position().translation.y, 1.0);
    EXPECT_EQ(Position().translation.z, -1.0);
    Mode(kModeRotate);
    KeyPressed(editor, kKeyLeft, false, false);
    EXPECT_EQ(Position().rotation.y, 1);
}

TEST_F(PoseEditingTest, ViewKeysWrapTheAnglesAndStopTheDistanceAtItsBounds) {
    Header().cameraElevation = 0;
    Header().cameraAzimuth = 358;
    KeyPressed(editor, kKeyUp, false, false);
    KeyPressed(editor, kKeyRight, true, false);
    EXPECT_EQ(Header().cameraElevation, 359);
    EXPECT_EQ(Header().cameraAzimuth, 3);
    EXPECT_EQ(shell.statusTexts[1], "View-Rotation-Y[3] [←,→]");

    Header().cameraDistance = 2;
    KeyPressed(editor, kKeyHome, true, false);
    EXPECT_EQ(Header().cameraDistance, -3) << "the bound is tested before the step";
    KeyPressed(editor, kKeyHome, false, false);
    EXPECT_EQ(Header().cameraDistance, -3);
    Header().cameraDistance = 99999;
    KeyPressed(editor, kKeyEnd, true, false);
    KeyPressed(editor, kKeyEnd, true, false);
    EXPECT_EQ(Header().cameraDistance, 100004);
    // The camera follows at once.
    EXPECT_FLOAT_EQ(renderer.Eye().y, std::sin(359.0f * 0.017453292f) * 100004.0f);
}

TEST_F(PoseEditingTest, PositionEditsNeedAPositionAndOtherwiseChangeNothing) {
    Mode(kModeTranslate);
    editor.state.currentDocument.selectedPosition = 1;  // past the frame's only position
    const DocumentContents before = Current();
    device->ClearCalls();
    KeyPressed(editor, kKeyLeft, false, false);
    editor.state.lastMouseX = 7;
    MouseMove(editor, kLeft, 30, 30);
    EXPECT_TRUE(Current().motions[0].frames[0].positions[0] == before.motions[0].frames[0].positions[0]);
    EXPECT_EQ(editor.state.lastMouseX, 7) << "not even the last mouse position moves";
    EXPECT_EQ(device->Count("Present"), 0u);
}

TEST_F(PoseEditingTest, DragStepsAreOneBelowFivePixelsAndFiveFromFiveOn) {
    Header().axisDirection = 0;
    Mode(kModeTranslate);
    Drag(kLeft, 100, 100, 104, 100);
    EXPECT_EQ(Position().translation.x, -1.0);
    MouseMove(editor, kLeft, 109, 100);
    EXPECT_EQ(Position().translation.x, -6.0);
    Header().axisDirection = 1;
    MouseMove(editor, kLeft, 120, 100);
    EXPECT_EQ(Position().translation.x, -1.0) << "the X bit reverses the step";
    EXPECT_EQ(Position().translation.y, 0.0);
}

TEST_F(PoseEditingTest, BothButtonsRunEachComponentOnce) {
    Mode(kModeRotate);
    Drag(kBoth, 50, 50, 53, 60);
    EXPECT_EQ(Position().rotation.y, -1);
    EXPECT_EQ(Position().rotation.x, -5);
    EXPECT_EQ(Position().rotation.z, -1);
}

TEST_F(PoseEditingTest, MouseModesLimitTheComponents) {
    Mode(kModeScale);
    RunCommand(editor, CMD_MOUSE_HORIZONTAL);
    Drag(kBoth, 0, 0, 0, 10);
    EXPECT_EQ(Position().scale.y, 1.0) << "vertical motion changes nothing";
    RunCommand(editor, CMD_MOUSE_VERTICAL);
    MouseMove(editor, kBoth, 10, 10);
    EXPECT_EQ(Position().scale.x, 1.0);
    EXPECT_EQ(Position().scale.z, 1.0);
    MouseMove(editor, kBoth, 10, 14);
    EXPECT_EQ(Position().scale.y, 0.0);
    EXPECT_EQ(shell.radioMarks[RadioGroup::MouseMode], 2);
}

TEST_F(PoseEditingTest, ViewDragsClampWhereKeysWrap) {
    Header().cameraElevation = 88;
    Header().cameraDistance = 3;
    Drag(kRight, 0, 0, 10, 10);
    EXPECT_EQ(Header().cameraElevation, 90);
    EXPECT_EQ(Header().cameraDistance, 1);
    MouseMove(editor, kRight, -10, 10);
    EXPECT_EQ(Header().cameraDistance, 6);
    Header().cameraDistance = 99998;
    MouseMove(editor, kRight, -20, 10);
    EXPECT_EQ(Header().cameraDistance, 100000);
    Header().cameraAzimuth = 2;
    MouseMove(editor, kLeft, -30, 10);
    EXPECT_EQ(Header().cameraAzimuth, 357);
}

TEST_F(PoseEditingTest, AMoveWithoutButtonsOnlyMovesTheReferencePoint) {
    Mode(kModeTranslate);
    MouseMove(editor, MouseButtons{}, 40, -3);
    EXPECT_EQ(editor.state.lastMouseX, 40);
    EXPECT_EQ(editor.state.lastMouseY, -3);
    EXPECT_EQ(editor.state.snapshotPending, 0);
}

TEST_F(PoseEditingTest, NegativeCoordinatesPastTheWindowEdgeContinueTheDrag) {
    Header().axisDirection = 0;
    Mode(kModeTranslate);
    Drag(kLeft, 2, 10, -1, 10);
    MouseMove(editor, kLeft, -8, 10);
    EXPECT_EQ(Position().translation.x, 6.0);
}

TEST_F(PoseEditingTest, RotationsWrapAsSigned16BitValues) {
    Position().rotation.x = 32767;
    Position().rotation.z = -32768;
    Mode(kModeRotate);
    KeyPressed(editor, kKeyDown, false, false);
    KeyPressed(editor, kKeyHome, true, false);
    EXPECT_EQ(Position().rotation.x, -32768);
    EXPECT_EQ(Position().rotation.z, 32763);
}

TEST_F(PoseEditingTest, OneGestureLeavesOneUndoStep) {
    Mode(kModeTranslate);
    Drag(kLeft, 0, 0, 10, 0);
    MouseMove(editor, kLeft, 20, 0);
    EXPECT_TRUE(shell.captured);
    LeftButtonUp(editor);
    EXPECT_FALSE(shell.captured);
    EXPECT_EQ(editor.state.undo.UndoCount(), 1);
    LeftButtonDown(editor, 0, 0);
    LeftButtonUp(editor);
    EXPECT_EQ(editor.state.undo.UndoCount(), 1) << "a click without a change stores nothing";

    // Key repeats: one snapshot at release, also in view mode.
    for (int repeat = 0; repeat < 5; ++repeat) KeyPressed(editor, kKeyLeft, false, false);
    KeyReleased(editor, kKeyLeft);
    EXPECT_EQ(editor.state.undo.UndoCount(), 2);
    KeyReleased(editor, kKeyF);
    EXPECT_EQ(editor.state.undo.UndoCount(), 2);
    Mode(kModeView);
    KeyPressed(editor, kKeyRight, false, false);
    KeyReleased(editor, kKeyRight);
    EXPECT_EQ(editor.state.undo.UndoCount(), 3);
}

TEST_F(PoseEditingTest, ModeCommandsNeedAPositionExceptViewMode) {
    RunCommand(editor, CMD_MODE_ROTATE);
    EXPECT_EQ(editor.state.editMode, kModeRotate);
    EXPECT_EQ(shell.radioMarks[RadioGroup::EditMode], 2);
    Show({{".\\body.x"}, {{"walk", "", {{"empty", {}}}}}});
    RunCommand(editor, CMD_MODE_SCALE);
    RunCommand(editor, CMD_MODE_TRANSLATE);
    EXPECT_EQ(editor.state.editMode, kModeRotate);
    RunCommand(editor, CMD_MODE_VIEW);
    EXPECT_EQ(editor.state.editMode, kModeView);
    EXPECT_EQ(shell.radioMarks[RadioGroup::EditMode], 0);
}

}  // namespace
}  // namespace morvel::app
