#include <gtest/gtest.h>

#include "app/command_dispatch.h"
#include "app/command_ids.h"
#include "app/history.h"
#include "base/field_text.h"
#include "controller_fixture.h"
#include "dialogs/edit_dialog_factory.h"
#include "dialogs/parts_dialog.h"
#include "dialogs/user_code_prompt.h"

namespace morvel::dialogs {
namespace {

using document::MessageAnswer;
using document::MessageButtons;
using document::MessageIcon;
using document::testing::DocumentContents;
using document::testing::MakePosition;
using PartNumbers = std::vector<std::vector<std::vector<int>>>;

DocumentContents ThreeParts() {
    return {{".\\a.x", ".\\b.x", ".\\c.x"},
            {{"walk",
              "",
              {{"f0", {MakePosition(0, 1), MakePosition(1, 2), MakePosition(2, 3)}},
               {"f1", {MakePosition(2, 4), MakePosition(1, 5)}}}}}};
}

TEST(PartFileNameTest, NamesWithoutABackslashAreTakenFromTheCurrentFolder) {
    EXPECT_EQ(StoredPartFileName("body.x"), ".\\body.x");
    EXPECT_EQ(StoredPartFileName("models\\body.x"), "models\\body.x");
    EXPECT_EQ(StoredPartFileName("models/body.x"), ".\\models/body.x");
    // "ソ" ends in 0x5C, which is no backslash.
    EXPECT_EQ(StoredPartFileName("ソ.x"), ".\\ソ.x");
    EXPECT_EQ(StoredPartFileName("C:\\ソ\\body.x"), "C:\\ソ\\body.x");

    const std::string seventy(70, 'p');
    EXPECT_EQ(StoredPartFileName(seventy), ".\\" + std::string(61, 'p'));
    EXPECT_EQ(StoredPartFileName("\\" + seventy), "\\" + std::string(62, 'p'));
    // A double-byte character that would end past the limit is left out.
    EXPECT_EQ(StoredPartFileName(std::string(60, 'p') + "あ"), ".\\" + std::string(60, 'p'));
    EXPECT_EQ(StoredPartFileName("\\" + std::string(61, 'p') + "あ"), "\\" + std::string(61, 'p'));
}

class PartsDialogTest : public testing::ControllerFixture {
protected:
    void OpenOn(const DocumentContents &contents) { Open(MakePartsDialog, contents); }
    std::vector<std::string> &Rows() { return view[IDC_PARTS_LIST].rows; }
    int Selection() { return view[IDC_PARTS_LIST].selection; }
    std::string Part(int k) { return base::FieldText(Working().document.parts[k].fileName, 64); }
    std::vector<bool> Enabled() {
        return {view[IDC_PARTS_DELETE].enabled, view[IDC_PARTS_UP].enabled,
                view[IDC_PARTS_DOWN].enabled};
    }
    PartNumbers WorkingPartNumbers() { return document::testing::PartNumbers(Working().document); }
    std::vector<int> CurrentSelection() {
        const document::EditorDocument &d = editor.state.currentDocument;
        return {d.selectedMotion, d.selectedFrame, d.selectedPosition};
    }
};

TEST_F(PartsDialogTest, OpensOnACopyWithoutMeshesAndOneLinePerPart) {
    view[IDC_PARTS_NUMBER].text = "No.";
    OpenOn(ThreeParts());
    EXPECT_EQ(Rows(),
              (std::vector<std::string>{"     0｜.\\a.x", "     1｜.\\b.x", "     2｜.\\c.x"}));
    EXPECT_EQ(Selection(), 0);
    EXPECT_EQ(view[IDC_PARTS_NUMBER].text, "");
    EXPECT_EQ(view[IDC_PARTS_FILE_NAME].text, "");
    EXPECT_EQ(Enabled(), (std::vector<bool>{true, false, true}));
    EXPECT_TRUE(Working().partMeshes.empty());
    EXPECT_EQ(editor.state.currentDocument.partMeshes.size(), 3u) << "the view keeps its meshes";

    PickRow(IDC_PARTS_LIST, 1);
    EXPECT_EQ(Enabled(), (std::vector<bool>{true, true, true}));
    PickRow(IDC_PARTS_LIST, app::kNoSelection);
    EXPECT_EQ(Enabled(), (std::vector<bool>{true, false, false}));
}

TEST_F(PartsDialogTest, EmptyNamesAndAnEmptyTableAreRefused) {
    OpenOn({{}, {{"m", "", {}}}});
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(Selection(), app::kNoSelection);
    EXPECT_EQ(Enabled(), (std::vector<bool>(3, false)));

    Press(IDC_PARTS_REGISTER);
    Press(IDC_PARTS_UPDATE);
    EXPECT_EQ(Messages(), (std::vector<std::string>(
                              2, "編集：パーツ: パーツファイル名が指定されていません。")));
    EXPECT_EQ(view.messages[0].icon, MessageIcon::Error);

    // "更新" with a name but no part to change.
    view.messages.clear();
    view[IDC_PARTS_FILE_NAME].text = "body.x";
    Press(IDC_PARTS_UPDATE);
    EXPECT_EQ(Messages(), (std::vector<std::string>{"編集：パーツ: 指定されたNo.はありません。"}));
    EXPECT_EQ(Working().document.header.partCount, 0);

    Press(IDC_PARTS_REGISTER);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"     0｜.\\body.x"}));
    EXPECT_EQ(Selection(), 0);
    EXPECT_EQ(view[IDC_PARTS_FILE_NAME].text, "");
    EXPECT_EQ(Enabled(), (std::vector<bool>{true, false, false}));
}

TEST_F(PartsDialogTest, RegisterAppendsAndUpdateRenamesTheSelectedRow) {
    OpenOn(ThreeParts());
    view[IDC_PARTS_FILE_NAME].text = "models\\d.x";
    Press(IDC_PARTS_REGISTER);
    EXPECT_EQ(Part(3), "models\\d.x");
    EXPECT_EQ(Selection(), 3);
    EXPECT_FALSE(view[IDC_PARTS_DOWN].enabled);
    EXPECT_TRUE(Working().partMeshes.empty()) << "the file is not opened yet";

    DoubleClickRow(IDC_PARTS_LIST, 1);
    EXPECT_EQ(view[IDC_PARTS_NUMBER].text, "1");
    EXPECT_EQ(view[IDC_PARTS_FILE_NAME].text, ".\\b.x");
    view[IDC_PARTS_FILE_NAME].text = std::string(70, 'q');
    Press(IDC_PARTS_UPDATE);
    EXPECT_EQ(Part(1), ".\\" + std::string(61, 'q'));
    EXPECT_EQ(Rows()[1], "     1｜.\\" + std::string(61, 'q'));
    EXPECT_EQ(Selection(), 1);
    EXPECT_EQ(view[IDC_PARTS_FILE_NAME].text, std::string(70, 'q')) << "the field keeps its text";
    EXPECT_EQ(WorkingPartNumbers(), (PartNumbers{{{0, 1, 2}, {2, 1}}}));
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(PartsDialogTest, DeleteAlwaysAsksAndRemovesThePositionsThatUseThePart) {
    DocumentContents contents = ThreeParts();
    contents.parts.push_back(".\\unused.x");
    OpenOn(contents);
    PickRow(IDC_PARTS_LIST, app::kNoSelection);
    Press(IDC_PARTS_DELETE);
    ASSERT_EQ(Messages(),
              (std::vector<std::string>{"編集：パーツ: 一覧からアイテムを指定してください。"}));
    EXPECT_EQ(view.messages[0].icon, MessageIcon::Warning);

    // Even a part no position uses is only deleted on Yes.
    view.messages.clear();
    PickRow(IDC_PARTS_LIST, 3);
    Press(IDC_PARTS_DELETE);
    ASSERT_EQ(Messages(), (std::vector<std::string>{
                              "編集：パーツ: このパーツを使っているポジションを削除しますか？"}));
    EXPECT_EQ(view.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(view.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(Rows().size(), 4u);

    view.WillAnswer(MessageAnswer::Yes);
    DoubleClickRow(IDC_PARTS_LIST, 1);
    Press(IDC_PARTS_DELETE);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"     0｜.\\a.x", "     1｜.\\c.x",
                                                "     2｜.\\unused.x"}));
    EXPECT_EQ(Selection(), 1);
    EXPECT_EQ(view[IDC_PARTS_FILE_NAME].text, "");
    EXPECT_EQ(WorkingPartNumbers(), (PartNumbers{{{0, 1}, {1}}}));

    view.WillAnswer(MessageAnswer::Yes);
    PickRow(IDC_PARTS_LIST, 2);
    Press(IDC_PARTS_DELETE);
    EXPECT_EQ(Selection(), 1) << "the new last row";
}

TEST_F(PartsDialogTest, MovesRenumberThePositionsAndTakeTheSelectionAlong) {
    OpenOn(ThreeParts());
    PickRow(IDC_PARTS_LIST, 0);
    Press(IDC_PARTS_DOWN);
    EXPECT_EQ(Rows()[1], "     1｜.\\a.x");
    EXPECT_EQ(Selection(), 1);
    EXPECT_EQ(WorkingPartNumbers(), (PartNumbers{{{1, 0, 2}, {2, 0}}}));
    Press(IDC_PARTS_UP);
    EXPECT_EQ(Selection(), 0);
    EXPECT_EQ(WorkingPartNumbers(), (PartNumbers{{{0, 1, 2}, {2, 1}}}));

    const int fills = view.fills;
    Press(IDC_PARTS_UP);
    PickRow(IDC_PARTS_LIST, 2);
    Press(IDC_PARTS_DOWN);
    EXPECT_EQ(view.fills, fills);
    EXPECT_TRUE(view.messages.empty());

    PickRow(IDC_PARTS_LIST, app::kNoSelection);
    Press(IDC_PARTS_UP);
    Press(IDC_PARTS_DOWN);
    EXPECT_EQ(Messages(),
              (std::vector<std::string>(2, "編集：パーツ: 一覧からアイテムを指定してください。")));
}

TEST_F(PartsDialogTest, BrowseTakesTheChosenPathAsIs) {
    OpenOn(ThreeParts());
    view.WillCancelChooser();
    Press(IDC_PARTS_BROWSE);
    EXPECT_EQ(view[IDC_PARTS_FILE_NAME].text, "");
    const std::string chosen = "C:\\figures\\" + std::string(60, 'x') + ".x";
    view.WillChooseFile(chosen);
    Press(IDC_PARTS_BROWSE);
    EXPECT_EQ(view[IDC_PARTS_FILE_NAME].text, chosen);
    Press(IDC_PARTS_REGISTER);
    EXPECT_EQ(Part(3), chosen.substr(0, 63));

    ASSERT_EQ(view.chooserRequests.size(), 2u);
    const document::FileChooserRequest &request = view.chooserRequests[1];
    EXPECT_EQ(request.mode, document::FileChooserMode::Open);
    EXPECT_EQ(request.owner, view.Window());
    ASSERT_EQ(request.filters.size(), 1u);
    EXPECT_EQ(request.filters[0].description, ".X Files (.x)");
    EXPECT_EQ(request.filters[0].pattern, "*.x");
    EXPECT_EQ(request.title, "Load X-File");
    EXPECT_TRUE(request.pathMustExist && request.fileMustExist);
}

TEST_F(PartsDialogTest, CommitWarnsOfAPartThatDoesNotLoadAndStillCommits) {
    Show(ThreeParts());
    editor.state.currentDocument.selectedFrame = 1;
    editor.state.currentDocument.selectedPosition = 1;
    app::ResetUndo(editor.state);
    const std::vector<uint8_t> before = CurrentBytes();
    controller = MakePartsDialog(editor);
    controller->OnInit(view);

    view[IDC_PARTS_FILE_NAME].text = "missing.x";
    Press(IDC_PARTS_REGISTER);
    int sceneReadyDuringWarning = -1;
    view.whileShowing = [&] { sceneReadyDuringWarning = editor.state.scene.sceneReady; };
    Press(IDC_PARTS_COMMIT);

    ASSERT_EQ(Messages(), (std::vector<std::string>{
                              "編集：パーツ: Xファイルの読み込みに失敗しました。(.\\missing.x)"}));
    EXPECT_EQ(view.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(sceneReadyDuringWarning, 0);
    EXPECT_TRUE(view.ended);
    EXPECT_EQ(view.result, 0);

    const document::EditorDocument &current = editor.state.currentDocument;
    EXPECT_EQ(Current().parts.back(), ".\\missing.x");
    EXPECT_EQ(CurrentSelection(), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(editor.state.undo.UndoCount(), 1);
    EXPECT_EQ(FilePath(), "\x01");
    EXPECT_EQ(editor.state.scene.sceneReady, 1);
    ASSERT_EQ(current.partMeshes.size(), 4u);
    EXPECT_NE(current.partMeshes[0], nullptr);
    EXPECT_EQ(current.partMeshes[3], nullptr);
    EXPECT_EQ(Working().partMeshes.size(), 4u);

    // Undo brings back the parts and the selection, with meshes for them.
    app::UndoCommand(editor);
    EXPECT_EQ(CurrentBytes(), before);
    EXPECT_EQ(CurrentSelection(), (std::vector<int>{0, 1, 1}));
    EXPECT_EQ(current.partMeshes.size(), 3u);
}

TEST_F(PartsDialogTest, CommitWithoutChangesStillResetsTheSelectionAndKeepsAFilePath) {
    Show(ThreeParts());
    base::StoreFieldText(editor.state.filePath.data(), editor.state.filePath.size(),
                         "C:\\robot.mvl");
    editor.state.currentDocument.selectedPosition = 2;
    controller = MakePartsDialog(editor);
    controller->OnInit(view);
    Press(IDC_PARTS_COMMIT);
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(CurrentSelection(), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(FilePath(), "C:\\robot.mvl");
    EXPECT_EQ(editor.state.undo.UndoCount(), 1);
}

TEST_F(PartsDialogTest, CancelLoadsTheWorkingCopysMeshesAgainAndLeavesTheDocument) {
    OpenOn(ThreeParts());
    const std::vector<uint8_t> before = CurrentBytes();
    view[IDC_PARTS_FILE_NAME].text = "gone.x";
    Press(IDC_PARTS_REGISTER);
    Press(app::kDialogOk);
    EXPECT_FALSE(view.ended) << "Enter does nothing";

    editor.state.scene.sceneReady = 1;
    Press(app::kDialogCancel);
    EXPECT_TRUE(view.ended);
    EXPECT_EQ(
        Messages(),
        (std::vector<std::string>{"編集：パーツ: Xファイルの読み込みに失敗しました。(.\\gone.x)"}));
    EXPECT_EQ(Working().partMeshes.size(), 4u);
    EXPECT_EQ(CurrentBytes(), before);
    EXPECT_EQ(editor.state.undo.UndoCount(), 0);
    EXPECT_EQ(FilePath(), "");
    EXPECT_EQ(editor.state.scene.sceneReady, 1);
}

TEST_F(PartsDialogTest, ThePartsCommandRunsTheDialogOfTheProgramsTable) {
    Show(ThreeParts());
    dialogs.makers["IDD_EDIT_PARTS"] = [](app::Editor &e) {
        return EditDialogFactory().Create("IDD_EDIT_PARTS", e);
    };
    shell.dialogRunner = [](const std::string &, app::DialogController &dialog) {
        app::fakes::FakeDialogView v;
        dialog.OnInit(v);
        v[IDC_PARTS_LIST].selection = 2;
        v.WillAnswer(MessageAnswer::Yes);
        dialog.OnCommand(v, IDC_PARTS_DELETE, app::kNotifyClicked);
        dialog.OnCommand(v, IDC_PARTS_COMMIT, app::kNotifyClicked);
        return v.ended;
    };
    device->ClearCalls();
    app::RunCommand(editor, CMD_EDIT_PARTS);
    EXPECT_EQ(Current().parts, (std::vector<std::string>{".\\a.x", ".\\b.x"}));
    EXPECT_EQ(document::testing::PartNumbers(editor.state.currentDocument.document),
              (PartNumbers{{{0, 1}, {1}}}));
    EXPECT_EQ(device->Count("Present"), 1u);
}

}  // namespace
}  // namespace morvel::dialogs
