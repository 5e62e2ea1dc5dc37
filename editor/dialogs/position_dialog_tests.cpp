#include <gtest/gtest.h>

#include <algorithm>

#include "app/command_dispatch.h"
#include "app/command_ids.h"
#include "app/fakes/editor_fixture.h"
#include "app/fakes/fake_dialog_view.h"
#include "app/history.h"
#include "dialogs/edit_dialog_factory.h"
#include "dialogs/position_dialog.h"
#include "dialogs/position_dialog_ids.h"
#include "document/table_ops.h"

namespace morvel::dialogs {
namespace {

using app::kNoSelection;
using app::kNotifyClicked;
using app::kNotifyListDoubleClick;
using app::kNotifyListSelChange;
using document::MessageIcon;
using document::testing::EncodedBytes;
using document::testing::MakePosition;
using document::testing::operator==;

constexpr int kValueFields[] = {
    IDC_POSITION_AMBIENT_R,     IDC_POSITION_AMBIENT_G,     IDC_POSITION_AMBIENT_B,
    IDC_POSITION_AMBIENT_A,     IDC_POSITION_DIFFUSE_R,     IDC_POSITION_DIFFUSE_G,
    IDC_POSITION_DIFFUSE_B,     IDC_POSITION_DIFFUSE_A,     IDC_POSITION_SCALE_X,
    IDC_POSITION_SCALE_Y,       IDC_POSITION_SCALE_Z,       IDC_POSITION_TRANSLATION_X,
    IDC_POSITION_TRANSLATION_Y, IDC_POSITION_TRANSLATION_Z, IDC_POSITION_ROTATION_X,
    IDC_POSITION_ROTATION_Y,    IDC_POSITION_ROTATION_Z};

// Three parts; "walk" has a frame of four positions (parts 2, 0, 1, 2) and a
// frame of one, "run" has no frames, "jump" a frame without positions.
document::testing::DocumentContents PositionFigure() {
    return {
        {".\\a.x", ".\\b.x", ".\\c.x"},
        {{"walk",
          "",
          {{"f0",
            {MakePosition(2, 10), MakePosition(0, 20), MakePosition(1, 30), MakePosition(2, 40)}},
           {"f1", {MakePosition(1, 50)}}}},
         {"run", "", {}},
         {"jump", "", {{"j0", {}}}}}};
}

class PositionDialogTest : public app::fakes::EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        Show(PositionFigure());
        Header().initialScale = {1.5, 2.0, 3.0};
        Header().initialAmbient = {0.25, 0.5, 0.75, 1.0};
        Header().initialDiffuse = {-1.0, 0.0, 2.0, 0.125};
    }

    void Open(int m, int f, int p) {
        editor.state.currentDocument.selectedMotion = m;
        editor.state.currentDocument.selectedFrame = f;
        editor.state.currentDocument.selectedPosition = p;
        dialog = std::make_unique<PositionDialog>(editor);
        dialog->OnInit(view);
    }
    void Press(int id) { dialog->OnCommand(view, id, kNotifyClicked); }
    void Choose(int list, int row) {
        view.ListSelect(list, row);
        dialog->OnCommand(view, list, kNotifyListSelChange);
    }
    void DoubleClick(int row) {
        Choose(IDC_POSITION_LIST, row);
        dialog->OnCommand(view, IDC_POSITION_LIST, kNotifyListDoubleClick);
    }
    std::vector<PositionEntry> Working(int m, int f) {
        return document::testing::Describe(editor.state.workingDocument.document)
            .motions[m]
            .frames[f]
            .positions;
    }
    std::vector<std::string> Fields() {
        std::vector<std::string> texts;
        for (int id : kValueFields) texts.push_back(view[id].text);
        return texts;
    }
    // Enabled states of 削除, コピー, ▲, ▼.
    std::vector<bool> TableButtons() {
        return {view[IDC_POSITION_DELETE].enabled, view[IDC_POSITION_COPY].enabled,
                view[IDC_POSITION_UP].enabled, view[IDC_POSITION_DOWN].enabled};
    }
    std::vector<std::string> InitialFields() {
        return {"0.250000", "0.500000", "0.750000", "1.000000", "-1.000000", "0.000000",
                "2.000000", "0.125000", "1.500000", "2.000000", "3.000000",  "0.000000",
                "0.000000", "0.000000", "0",        "0",        "0"};
    }
    void ExpectMessage(const char *text, MessageIcon icon) {
        ASSERT_EQ(view.messages.size(), 1u) << text;
        EXPECT_EQ(view.messages[0].text, text);
        EXPECT_EQ(view.messages[0].caption, "編集：ポジション");
        EXPECT_EQ(view.messages[0].icon, icon);
        EXPECT_EQ(view.messages[0].owner, view.Window());
        view.messages.clear();
    }

    app::fakes::FakeDialogView view;
    std::unique_ptr<PositionDialog> dialog;
};

TEST_F(PositionDialogTest, OpensOnTheDocumentsSelectionWithInitialValues) {
    Open(0, 0, 1);
    EXPECT_EQ(view[IDC_POSITION_MOTION_LIST].rows,
              (std::vector<std::string>{"0｜walk", "1｜run", "2｜jump"}));
    EXPECT_EQ(view[IDC_POSITION_FRAME_LIST].rows, (std::vector<std::string>{"0｜f0", "1｜f1"}));
    EXPECT_EQ(view[IDC_POSITION_LIST].rows,
              (std::vector<std::string>{"     0｜        2｜.\\c.x", "     1｜        0｜.\\a.x",
                                        "     2｜        1｜.\\b.x", "     3｜        2｜.\\c.x"}));
    EXPECT_EQ(view[IDC_POSITION_PART_LIST].rows,
              (std::vector<std::string>{"0｜.\\a.x", "1｜.\\b.x", "2｜.\\c.x"}));
    EXPECT_EQ(view[IDC_POSITION_MOTION_LIST].selection, 0);
    EXPECT_EQ(view[IDC_POSITION_FRAME_LIST].selection, 0);
    EXPECT_EQ(view[IDC_POSITION_LIST].selection, 1);
    // Row 1 is the selected position's index; that position uses part 0.
    EXPECT_EQ(view[IDC_POSITION_PART_LIST].selection, 1);
    EXPECT_EQ(Fields(), InitialFields());
    EXPECT_EQ(view[IDC_POSITION_NUMBER].text, "");
    EXPECT_EQ(TableButtons(), (std::vector<bool>{true, true, true, true}));

    // A position index beyond the parts selects no part; the last row
    // cannot move down.
    Open(0, 0, 3);
    EXPECT_EQ(view[IDC_POSITION_PART_LIST].selection, kNoSelection);
    EXPECT_EQ(TableButtons(), (std::vector<bool>{true, true, true, false}));
    EXPECT_EQ(editor.state.workingDocument.partMeshes.size(), 3u);
}

TEST_F(PositionDialogTest, ListChangesStartAtFrameZeroPositionZeroAndKeepTheFields) {
    Open(0, 1, 0);
    DoubleClick(0);
    const std::vector<std::string> loaded = Fields();
    Choose(IDC_POSITION_FRAME_LIST, 0);
    EXPECT_EQ(view[IDC_POSITION_LIST].selection, 0);
    EXPECT_EQ(TableButtons(), (std::vector<bool>{true, true, false, true}));

    Choose(IDC_POSITION_MOTION_LIST, 1);  // no frames
    EXPECT_TRUE(view[IDC_POSITION_FRAME_LIST].rows.empty());
    EXPECT_TRUE(view[IDC_POSITION_LIST].rows.empty());
    EXPECT_EQ(TableButtons(), (std::vector<bool>{false, false, false, false}));

    Choose(IDC_POSITION_MOTION_LIST, 2);  // a frame without positions
    EXPECT_EQ(view[IDC_POSITION_FRAME_LIST].selection, 0);
    EXPECT_TRUE(view[IDC_POSITION_LIST].rows.empty());
    EXPECT_EQ(TableButtons(), (std::vector<bool>{false, false, false, false}));

    Choose(IDC_POSITION_MOTION_LIST, 0);
    EXPECT_EQ(view[IDC_POSITION_FRAME_LIST].selection, 0);
    EXPECT_EQ(view[IDC_POSITION_LIST].selection, 0);
    EXPECT_EQ(Fields(), loaded) << "selection changes leave the fields alone";
}

TEST_F(PositionDialogTest, DoubleClickLoadsTheRecordAndSelectsItsPart) {
    Open(0, 0, 0);
    DoubleClick(2);
    EXPECT_EQ(view[IDC_POSITION_NUMBER].text, "2");
    EXPECT_EQ(view[IDC_POSITION_PART_LIST].selection, 1);
    EXPECT_EQ(Fields(), (std::vector<std::string>{
                            "30.100000", "30.200000", "30.300000", "30.400000", "30.500000",
                            "30.600000", "30.700000", "30.800000", "31.000000", "32.000000",
                            "33.000000", "40.000000", "50.000000", "60.000000", "30", "31", "32"}));

    // A part number that names no part (a file can hold one): no part row,
    // no name in its line, nothing read outside the part table.
    PositionEntry stray = MakePosition(7, -5);
    ASSERT_TRUE(document::UpdatePosition(editor.state.workingDocument.document, 0, 0, 3, stray));
    Choose(IDC_POSITION_FRAME_LIST, 0);
    EXPECT_EQ(view[IDC_POSITION_LIST].rows[3], "     3｜        7｜");
    DoubleClick(3);
    EXPECT_EQ(view[IDC_POSITION_PART_LIST].selection, kNoSelection);
    EXPECT_EQ(view[IDC_POSITION_ROTATION_X].text, "-5");
}

TEST_F(PositionDialogTest, RegisterAppendsWhatTheFieldsSay) {
    Open(0, 1, 2);
    Press(IDC_POSITION_REGISTER);
    // The opening rule's part (row 2) and the initial values.
    std::vector<PositionEntry> positions = Working(0, 1);
    ASSERT_EQ(positions.size(), 2u);
    EXPECT_EQ(positions[1].partNumber, 2);
    EXPECT_EQ(positions[1].scale.y, 2.0);
    // Read back through the text: "0.250000" is 250000 times the float 1e-6.
    EXPECT_NEAR(positions[1].ambient.r, 0.25, 1e-7);
    EXPECT_NE(positions[1].ambient.r, 0.25);
    EXPECT_EQ(positions[1].diffuse.r, -1.0);
    EXPECT_EQ(positions[1].translation.z, 0.0);
    EXPECT_EQ(positions[1].rotation.x, 0);
    EXPECT_EQ(view[IDC_POSITION_LIST].selection, 1);

    // Typed text as people type it, nonsense included.
    Choose(IDC_POSITION_PART_LIST, 0);
    view[IDC_POSITION_AMBIENT_R].text = "1e3";
    view[IDC_POSITION_AMBIENT_G].text = " -5";
    view[IDC_POSITION_AMBIENT_B].text = "1,000";
    view[IDC_POSITION_SCALE_X].text = "12.5";
    view[IDC_POSITION_SCALE_Y].text = std::string(17, ' ') + "123";  // read as 19 bytes
    view[IDC_POSITION_TRANSLATION_X].text = "abc";
    view[IDC_POSITION_ROTATION_X].text = "-90";
    view[IDC_POSITION_ROTATION_Y].text = "70000";
    view[IDC_POSITION_ROTATION_Z].text = "x12";
    Press(IDC_POSITION_REGISTER);
    positions = Working(0, 1);
    ASSERT_EQ(positions.size(), 3u);
    const PositionEntry &p = positions[2];
    EXPECT_EQ(p.partNumber, 0);
    EXPECT_EQ(p.ambient.r, 13.0);
    EXPECT_EQ(p.ambient.g, 0.0);
    EXPECT_EQ(p.ambient.b, 1000.0);
    EXPECT_EQ(p.scale.x, 12.50000000745058);
    EXPECT_EQ(p.scale.y, 12.0);
    EXPECT_EQ(p.translation.x, 0.0);
    EXPECT_EQ(p.rotation.x, -90);
    EXPECT_EQ(p.rotation.y, 4464);
    EXPECT_EQ(p.rotation.z, 0);
    EXPECT_EQ(view[IDC_POSITION_LIST].selection, 2);
    EXPECT_EQ(Fields(), InitialFields()) << "registering resets the fields";
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(PositionDialogTest, NothingIsStoredWithoutAFrameOrAPart) {
    Open(0, 0, 3);  // row 3: no part selected
    const std::vector<uint8_t> before = EncodedBytes(editor.state.workingDocument.document);
    Press(IDC_POSITION_REGISTER);
    ExpectMessage("一覧からアイテムを指定してください。", MessageIcon::Warning);
    Press(IDC_POSITION_UPDATE);
    ExpectMessage("一覧からアイテムを指定してください。", MessageIcon::Warning);

    Choose(IDC_POSITION_PART_LIST, 1);
    Choose(IDC_POSITION_MOTION_LIST, 1);  // a motion without frames
    Press(IDC_POSITION_REGISTER);
    ExpectMessage("一覧からアイテムを指定してください。", MessageIcon::Warning);
    Press(IDC_POSITION_UPDATE);
    ExpectMessage("指定されたNo.はありません。", MessageIcon::Error);

    Choose(IDC_POSITION_MOTION_LIST, 2);  // a frame without positions
    Press(IDC_POSITION_UPDATE);
    ExpectMessage("指定されたNo.はありません。", MessageIcon::Error);
    EXPECT_EQ(EncodedBytes(editor.state.workingDocument.document), before);

    // The same frame takes a registered position.
    Press(IDC_POSITION_REGISTER);
    EXPECT_EQ(Working(2, 0).size(), 1u);
    EXPECT_EQ(view[IDC_POSITION_LIST].selection, 0);
}

TEST_F(PositionDialogTest, UpdateWritesTheSelectedRowNotTheLoadedOne) {
    Open(0, 0, 0);
    DoubleClick(0);
    Choose(IDC_POSITION_LIST, 2);
    view[IDC_POSITION_TRANSLATION_Y].text = "-0.25";
    Press(IDC_POSITION_UPDATE);
    const std::vector<PositionEntry> positions = Working(0, 0);
    EXPECT_EQ(positions[2].partNumber, 2) << "the loaded record's part";
    EXPECT_EQ(positions[2].scale.x, 11.0);
    EXPECT_EQ(positions[2].translation.y, -0.24999999441206455);
    EXPECT_TRUE(positions[0] == MakePosition(2, 10));
    EXPECT_EQ(view[IDC_POSITION_LIST].selection, 2);
    EXPECT_EQ(view[IDC_POSITION_TRANSLATION_Y].text, "-0.25") << "the fields keep their text";
    EXPECT_EQ(view[IDC_POSITION_NUMBER].text, "0");
}

TEST_F(PositionDialogTest, DeleteMoveAndCopyKeepTheSelectionOnTheirRows) {
    Open(0, 0, 1);
    DoubleClick(1);
    Press(IDC_POSITION_DELETE);  // no question
    std::vector<PositionEntry> positions = Working(0, 0);
    ASSERT_EQ(positions.size(), 3u);
    EXPECT_TRUE(positions[1] == MakePosition(1, 30));
    EXPECT_EQ(view[IDC_POSITION_LIST].selection, 1);
    EXPECT_EQ(Fields(), InitialFields());
    EXPECT_EQ(view[IDC_POSITION_NUMBER].text, "");

    Press(IDC_POSITION_DOWN);
    EXPECT_TRUE(Working(0, 0)[2] == MakePosition(1, 30));
    EXPECT_EQ(view[IDC_POSITION_LIST].selection, 2);
    EXPECT_EQ(TableButtons(), (std::vector<bool>{true, true, true, false}));
    Press(IDC_POSITION_DOWN);  // the last row: no change, no message
    EXPECT_EQ(view[IDC_POSITION_LIST].selection, 2);
    Press(IDC_POSITION_UP);
    EXPECT_EQ(view[IDC_POSITION_LIST].selection, 1);

    Press(IDC_POSITION_COPY);
    positions = Working(0, 0);
    ASSERT_EQ(positions.size(), 4u);
    EXPECT_TRUE(positions[1] == positions[2]);
    EXPECT_EQ(view[IDC_POSITION_LIST].selection, 1);

    Choose(IDC_POSITION_LIST, 3);
    Press(IDC_POSITION_DELETE);  // the last row: the new last row is selected
    EXPECT_EQ(view[IDC_POSITION_LIST].selection, 2);
    EXPECT_TRUE(view.messages.empty());

    Choose(IDC_POSITION_FRAME_LIST, 1);
    Press(IDC_POSITION_DELETE);  // the only position
    EXPECT_TRUE(Working(0, 1).empty());
    EXPECT_TRUE(view[IDC_POSITION_LIST].rows.empty());
    EXPECT_EQ(TableButtons(), (std::vector<bool>{false, false, false, false}));
    for (int id : {IDC_POSITION_DELETE, IDC_POSITION_COPY, IDC_POSITION_UP, IDC_POSITION_DOWN}) {
        Press(id);
        ExpectMessage("一覧からアイテムを指定してください。", MessageIcon::Warning);
    }
}

TEST_F(PositionDialogTest, EachInitialButtonResetsOnlyItsGroup) {
    Open(0, 0, 0);
    DoubleClick(3);
    std::vector<std::string> expected = Fields();
    const std::vector<std::string> initial = InitialFields();
    Press(IDC_POSITION_AMBIENT_INITIAL);
    std::copy(initial.begin(), initial.begin() + 4, expected.begin());
    EXPECT_EQ(Fields(), expected);
    Press(IDC_POSITION_DIFFUSE_INITIAL);
    std::copy(initial.begin() + 4, initial.begin() + 8, expected.begin() + 4);
    EXPECT_EQ(Fields(), expected);
    Press(IDC_POSITION_SCALE_INITIAL);
    std::copy(initial.begin() + 8, initial.begin() + 11, expected.begin() + 8);
    EXPECT_EQ(Fields(), expected);
    EXPECT_EQ(view[IDC_POSITION_NUMBER].text, "3");
}

TEST_F(PositionDialogTest, CommitLeavesOneUndoStepAMarkAndASelectionInsideTheTables) {
    Open(0, 0, 3);
    const int undoBefore = editor.state.undo.UndoCount();
    Choose(IDC_POSITION_LIST, 3);
    Press(IDC_POSITION_DELETE);
    Choose(IDC_POSITION_MOTION_LIST, 2);  // list selections are not handed back
    Press(IDC_POSITION_COMMIT);
    EXPECT_TRUE(view.ended);
    EXPECT_EQ(view.result, 0);
    const document::EditorDocument &current = editor.state.currentDocument;
    EXPECT_EQ(Current().motions[0].frames[0].positions.size(), 3u);
    // Position 3 is gone, so the selection starts again at 0, 0, 0.
    EXPECT_EQ(
        (std::vector<int>{current.selectedMotion, current.selectedFrame, current.selectedPosition}),
        (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(editor.state.undo.UndoCount(), undoBefore + 1);
    EXPECT_EQ(FilePath(), "\x01");
    EXPECT_EQ(editor.state.scene.sceneReady, 1);
    ASSERT_EQ(current.partMeshes.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_NE(current.partMeshes[i], nullptr);
        EXPECT_NE(current.partMeshes[i], editor.state.workingDocument.partMeshes[i]);
    }

    app::UndoCommand(editor);
    EXPECT_EQ(Current().motions[0].frames[0].positions.size(), 4u);

    // A saved document keeps its path; a selection still inside stays.
    document::PathBuffer &path = editor.state.filePath;
    path.fill('\0');
    std::copy_n("C:\\w.mvl", 8, path.begin());
    Open(0, 0, 1);
    Press(IDC_POSITION_UP);
    Press(IDC_POSITION_COMMIT);
    EXPECT_EQ(FilePath(), "C:\\w.mvl");
    EXPECT_EQ(current.selectedPosition, 1);
    EXPECT_TRUE(Current().motions[0].frames[0].positions[0] == MakePosition(0, 20));
}

TEST_F(PositionDialogTest, CancelEscapeAndEnter) {
    Open(0, 0, 0);
    const std::vector<uint8_t> before = EncodedBytes(editor.state.currentDocument.document);
    const int undoBefore = editor.state.undo.UndoCount();
    Press(IDC_POSITION_DELETE);
    Press(1);  // Enter: no default button
    EXPECT_FALSE(view.ended);
    dialog->OnCommand(view, IDC_POSITION_SCALE_X, 0x0300);  // EN_CHANGE from a field
    EXPECT_FALSE(view.ended);
    Press(2);
    EXPECT_TRUE(view.ended);
    EXPECT_EQ(view.result, 0);
    EXPECT_EQ(EncodedBytes(editor.state.currentDocument.document), before);
    EXPECT_EQ(editor.state.undo.UndoCount(), undoBefore);
    EXPECT_EQ(FilePath(), "");
}

TEST_F(PositionDialogTest, F9OpensItThroughTheProgramsFactory) {
    EditDialogFactory factory;
    dialogs.makers["IDD_EDIT_POSITION"] = [&factory](app::Editor &e) {
        return factory.Create("IDD_EDIT_POSITION", e);
    };
    shell.dialogRunner = [this](const std::string &, app::DialogController &controller) {
        controller.OnInit(view);
        controller.OnCommand(view, IDC_POSITION_REGISTER, kNotifyClicked);
        controller.OnCommand(view, IDC_POSITION_COMMIT, kNotifyClicked);
        return true;
    };
    // A selected frame beyond its motion: the main window moves to motion 0, frame 0.
    editor.state.currentDocument.selectedFrame = 5;
    app::RunCommand(editor, CMD_EDIT_POSITION);
    EXPECT_EQ(shell.dialogsRun, (std::vector<std::string>{"IDD_EDIT_POSITION"}));
    EXPECT_EQ(Current().motions[0].frames[0].positions.size(), 5u);
    EXPECT_EQ(Current().motions[0].frames[0].positions[4].partNumber, 0);
    EXPECT_TRUE(shell.messages.empty());
}

}  // namespace
}  // namespace morvel::dialogs
