// The timeline window's controller over a fake view, inside an editor over
// fakes: what it shows, and clicks, drags and its context menu.
#include "dialogs/timeline_window.h"

#include <gtest/gtest.h>

#include "app/command_dispatch.h"
#include "app/command_ids.h"
#include "app/tool_windows.h"
#include "controller_fixture.h"
#include "app/main_window_events.h"
#include "app/playback.h"
#include "dialogs/timeline_window_ids.h"

namespace morvel::dialogs {
namespace {

using app::StripEvent;
using document::testing::MakePosition;

class TimelineTest : public testing::ControllerFixture {
protected:
    void SetUp() override {
        ControllerFixture::SetUp();
        Show({{"a.x"},
              {{"walk", "", {{"f0", {MakePosition(0, 1)}}, {"f1", {MakePosition(0, 2)}}, {"f2", {}}}},
               {"empty", "", {}}}});
        dialogs.toolMakers["IDD_TIMELINE"] = MakeTimelineWindow;
    }
    // Through the menu command, as the user opens it.
    app::fakes::FakeDialogView &Open() {
        app::RunCommand(editor, CMD_TOOL_TIMELINE);
        return shell.toolWindows.at("IDD_TIMELINE").view;
    }
    void Strip(StripEvent::Kind kind, int cell, int target = -1) {
        auto &window = shell.toolWindows.at("IDD_TIMELINE");
        window.controller->OnStripEvent(window.view, IDC_TIMELINE_STRIP, {kind, cell, target});
    }
    std::vector<std::string> Comments() {
        std::vector<std::string> comments;
        const document::testing::DocumentContents current = Current();
        for (const auto &frame : current.motions[0].frames) comments.push_back(frame.comment);
        return comments;
    }
};

TEST_F(TimelineTest, ShowsTheSelectedMotionsFramesAndFollowsTheSelectionAndPlayback) {
    auto &view = Open();
    EXPECT_TRUE(ToolWindowShown(editor, "IDD_TIMELINE"));
    EXPECT_TRUE(shell.menuChecked[CMD_TOOL_TIMELINE]);
    EXPECT_EQ(view[IDC_TIMELINE_MOTION].text, "モーション 0: walk（3 フレーム）");
    const auto &cells = view[IDC_TIMELINE_STRIP].cells;
    ASSERT_EQ(cells.size(), 3u);
    EXPECT_EQ(cells[1].lines[1], "f1");
    EXPECT_EQ(cells[2].lines[2], "ポジション 0");
    EXPECT_TRUE(cells[0].selected);

    app::RunCommand(editor, CMD_SHIFT_FRAME_NEXT);
    EXPECT_TRUE(view[IDC_TIMELINE_STRIP].cells[1].selected);
    const int pushes = view[IDC_TIMELINE_STRIP].cellPushes;
    app::RunCommand(editor, CMD_SHIFT_POSITION_NEXT);  // nothing the strip shows changes
    EXPECT_EQ(view[IDC_TIMELINE_STRIP].cellPushes, pushes);

    app::RunCommand(editor, CMD_PLAY_TOGGLE);
    clock.now += 150;  // 10 frames a second: 1.5 frames on
    app::TimerFired(editor, app::kPlaybackTimerId);
    EXPECT_TRUE(view[IDC_TIMELINE_STRIP].cells[2].playing);
    EXPECT_EQ(view[IDC_TIMELINE_STRIP].visibleCell, 2);

    app::RunCommand(editor, CMD_TOOL_TIMELINE);
    EXPECT_FALSE(shell.toolWindows.at("IDD_TIMELINE").visible);
    EXPECT_FALSE(shell.menuChecked[CMD_TOOL_TIMELINE]);
    EXPECT_TRUE(editor.state.playback.shown);  // the menu item leaves playback alone
}

TEST_F(TimelineTest, ClicksDragsAndTheContextMenuEditTheFramesOneUndoStepEach) {
    auto &view = Open();
    Strip(StripEvent::Click, 2);
    EXPECT_EQ(editor.state.currentDocument.selectedFrame, 2);
    Strip(StripEvent::Drag, 0, 2);
    EXPECT_EQ(Comments(), (std::vector<std::string>{"f1", "f2", "f0"}));
    EXPECT_EQ(editor.state.currentDocument.selectedFrame, 2);
    view.menuChoices = {1};  // 複製
    Strip(StripEvent::ContextMenu, 0);
    EXPECT_EQ(Comments(), (std::vector<std::string>{"f1", "f1", "f2", "f0"}));
    view.menuChoices = {0};  // 中間フレームを挿入 between f2 and f0
    Strip(StripEvent::ContextMenu, 2);
    EXPECT_EQ(Comments().size(), 5u);
    // The last frame has nothing to insert before: its first item is grey.
    Strip(StripEvent::ContextMenu, 4);
    EXPECT_FALSE(view.menusShown.back()[0].second);
    // Deleting a frame with positions asks first.
    view.menuChoices = {2};
    view.WillAnswer(document::MessageAnswer::No);
    Strip(StripEvent::ContextMenu, 0);
    EXPECT_EQ(Comments().size(), 5u);
    EXPECT_EQ(view.messages.back().text, "ポジションがあります。破棄しますか？");

    app::RunCommand(editor, CMD_EDIT_UNDO);
    app::RunCommand(editor, CMD_EDIT_UNDO);
    EXPECT_EQ(Comments(), (std::vector<std::string>{"f1", "f2", "f0"}));
    app::RunCommand(editor, CMD_EDIT_UNDO);
    EXPECT_EQ(Comments(), (std::vector<std::string>{"f0", "f1", "f2"}));
}

TEST_F(TimelineTest, PlaceAndVisibilityComeBackFromTheRegistry) {
    Open();
    shell.toolWindows.at("IDD_TIMELINE").place = {40, 50, 640, 210};
    // Kept when the main window is asked to close, while its owned windows
    // still exist: by its WM_DESTROY they are gone.
    shell.WillAnswer(document::MessageAnswer::Yes);
    app::CloseRequested(editor);
    ASSERT_TRUE(shell.destroyed);
    shell.toolWindows.at("IDD_TIMELINE").place = {0, 0, 0, 0};
    app::Destroyed(editor);
    editor.state.toolWindows.clear();
    shell.toolWindows.clear();
    app::RestoreToolWindows(editor);
    ASSERT_TRUE(shell.toolWindows.count("IDD_TIMELINE"));
    EXPECT_EQ(shell.toolWindows.at("IDD_TIMELINE").place.left, 40);
    EXPECT_TRUE(shell.toolWindows.at("IDD_TIMELINE").visible);

    Rect rect;
    bool shown;
    for (const char *bad : {"", "1 2 3", "0 0 10 10 1", "0 0 400 300 7", "0 0 400 300 1 x", "a b c d e"}) {
        EXPECT_FALSE(app::ParseToolWindowPlace(bad, rect, shown)) << bad;
    }
}

}  // namespace
}  // namespace morvel::dialogs
