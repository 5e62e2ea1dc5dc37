#include <gtest/gtest.h>

#include "app/command_dispatch.h"
#include "app/command_ids.h"
#include "app/commands.h"
#include "app/fakes/editor_fixture.h"
#include "app/fakes/fake_dialog_view.h"
#include "app/interpolation.h"
#include "app/main_window_events.h"
#include "app/playback.h"
#include "app/pose_editing.h"
#include "app/redraw.h"
#include "render/d3d_constants.h"

namespace morvel::app {
namespace {

using document::testing::DocumentContents;
using document::testing::MakePosition;

TEST(PoseAtTest, WithoutLoopPlaybackStopsOnTheLastFrame) {
    PlaybackSettings settings;  // 10 frames per second, interpolated
    PlaybackPose pose = PoseAt(settings, 1, 4, 140);
    EXPECT_EQ(pose.frame, 2);
    EXPECT_EQ(pose.next, 3);
    EXPECT_NEAR(pose.blend, 0.4, 1e-9);
    EXPECT_FALSE(pose.finished);
    pose = PoseAt(settings, 1, 4, 200);
    EXPECT_EQ(pose.frame, 3);
    EXPECT_EQ(pose.blend, 0.0);
    EXPECT_TRUE(pose.finished);
    EXPECT_TRUE(PoseAt(settings, 0, 1, 0).finished) << "one frame is over at once";
}

TEST(PoseAtTest, WithLoopItWrapsThroughTheFirstFrame) {
    PlaybackSettings settings;
    settings.loop = true;
    settings.framesPerSecond = 20;
    const PlaybackPose pose = PoseAt(settings, 2, 3, 75);  // 2 + 1.5 frames: between 0 and 1
    EXPECT_EQ(pose.frame, 0);
    EXPECT_EQ(pose.next, 1);
    EXPECT_NEAR(pose.blend, 0.5, 1e-9);
    const PlaybackPose last = PoseAt(settings, 2, 3, 20);  // between the last frame and the first
    EXPECT_EQ(last.frame, 2);
    EXPECT_EQ(last.next, 0);
    EXPECT_FALSE(last.finished);
    settings.interpolate = false;
    EXPECT_EQ(PoseAt(settings, 2, 3, 75).blend, 0.0);
}

TEST(InterpolationTest, RotationsTakeTheShorterWayRound) {
    EXPECT_EQ(InterpolateDegrees(10, 350, 0.5), 0);
    EXPECT_EQ((InterpolateDegrees(350, 10, 0.5) + 360) % 360, 0);
    EXPECT_EQ(InterpolateDegrees(-170, 170, 0.25), -175);
    EXPECT_EQ(InterpolateDegrees(0, 90, 0.5), 45);
    EXPECT_EQ(InterpolateDegrees(30, 30, 0.7), 30);
    EXPECT_EQ(InterpolateDegrees(32767, 32767, 0.0), 32767);
}

TEST(InterpolationTest, PositionsPairByIndexAndTheRestStand) {
    const PositionEntry a0 = MakePosition(0, 0), a1 = MakePosition(1, 10), b0 = MakePosition(1, 4);
    FrameEntry from{};
    const PositionEntry fromPositions[] = {a0, a1};
    from.positionCount = 2;
    from.positions = const_cast<PositionEntry *>(fromPositions);
    FrameEntry to{};
    to.positionCount = 1;
    to.positions = const_cast<PositionEntry *>(&b0);
    const std::vector<PositionEntry> mid = InterpolateFrame(from, to, 0.25);
    ASSERT_EQ(mid.size(), 2u);
    EXPECT_EQ(mid[0].partNumber, 0) << "the part is frame k's";
    EXPECT_DOUBLE_EQ(mid[0].translation.x, a0.translation.x + 0.25 * (b0.translation.x - a0.translation.x));
    EXPECT_DOUBLE_EQ(mid[0].scale.z, a0.scale.z + 0.25 * (b0.scale.z - a0.scale.z));
    EXPECT_DOUBLE_EQ(mid[0].diffuse.a, a0.diffuse.a + 0.25 * (b0.diffuse.a - a0.diffuse.a));
    EXPECT_EQ(mid[0].rotation.x, 1);
    EXPECT_TRUE(document::testing::operator==(mid[1], a1));
    EXPECT_TRUE(document::testing::operator==(InterpolateFrame(from, to, 0.0)[0], a0));
}

DocumentContents Walk() {
    return {{".\\a.x", ".\\b.x"},
            {{"walk", "", {{"f0", {MakePosition(0, 0)}}, {"f1", {MakePosition(0, 10)}}, {"f2", {MakePosition(0, 20)}}}}}};
}

class PlaybackTest : public fakes::EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        Show(Walk());
        editor.state.filePath[0] = 'C';
        before = document::testing::EncodedBytes(editor.state.currentDocument.document);
    }
    void Tick(uint64_t ms) {
        clock.Advance(ms);
        TimerFired(editor, kPlaybackTimerId);
    }
    std::vector<uint8_t> before;
};

TEST_F(PlaybackTest, PlayingShowsFramesAndBlendButChangesNothing) {
    RunCommand(editor, CMD_SHIFT_FRAME_NEXT);  // from frame 1
    const int undoSteps = editor.state.undo.UndoCount();
    KeyPressed(editor, kKeySpace, false, false);
    Pump();
    EXPECT_TRUE(editor.state.playback.playing);
    EXPECT_EQ(shell.timers.back(), (std::pair<int, int>{kPlaybackTimerId, kPlaybackTimerMilliseconds}));
    Tick(50);
    EXPECT_EQ(shell.statusTexts[0], "再生: Motion-[0] Frame-[1]");
    EXPECT_EQ(shell.statusTexts[1], "Frame-[1]→[2] 0.50");
    // The redraw timer keeps to the played pose.
    TimerFired(editor, kRedrawTimerId);
    TimerFired(editor, kRedrawTimerId);
    TimerFired(editor, kRedrawTimerId);
    TimerFired(editor, kRedrawTimerId);
    EXPECT_EQ(shell.statusTexts[1], "Frame-[1]→[2] 0.50");

    Tick(100);  // past the last frame: held there, the timer stopped
    EXPECT_FALSE(editor.state.playback.playing);
    EXPECT_EQ(shell.stoppedTimers, std::vector<int>{kPlaybackTimerId});
    EXPECT_EQ(shell.statusTexts[0], "再生: Motion-[0] Frame-[2]");

    EXPECT_EQ(document::testing::EncodedBytes(editor.state.currentDocument.document), before);
    EXPECT_EQ(editor.state.currentDocument.selectedFrame, 1);
    EXPECT_EQ(editor.state.undo.UndoCount(), undoSteps);
    EXPECT_EQ(editor.state.filePath[0], 'C');
}

TEST_F(PlaybackTest, AnyOtherKeyADragOrACommandEndsItFirst) {
    SetEditMode(editor, kModeTranslate);
    const double x = editor.state.currentDocument.document.motions[0].frames[0].positions[0].translation.x;
    RunCommand(editor, CMD_PLAY_TOGGLE);
    KeyPressed(editor, kKeyLeft, false, false);
    EXPECT_FALSE(PlaybackShown(editor.state));
    EXPECT_EQ(shell.statusTexts[0].rfind("Position-X", 0), 0u) << "the document is shown again";
    EXPECT_NE(editor.state.currentDocument.document.motions[0].frames[0].positions[0].translation.x, x)
        << "the key then did its step";

    RunCommand(editor, CMD_PLAY_TOGGLE);
    MouseMove(editor, {false, false}, 5, 5);
    EXPECT_TRUE(editor.state.playback.playing) << "a move without a button is no drag";
    MouseMove(editor, {false, true}, 20, 5);
    EXPECT_FALSE(PlaybackShown(editor.state));

    RunCommand(editor, CMD_PLAY_TOGGLE);
    RunCommand(editor, CMD_PLAY_LOOP);
    EXPECT_TRUE(editor.state.playback.playing) << "its own menu items leave it playing";
    EXPECT_TRUE(shell.menuChecked[CMD_PLAY_LOOP]);
    RunCommand(editor, CMD_MODE_VIEW);
    EXPECT_FALSE(PlaybackShown(editor.state));
    RunCommand(editor, CMD_PLAY_TOGGLE);
    RunCommand(editor, CMD_PLAY_TOGGLE);
    EXPECT_FALSE(PlaybackShown(editor.state)) << "Space again stops";
}

TEST_F(PlaybackTest, NothingToPlayWithoutFrames) {
    Show({{".\\a.x"}, {{"empty", "", {}}}});
    RunCommand(editor, CMD_PLAY_TOGGLE);
    EXPECT_FALSE(PlaybackShown(editor.state));
    EXPECT_TRUE(shell.timers.empty() || shell.timers.back().first != kPlaybackTimerId);
}

TEST_F(PlaybackTest, OnionSkinDrawsTheNeighboursWithoutWritingDepth) {
    auto zWriteOffs = [&] {
        size_t n = 0;
        for (const auto &call : device->calls) {
            if (call.name == "SetRenderState" && call.args.size() == 2 &&
                call.args[0] == render::rs::kZWriteEnable && call.args[1] == 0) {
                ++n;
            }
        }
        return n;
    };
    RunCommand(editor, CMD_SHIFT_FRAME_NEXT);
    device->ClearCalls();
    RequestRedraw(editor);
    EXPECT_EQ(zWriteOffs(), 0u);
    RunCommand(editor, CMD_PLAY_ONION_SKIN);
    EXPECT_TRUE(shell.menuChecked[CMD_PLAY_ONION_SKIN]);
    EXPECT_EQ(zWriteOffs(), 1u);
    EXPECT_EQ(document::testing::EncodedBytes(editor.state.currentDocument.document), before);
}

}  // namespace
}  // namespace morvel::app
