// The undo history window over a fake view, inside an editor over fakes:
// the steps named by the code that made them, the current one marked, and
// clicks that jump through the ring.
#include "dialogs/history_window.h"

#include <gtest/gtest.h>

#include "app/command_dispatch.h"
#include "app/command_ids.h"
#include "app/pose_editing.h"
#include "app/tool_windows.h"
#include "controller_fixture.h"
#include "dialogs/history_window_ids.h"

namespace morvel::dialogs {
namespace {

using document::testing::MakePosition;

class HistoryTest : public testing::ControllerFixture {
protected:
    void SetUp() override {
        ControllerFixture::SetUp();
        Show({{"a.x"}, {{"walk", "", {{"f0", {MakePosition(0, 1)}}, {"f1", {MakePosition(0, 2)}}}}}});
        dialogs.toolMakers["IDD_HISTORY"] = MakeHistoryWindow;
    }
    app::fakes::FakeDialogView &Open() {
        app::RunCommand(editor, CMD_TOOL_HISTORY);
        return shell.toolWindows.at("IDD_HISTORY").view;
    }
    void Key(int key) {
        app::EditStepKey(editor, key, false);
        app::KeyReleased(editor, key);
    }
    void Click(int row) {
        auto &window = shell.toolWindows.at("IDD_HISTORY");
        window.view.ListSelect(IDC_HISTORY_LIST, row);
        window.controller->OnCommand(window.view, IDC_HISTORY_LIST, app::kNotifyListSelChange);
    }
    double X() { return Current().motions[0].frames[0].positions[0].translation.x; }
};

TEST_F(HistoryTest, NamesEachStepMarksTheCurrentOneAndJumpsOnAClick) {
    auto &view = Open();
    EXPECT_TRUE(shell.menuChecked[CMD_TOOL_HISTORY]);
    EXPECT_EQ(view[IDC_HISTORY_LIST].rows, std::vector<std::string>{"→ 1  最初の状態"});

    Key(app::kKeyUp);  // view mode: the camera's elevation
    app::RunCommand(editor, CMD_MODE_TRANSLATE);
    const double x0 = X();
    Key(app::kKeyLeft);
    const double x1 = X();
    app::RunCommand(editor, CMD_MODE_ROTATE);
    app::LeftButtonDown(editor, 100, 100);
    app::MouseMove(editor, {true, false}, 110, 104);
    app::LeftButtonUp(editor);
    app::RunCommand(editor, CMD_SHIFT_FRAME_NEXT);
    const std::vector<std::string> rows = {
        "　 1  最初の状態",        "　 2  キー: 視点 仰角",
        "　 3  キー: 座標 X",      "　 4  ドラッグ: 回転 X・Y",
        "→ 5  シフト: フレーム 次へ"};
    EXPECT_EQ(view[IDC_HISTORY_LIST].rows, rows);
    EXPECT_EQ(view[IDC_HISTORY_LIST].selection, 4);

    // Back three steps at once, then forward one: the document and the
    // mark follow, and the rows after the mark stay to be redone.
    Click(1);
    EXPECT_EQ(editor.state.undo.UndoCount(), 1);
    EXPECT_EQ(X(), x0);
    EXPECT_EQ(editor.state.currentDocument.selectedFrame, 0);
    EXPECT_EQ(view[IDC_HISTORY_LIST].rows[1], "→ 2  キー: 視点 仰角");
    Click(2);
    EXPECT_EQ(X(), x1);
    EXPECT_EQ(editor.state.undo.RedoCount(), 2);
    // A new step (rotate mode is still on) forgets the redo rows, as undo does.
    Key(app::kKeyLeft);
    EXPECT_EQ(view[IDC_HISTORY_LIST].rows.size(), 4u);
    EXPECT_EQ(view[IDC_HISTORY_LIST].rows.back(), "→ 4  キー: 回転 Y");

    // The close box hides it.
    shell.toolWindows.at("IDD_HISTORY").controller->OnCommand(view, app::kDialogCancel, 0);
    EXPECT_FALSE(app::ToolWindowShown(editor, "IDD_HISTORY"));
    EXPECT_FALSE(shell.menuChecked[CMD_TOOL_HISTORY]);
}

TEST_F(HistoryTest, TheRingKeepsFiftyStates) {
    auto &view = Open();
    app::RunCommand(editor, CMD_MODE_SCALE);
    for (int i = 0; i < 60; ++i) Key(app::kKeyHome);
    ASSERT_EQ(view[IDC_HISTORY_LIST].rows.size(), 50u);
    EXPECT_EQ(view[IDC_HISTORY_LIST].rows[0], "　 1  キー: 拡大 Z");
    Click(0);
    EXPECT_EQ(editor.state.undo.UndoCount(), 0);
    EXPECT_EQ(Current().motions[0].frames[0].positions[0].scale.z,
              MakePosition(0, 1).scale.z + 11);
}

}  // namespace
}  // namespace morvel::dialogs
