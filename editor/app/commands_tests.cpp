#include "app/commands.h"

#include <gtest/gtest.h>

#include "app/command_dispatch.h"
#include "app/command_ids.h"
#include "app/fakes/editor_fixture.h"
#include "app/main_window_events.h"
#include "app/pose_editing.h"

namespace morvel::app {
namespace {

using document::testing::DocumentContents;
using document::testing::MakePosition;

TEST(KeyTableTest, ShiftAndCtrlChooseTheCommandExactlyAsTheTableSays) {
    struct Case {
        int key;
        bool shift, ctrl;
        KeyAction::Kind kind;
        int command;
    };
    const Case cases[] = {
        {kKeyF, true, true, KeyAction::PostCommand, CMD_SHIFT_FRAME_PREVIOUS},
        {kKeyF, true, false, KeyAction::PostCommand, CMD_SHIFT_FRAME_NEXT},
        {kKeyF, false, false, KeyAction::PostCommand, CMD_MODE_VIEW},
        {kKeyF, false, true, KeyAction::None, 0},
        {kKeyM, true, true, KeyAction::PostCommand, CMD_SHIFT_MOTION_PREVIOUS},
        {kKeyM, true, false, KeyAction::PostCommand, CMD_SHIFT_MOTION_NEXT},
        {kKeyM, false, false, KeyAction::None, 0},
        {kKeyM, false, true, KeyAction::None, 0},
        {kKeyP, true, true, KeyAction::PostCommand, CMD_SHIFT_POSITION_PREVIOUS},
        {kKeyP, true, false, KeyAction::PostCommand, CMD_SHIFT_POSITION_NEXT},
        {kKeyP, false, false, KeyAction::PostCommand, CMD_MODE_TRANSLATE},
        {kKeyP, false, true, KeyAction::None, 0},
        {kKeyR, true, false, KeyAction::PostCommand, CMD_MODE_ROTATE},
        {kKeyR, false, true, KeyAction::None, 0},
        {kKeyS, true, false, KeyAction::PostCommand, CMD_MODE_SCALE},
        {kKeyS, true, true, KeyAction::None, 0},
        {kKeyZ, true, true, KeyAction::PostCommand, CMD_EDIT_UNDO},
        {kKeyZ, false, false, KeyAction::None, 0},
        {kKeyY, false, true, KeyAction::PostCommand, CMD_EDIT_REDO},
        {kKeyF5, true, true, KeyAction::PostCommand, CMD_EDIT_HEADER},
        {kKeyF6, false, false, KeyAction::PostCommand, CMD_EDIT_PARTS},
        {kKeyF7, false, false, KeyAction::PostCommand, CMD_EDIT_MOTION},
        {kKeyF8, false, false, KeyAction::PostCommand, CMD_EDIT_FRAME},
        {kKeyF9, false, false, KeyAction::PostCommand, CMD_EDIT_POSITION},
        {kKeyF12, true, false, KeyAction::PostClose, 0},
        {kKeyHome, true, true, KeyAction::EditStep, 0},
        {kKeyDown, false, false, KeyAction::EditStep, 0},
        {kKeyC, false, true, KeyAction::PostCommand, CMD_TOOL_COPY_POSE},
        {kKeyC, true, true, KeyAction::None, 0},
        {kKeyC, false, false, KeyAction::None, 0},
        {kKeyV, false, true, KeyAction::PostCommand, CMD_TOOL_PASTE_POSE},
        {kKeyV, true, true, KeyAction::PostCommand, CMD_TOOL_PASTE_POSE_MIRRORED},
        {kKeyV, true, false, KeyAction::None, 0},
        {'A', false, false, KeyAction::None, 0},
        {0x70 /* F1 */, false, false, KeyAction::None, 0},
    };
    for (const Case &c : cases) {
        const KeyAction action = KeyActionFor(c.key, c.shift, c.ctrl);
        EXPECT_EQ(action.kind, c.kind) << "key " << c.key << " shift " << c.shift << " ctrl " << c.ctrl;
        EXPECT_EQ(action.command, c.command) << "key " << c.key << " shift " << c.shift << " ctrl " << c.ctrl;
    }
}

TEST(ToolbarTest, ThirtyOneEntriesWithTwentyFourImagesInOrder) {
    const auto &buttons = ToolbarButtons();
    ASSERT_EQ(buttons.size(), 31u);
    std::vector<int> separators;
    int nextImage = 0;
    for (size_t i = 0; i < buttons.size(); ++i) {
        if (buttons[i].image < 0) {
            separators.push_back(static_cast<int>(i));
            continue;
        }
        EXPECT_EQ(buttons[i].image, nextImage++);
        EXPECT_NE(ToolbarTooltip(buttons[i].command), nullptr);
    }
    EXPECT_EQ(nextImage, kToolbarImageCount);
    EXPECT_EQ(separators, (std::vector<int>{4, 10, 13, 16, 19, 24, 28}));
    EXPECT_EQ(buttons[3].command, CMD_FILE_EXIT);
    EXPECT_EQ(buttons[30].command, CMD_EDIT_REDO);
    EXPECT_STREQ(ToolbarTooltip(CMD_SHIFT_MOTION_PREVIOUS), "シフト：モーション（戻る:Ctrl＋Shift＋M）");
    EXPECT_EQ(ToolbarTooltip(CMD_HELP_VERSION), nullptr);
    EXPECT_EQ(ToolbarTooltip(0), nullptr);
}

DocumentContents ThreeMotions() {
    return {{".\\a.x"},
            {{"m0", "", {{"f0", {MakePosition(0, 1), MakePosition(0, 2)}}, {"f1", {MakePosition(0, 3)}}}},
             {"m1", "", {}},
             {"m2", "", {{"g0", {}}}}}};
}

class CommandsTest : public fakes::EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        Show(ThreeMotions());
    }
    std::array<int, 3> Selection() const {
        const auto &d = editor.state.currentDocument;
        return {d.selectedMotion, d.selectedFrame, d.selectedPosition};
    }
    void Select(int m, int f, int p) {
        auto &d = editor.state.currentDocument;
        d.selectedMotion = m;
        d.selectedFrame = f;
        d.selectedPosition = p;
    }
};

TEST_F(CommandsTest, SelectionShiftsWrapResetAndStoreASnapshot) {
    RunCommand(editor, CMD_SHIFT_MOTION_PREVIOUS);
    EXPECT_EQ(Selection(), (std::array<int, 3>{2, 0, 0}));
    EXPECT_EQ(editor.state.undo.UndoCount(), 1);
    RunCommand(editor, CMD_SHIFT_MOTION_NEXT);
    Select(0, 1, 0);
    RunCommand(editor, CMD_SHIFT_FRAME_NEXT);
    EXPECT_EQ(Selection(), (std::array<int, 3>{0, 0, 0}));
    RunCommand(editor, CMD_SHIFT_POSITION_PREVIOUS);
    EXPECT_EQ(Selection(), (std::array<int, 3>{0, 0, 1}));
    RunCommand(editor, CMD_SHIFT_FRAME_PREVIOUS);
    EXPECT_EQ(Selection(), (std::array<int, 3>{0, 1, 0}));
    EXPECT_EQ(editor.state.undo.UndoCount(), 5);

    // Motion 1 has no frames, motion 2's frame no positions: nothing moves.
    Select(1, 0, 0);
    RunCommand(editor, CMD_SHIFT_FRAME_NEXT);
    RunCommand(editor, CMD_SHIFT_POSITION_NEXT);
    Select(2, 0, 0);
    RunCommand(editor, CMD_SHIFT_POSITION_NEXT);
    EXPECT_EQ(Selection(), (std::array<int, 3>{2, 0, 0}));
    EXPECT_EQ(editor.state.undo.UndoCount(), 5);
}

TEST_F(CommandsTest, KeysPostTheirCommandsWhichRunAfterTheKeyMessage) {
    KeyPressed(editor, kKeyM, true, false);
    EXPECT_EQ(Selection()[0], 0) << "the command is posted, not run";
    Pump();
    EXPECT_EQ(Selection()[0], 1);
    KeyPressed(editor, kKeyM, true, true);
    KeyPressed(editor, kKeyM, false, false);
    Pump();
    EXPECT_EQ(Selection()[0], 0);
}

TEST_F(CommandsTest, EditDialogsThatCannotBeCreatedSaySoAndStillRedraw) {
    const struct {
        int command;
        const char *dialog;
        const char *caption;
    } cases[] = {{CMD_EDIT_HEADER, "IDD_EDIT_HEAD", "Vektrel"},
                 {CMD_EDIT_PARTS, "IDD_EDIT_PARTS", "Vektrel"},
                 {CMD_EDIT_MOTION, "IDD_EDIT_MOTION", "Vektrel"},
                 {CMD_EDIT_FRAME, "IDD_EDIT_FRAME", "フレーム"},
                 {CMD_EDIT_POSITION, "IDD_EDIT_POSITION", "ポジション"}};
    for (const auto &c : cases) {
        shell.messages.clear();
        device->ClearCalls();
        editor.state.timerHoldoff = 0;
        // A controller exists; the template does not load.
        dialogs.makers[c.dialog] = [](Editor &) {
            struct Nothing : DialogController {
                void OnInit(DialogView &) override {}
                void OnCommand(DialogView &, int, int) override {}
            };
            return std::make_unique<Nothing>();
        };
        RunCommand(editor, c.command);
        EXPECT_EQ(shell.dialogsRun.back(), c.dialog);
        ASSERT_EQ(shell.messages.size(), 1u) << c.dialog;
        EXPECT_EQ(shell.messages[0].text, "ダイアログ作成失敗");
        EXPECT_EQ(shell.messages[0].caption, c.caption);
        EXPECT_EQ(device->Count("Present"), 1u) << c.dialog;
        EXPECT_EQ(editor.state.timerHoldoff, 3);
    }
    // Without a controller the program has no such dialog: the same message.
    dialogs.makers.clear();
    shell.messages.clear();
    RunCommand(editor, CMD_HELP_VERSION);
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0].caption, "バージョン情報");
}

TEST_F(CommandsTest, FrameAndPositionDialogsCheckTheirPreconditionsInOrder) {
    Show({{}, {}});
    RunCommand(editor, CMD_EDIT_FRAME);
    RunCommand(editor, CMD_EDIT_POSITION);
    Show({{}, {{"m", "", {}}}});
    RunCommand(editor, CMD_EDIT_POSITION);
    Show({{".\\a.x"}, {}});
    RunCommand(editor, CMD_EDIT_POSITION);
    Show({{".\\a.x"}, {{"m", "", {}}}});
    RunCommand(editor, CMD_EDIT_POSITION);
    std::vector<std::pair<std::string, std::string>> seen;
    for (const auto &m : shell.messages) {
        EXPECT_EQ(m.icon, document::MessageIcon::Error);
        seen.emplace_back(m.text, m.caption);
    }
    EXPECT_EQ(seen, (std::vector<std::pair<std::string, std::string>>{
                        {"モーションがありません。", "フレーム"},
                        {"パーツがありません。", "パーツ"},
                        {"パーツがありません。", "パーツ"},
                        {"モーションがありません。", "ポジション"},
                        {"フレームが設定されたモーションがありません。", "ポジション"}}));
    EXPECT_TRUE(shell.dialogsRun.empty());
}

TEST_F(CommandsTest, ThePositionDialogMovesTheSelectionToAMotionWithFrames) {
    Select(1, 0, 1);  // motion 1 has no frames
    RunCommand(editor, CMD_EDIT_POSITION);
    EXPECT_EQ(Selection(), (std::array<int, 3>{0, 0, 1}));
    Select(0, 5, 7);
    RunCommand(editor, CMD_EDIT_POSITION);
    EXPECT_EQ(Selection(), (std::array<int, 3>{0, 0, 0}));
    // No position dialog in this program: each attempt got as far as creating it.
    ASSERT_EQ(shell.messages.size(), 2u);
    EXPECT_EQ(shell.messages[1].text, "ダイアログ作成失敗");
}

}  // namespace
}  // namespace morvel::app
