#include <gtest/gtest.h>

#include "app/fakes/editor_fixture.h"
#include "app/fakes/fake_dialog_view.h"
#include "app/history.h"
#include "dialogs/edit_dialog_factory.h"
#include "dialogs/frame_dialog.h"
#include "dialogs/frame_dialog_ids.h"

namespace morvel::dialogs {
namespace {

using app::kNotifyClicked;
using app::kNotifyListDoubleClick;
using app::kNotifyListSelChange;
using document::MessageAnswer;
using document::MessageButtons;
using document::MessageIcon;
using document::testing::EncodedBytes;
using document::testing::MakePosition;

// "walk" has five frames with 1, 2, 1, 1 and 0 positions; "still" none;
// "wave" one.
document::testing::DocumentContents FrameFigure() {
    return {{".\\a.x", ".\\b.x"},
            {{"walk",
              "",
              {{"f0", {MakePosition(0, 1)}},
               {"f1", {MakePosition(0, 2), MakePosition(1, 3)}},
               {"f2", {MakePosition(0, 10)}},
               {"f3", {MakePosition(1, 21)}},
               {"f4", {}}}},
             {"still", "", {}},
             {"wave", "", {{"w0", {MakePosition(1, 4)}}}}}};
}

class FrameDialogTest : public app::fakes::EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        Show(FrameFigure());
    }
    void Open() {
        dialog = std::make_unique<FrameDialog>(editor);
        dialog->OnInit(view);
    }
    void Press(int id) { dialog->OnCommand(view, id, kNotifyClicked); }
    void Choose(int list, int row) {
        view.ListSelect(list, row);
        dialog->OnCommand(view, list, kNotifyListSelChange);
    }
    document::testing::MotionContents Working(int m) {
        return document::testing::Describe(editor.state.workingDocument.document).motions[m];
    }
    std::vector<std::string> Comments(int m) {
        std::vector<std::string> comments;
        for (const auto &frame : Working(m).frames) comments.push_back(frame.comment);
        return comments;
    }
    // Enabled states of 削除, コピー, ▲, ▼.
    std::vector<bool> TableButtons() {
        return {view[IDC_FRAME_DELETE].enabled, view[IDC_FRAME_COPY].enabled,
                view[IDC_FRAME_UP].enabled, view[IDC_FRAME_DOWN].enabled};
    }
    std::vector<std::string> Details() {
        return {view[IDC_FRAME_NUMBER].text, view[IDC_FRAME_POSITION_COUNT].text,
                view[IDC_FRAME_COMMENT].text};
    }
    void ExpectMessage(const char *text, MessageIcon icon,
                       MessageButtons buttons = MessageButtons::Ok) {
        ASSERT_EQ(view.messages.size(), 1u) << text;
        EXPECT_EQ(view.messages[0].text, text);
        EXPECT_EQ(view.messages[0].caption, "編集：フレーム");
        EXPECT_EQ(view.messages[0].icon, icon);
        EXPECT_EQ(view.messages[0].buttons, buttons);
        EXPECT_EQ(view.messages[0].owner, view.Window());
        view.messages.clear();
    }

    app::fakes::FakeDialogView view;
    std::unique_ptr<FrameDialog> dialog;
};

TEST_F(FrameDialogTest, OpensOnMotionZeroWhateverIsSelected) {
    editor.state.currentDocument.selectedMotion = 2;
    view[IDC_FRAME_NUMBER].text = "No.";  // the template's placeholders
    view[IDC_FRAME_POSITION_COUNT].text = "9999";
    Open();
    EXPECT_EQ(view[IDC_FRAME_MOTION_LIST].rows,
              (std::vector<std::string>{"walk", "still", "wave"}));
    EXPECT_EQ(view[IDC_FRAME_MOTION_LIST].selection, 0);
    EXPECT_EQ(view[IDC_FRAME_LIST].rows,
              (std::vector<std::string>{"     0｜         1｜f0", "     1｜         2｜f1",
                                        "     2｜         1｜f2", "     3｜         1｜f3",
                                        "     4｜         0｜f4"}));
    EXPECT_EQ(view[IDC_FRAME_LIST].selection, 0);
    EXPECT_EQ(Details(), (std::vector<std::string>{"", "", ""}));
    EXPECT_EQ(TableButtons(), (std::vector<bool>{true, true, false, true}));

    view[IDC_FRAME_LIST].selection = 4;
    dialog->OnCommand(view, IDC_FRAME_LIST, kNotifyListDoubleClick);
    EXPECT_EQ(Details(), (std::vector<std::string>{"4", "0", "f4"}));
    dialog->OnCommand(view, IDC_FRAME_LIST, kNotifyListSelChange);
    EXPECT_EQ(TableButtons(), (std::vector<bool>{true, true, true, false}));
    Choose(IDC_FRAME_MOTION_LIST, 2);
    EXPECT_EQ(view[IDC_FRAME_LIST].selection, 0);
    EXPECT_EQ(TableButtons(), (std::vector<bool>{true, true, false, false}));
    EXPECT_EQ(Details(), (std::vector<std::string>{"4", "0", "f4"})) << "kept on a motion change";
}

TEST_F(FrameDialogTest, AMotionWithoutFrames) {
    Open();
    Choose(IDC_FRAME_MOTION_LIST, 1);
    EXPECT_TRUE(view[IDC_FRAME_LIST].rows.empty());
    EXPECT_EQ(TableButtons(), (std::vector<bool>{false, false, false, false}));
    Press(IDC_FRAME_UPDATE);
    ExpectMessage("指定されたNo.はありません。", MessageIcon::Error);
    for (int id :
         {IDC_FRAME_ADJUST, IDC_FRAME_DELETE, IDC_FRAME_COPY, IDC_FRAME_UP, IDC_FRAME_DOWN}) {
        Press(id);
        ExpectMessage("一覧からアイテムを指定してください。", MessageIcon::Warning);
    }
    EXPECT_TRUE(Working(1).frames.empty());

    Press(IDC_FRAME_REGISTER);  // an empty comment is fine
    EXPECT_EQ(Comments(1), (std::vector<std::string>{""}));
    EXPECT_EQ(view[IDC_FRAME_LIST].rows, (std::vector<std::string>{"     0｜         0｜"}));
    EXPECT_EQ(view[IDC_FRAME_LIST].selection, 0);
    EXPECT_EQ(TableButtons(), (std::vector<bool>{true, true, false, false}));
}

TEST_F(FrameDialogTest, AdjustInsertsTheHalfwayFrameAfterTheSelectedOne) {
    Open();
    Choose(IDC_FRAME_LIST, 2);
    Press(IDC_FRAME_ADJUST);
    const document::testing::MotionContents walk = Working(0);
    ASSERT_EQ(walk.frames.size(), 6u);
    EXPECT_EQ(Comments(0), (std::vector<std::string>{"f0", "f1", "f2", "f2", "f3", "f4"}));
    const PositionEntry &between = walk.frames[3].positions.at(0);
    EXPECT_EQ(between.partNumber, 0) << "frame 2's part";
    EXPECT_EQ(between.rotation.x, 15);  // (10 + 21) / 2 toward zero
    EXPECT_EQ(between.scale.x, 16.5);
    EXPECT_EQ(view[IDC_FRAME_LIST].selection, 2);
    EXPECT_EQ(view[IDC_FRAME_LIST].rows[3], "     3｜         1｜f2");

    Choose(IDC_FRAME_LIST, 5);
    const std::vector<uint8_t> before = EncodedBytes(editor.state.workingDocument.document);
    const int fills = view.fills;
    Press(IDC_FRAME_ADJUST);  // the last frame: nothing, silently
    EXPECT_EQ(EncodedBytes(editor.state.workingDocument.document), before);
    EXPECT_EQ(view.fills, fills);
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(FrameDialogTest, DeleteAsksOnlyForAFrameWithPositions) {
    Open();
    Choose(IDC_FRAME_LIST, 1);
    view[IDC_FRAME_COMMENT].text = "typed";
    Press(IDC_FRAME_DELETE);
    ExpectMessage("ポジションがあります。破棄しますか？", MessageIcon::Warning,
                  MessageButtons::YesNo);
    EXPECT_EQ(Working(0).frames.size(), 5u) << "No keeps the frame";
    EXPECT_EQ(view[IDC_FRAME_COMMENT].text, "typed");

    view.WillAnswer(MessageAnswer::Yes);
    Press(IDC_FRAME_DELETE);
    view.messages.clear();
    EXPECT_EQ(Comments(0), (std::vector<std::string>{"f0", "f2", "f3", "f4"}));
    EXPECT_EQ(view[IDC_FRAME_LIST].selection, 1);
    EXPECT_EQ(Details(), (std::vector<std::string>{"", "", ""}));

    Choose(IDC_FRAME_LIST, 3);
    Press(IDC_FRAME_DELETE);  // no positions: no question
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(Comments(0), (std::vector<std::string>{"f0", "f2", "f3"}));
    EXPECT_EQ(view[IDC_FRAME_LIST].selection, 2) << "the new last row";
}

TEST_F(FrameDialogTest, CommentsAreCutAtFifteenBytesOnACharacterBoundary) {
    Open();
    // Fourteen single bytes, then a double-byte character that would end at 16.
    view[IDC_FRAME_COMMENT].text =
        "abcdefghijklmn"
        "\x82\xa0"
        "z";
    Press(IDC_FRAME_REGISTER);
    EXPECT_EQ(Comments(0).back(), "abcdefghijklmn");
    EXPECT_EQ(view[IDC_FRAME_LIST].selection, 5);
    EXPECT_EQ(view[IDC_FRAME_COMMENT].text, "") << "registering clears the fields";

    Choose(IDC_FRAME_LIST, 0);
    view[IDC_FRAME_COMMENT].text = "0123456789abcdefgh";
    Press(IDC_FRAME_UPDATE);
    EXPECT_EQ(Comments(0).front(), "0123456789abcde");
    EXPECT_EQ(view[IDC_FRAME_LIST].selection, 0);
    EXPECT_EQ(view[IDC_FRAME_COMMENT].text, "0123456789abcdefgh");
}

TEST_F(FrameDialogTest, MovesAndCopiesFollowTheirFrame) {
    Open();
    Press(IDC_FRAME_UP);  // row 0: no change, no message
    EXPECT_EQ(view[IDC_FRAME_LIST].selection, 0);
    EXPECT_TRUE(view.messages.empty());
    Press(IDC_FRAME_DOWN);
    EXPECT_EQ(Comments(0), (std::vector<std::string>{"f1", "f0", "f2", "f3", "f4"}));
    EXPECT_EQ(view[IDC_FRAME_LIST].selection, 1);
    EXPECT_EQ(TableButtons(), (std::vector<bool>{true, true, true, true}));
    Press(IDC_FRAME_COPY);
    EXPECT_EQ(Comments(0), (std::vector<std::string>{"f1", "f0", "f0", "f2", "f3", "f4"}));
    EXPECT_EQ(view[IDC_FRAME_LIST].selection, 1);
    Choose(IDC_FRAME_LIST, 5);
    Press(IDC_FRAME_DOWN);
    EXPECT_EQ(view[IDC_FRAME_LIST].selection, 5);
    EXPECT_EQ(TableButtons(), (std::vector<bool>{true, true, true, false}));
}

TEST_F(FrameDialogTest, CommitKeepsAllThreeIndexesInsideTheTables) {
    // The selected frame survives, but its new occupant has fewer positions.
    editor.state.currentDocument.selectedFrame = 1;
    editor.state.currentDocument.selectedPosition = 1;
    const int undoBefore = editor.state.undo.UndoCount();
    Open();
    Press(IDC_FRAME_DOWN);
    Choose(IDC_FRAME_MOTION_LIST, 2);  // the list's motion is not handed back
    Press(IDC_FRAME_COMMIT);
    EXPECT_TRUE(view.ended);
    EXPECT_EQ(view.result, 0);
    const document::EditorDocument &current = editor.state.currentDocument;
    EXPECT_EQ(Current().motions[0].frames[1].comment, "f0");
    EXPECT_EQ(
        (std::vector<int>{current.selectedMotion, current.selectedFrame, current.selectedPosition}),
        (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(editor.state.undo.UndoCount(), undoBefore + 1);
    EXPECT_EQ(FilePath(), "\x01");
    EXPECT_EQ(current.partMeshes.size(), 2u);

    // Deleting the selected frame's motion's later frames.
    editor.state.currentDocument.selectedFrame = 4;
    Open();
    Choose(IDC_FRAME_LIST, 4);
    Press(IDC_FRAME_DELETE);
    Press(IDC_FRAME_COMMIT);
    EXPECT_EQ(current.selectedFrame, 0);
    EXPECT_EQ(editor.state.undo.UndoCount(), undoBefore + 2);

    app::UndoCommand(editor);
    EXPECT_EQ(Current().motions[0].frames.size(), 5u);
}

TEST_F(FrameDialogTest, CancelEscapeAndEnterChangeNothing) {
    EditDialogFactory factory;
    const std::unique_ptr<app::DialogController> made = factory.Create("IDD_EDIT_FRAME", editor);
    ASSERT_NE(made, nullptr);
    made->OnInit(view);
    const std::vector<uint8_t> before = EncodedBytes(editor.state.currentDocument.document);
    const int undoBefore = editor.state.undo.UndoCount();
    made->OnCommand(view, IDC_FRAME_COPY, kNotifyClicked);
    made->OnCommand(view, 1, kNotifyClicked);          // Enter
    made->OnCommand(view, IDC_FRAME_COMMENT, 0x0300);  // EN_CHANGE
    EXPECT_FALSE(view.ended);
    made->OnCommand(view, 2, kNotifyClicked);
    EXPECT_TRUE(view.ended);
    EXPECT_EQ(EncodedBytes(editor.state.currentDocument.document), before);
    EXPECT_EQ(editor.state.undo.UndoCount(), undoBefore);
    EXPECT_EQ(FilePath(), "");
}

}  // namespace
}  // namespace morvel::dialogs
