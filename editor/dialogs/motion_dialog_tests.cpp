#include <gtest/gtest.h>

#include <filesystem>

#include "app/command_dispatch.h"
#include "app/command_ids.h"
#include "app/history.h"
#include "base/field_text.h"
#include "controller_fixture.h"
#include "dialogs/edit_dialog_factory.h"
#include "dialogs/motion_dialog.h"
#include "dialogs/user_code_prompt.h"

namespace morvel::dialogs {
namespace {

using document::MessageAnswer;
using document::MessageButtons;
using document::MessageIcon;
using document::testing::DocumentContents;
using document::testing::MakePosition;

DocumentContents ThreeMotions() {
    return {{".\\a.x", ".\\b.x"},
            {{"walk",
              "step.wav",
              {{"f0", {MakePosition(0, 1), MakePosition(1, 2)}}, {"f1", {MakePosition(1, 3)}}}},
             {"idle", "", {}},
             {"jump", "", {{"up", {MakePosition(0, 4)}}}}}};
}

class MotionDialogTest : public testing::ControllerFixture {
protected:
    void OpenOn(const DocumentContents &contents) { Open(MakeMotionDialog, contents); }
    std::vector<std::string> &Rows() { return view[IDC_MOTION_LIST].rows; }
    int Selection() { return view[IDC_MOTION_LIST].selection; }
    const MotionEntry &WorkingMotion(int m) { return Working().document.motions[m]; }
    std::string Name(int m) { return base::FieldText(WorkingMotion(m).name, 16); }
    std::string Sound(int m) { return base::FieldText(WorkingMotion(m).soundFileName, 64); }
    std::vector<bool> Enabled() {
        std::vector<bool> states;
        for (int id : {IDC_MOTION_DELETE, IDC_MOTION_COPY, IDC_MOTION_EXPORT, IDC_MOTION_UP,
                       IDC_MOTION_DOWN}) {
            states.push_back(view[id].enabled);
        }
        return states;
    }
};

TEST_F(MotionDialogTest, OpensOnACopyWithOneLinePerMotionAndTheFirstRowSelected) {
    view[IDC_MOTION_NUMBER].text = "No.";
    view[IDC_MOTION_FRAME_COUNT].text = "999";
    OpenOn(ThreeMotions());
    EXPECT_EQ(Rows(),
              (std::vector<std::string>{"     0｜        2｜walk", "     1｜        0｜idle",
                                        "     2｜        1｜jump"}));
    EXPECT_EQ(Selection(), 0);
    for (int id : {IDC_MOTION_NUMBER, IDC_MOTION_FRAME_COUNT, IDC_MOTION_NAME, IDC_MOTION_SOUND}) {
        EXPECT_EQ(view[id].text, "") << id;
    }
    EXPECT_EQ(Enabled(), (std::vector<bool>{true, true, true, false, true}));
    EXPECT_EQ(document::testing::EncodedBytes(Working().document), CurrentBytes());
    EXPECT_EQ(Working().partMeshes.size(), 2u);

    PickRow(IDC_MOTION_LIST, 2);
    EXPECT_EQ(Enabled(), (std::vector<bool>{true, true, true, true, false}));
    PickRow(IDC_MOTION_LIST, app::kNoSelection);
    EXPECT_EQ(Enabled(), (std::vector<bool>{true, true, true, false, false}));
}

TEST_F(MotionDialogTest, AnEmptyTableRefusesUpdateAndGrowsByRegister) {
    OpenOn({{".\\a.x"}, {}});
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(Selection(), app::kNoSelection);
    EXPECT_EQ(Enabled(), (std::vector<bool>(5, false)));

    view[IDC_MOTION_NAME].text = "run";
    Press(IDC_MOTION_UPDATE);
    ASSERT_EQ(Messages(),
              (std::vector<std::string>{"編集：モーション: 指定されたNo.はありません。"}));
    EXPECT_EQ(view.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(view.messages[0].owner, view.Window());
    EXPECT_EQ(Working().document.header.motionCount, 0);

    Press(IDC_MOTION_REGISTER);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"     0｜        0｜run"}));
    EXPECT_EQ(Selection(), 0);
    EXPECT_EQ(Sound(0), "");
    EXPECT_EQ(WorkingMotion(0).frameCount, 0);
    EXPECT_EQ(view[IDC_MOTION_NAME].text, "") << "the detail fields are cleared";
    EXPECT_EQ(Enabled(), (std::vector<bool>{true, true, true, false, false}));

    // Empty texts are accepted; the new motion is selected.
    Press(IDC_MOTION_REGISTER);
    EXPECT_EQ(Rows().back(), "     1｜        0｜");
    EXPECT_EQ(Selection(), 1);
}

TEST_F(MotionDialogTest, UpdateChangesTheSelectedRowWithTextsCutToTheirFields) {
    OpenOn(ThreeMotions());
    DoubleClickRow(IDC_MOTION_LIST, 0);
    EXPECT_EQ(view[IDC_MOTION_NUMBER].text, "0");
    EXPECT_EQ(view[IDC_MOTION_FRAME_COUNT].text, "2");
    EXPECT_EQ(view[IDC_MOTION_NAME].text, "walk");
    EXPECT_EQ(view[IDC_MOTION_SOUND].text, "step.wav");

    // The loaded number does not matter: the selected row is changed.
    PickRow(IDC_MOTION_LIST, 1);
    const std::string fourteen(14, 'n');
    view[IDC_MOTION_NAME].text = fourteen + "あ";  // the double-byte character would end at 16
    view[IDC_MOTION_SOUND].text = std::string(70, 's');
    Press(IDC_MOTION_UPDATE);
    EXPECT_EQ(Name(1), fourteen);
    EXPECT_EQ(Sound(1), std::string(63, 's'));
    EXPECT_EQ(Name(0), "walk");
    EXPECT_EQ(WorkingMotion(1).frameCount, 0);
    EXPECT_EQ(Selection(), 1);
    EXPECT_EQ(Rows()[1], "     1｜        0｜" + fourteen);
    EXPECT_EQ(view[IDC_MOTION_NAME].text, fourteen + "あ") << "the fields keep their text";

    view[IDC_MOTION_NAME].text = std::string(20, 'r');
    Press(IDC_MOTION_REGISTER);
    EXPECT_EQ(Name(3), std::string(15, 'r'));
    EXPECT_EQ(Sound(3), std::string(63, 's'));
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(MotionDialogTest, DeleteAsksOnlyForMotionsWithFramesAndSelectsTheFollowingRow) {
    OpenOn(ThreeMotions());
    PickRow(IDC_MOTION_LIST, app::kNoSelection);
    Press(IDC_MOTION_DELETE);
    ASSERT_EQ(Messages(),
              (std::vector<std::string>{"編集：モーション: 一覧からアイテムを指定してください。"}));
    EXPECT_EQ(view.messages[0].icon, MessageIcon::Warning);

    PickRow(IDC_MOTION_LIST, 0);
    view.messages.clear();
    Press(IDC_MOTION_DELETE);  // answered No
    ASSERT_EQ(Messages(),
              (std::vector<std::string>{"編集：モーション: フレームがあります。破棄しますか？"}));
    EXPECT_EQ(view.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(view.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(Rows().size(), 3u);

    view.WillAnswer(MessageAnswer::Yes);
    DoubleClickRow(IDC_MOTION_LIST, 0);
    Press(IDC_MOTION_DELETE);
    EXPECT_EQ(Rows(),
              (std::vector<std::string>{"     0｜        0｜idle", "     1｜        1｜jump"}));
    EXPECT_EQ(Selection(), 0);
    EXPECT_EQ(view[IDC_MOTION_NAME].text, "");

    // A motion without frames goes without a question.
    view.messages.clear();
    Press(IDC_MOTION_DELETE);
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(Rows(), (std::vector<std::string>{"     0｜        1｜jump"}));

    view.WillAnswer(MessageAnswer::Yes);
    Press(IDC_MOTION_DELETE);
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(Selection(), app::kNoSelection);
    EXPECT_EQ(Enabled(), (std::vector<bool>(5, false)));
}

TEST_F(MotionDialogTest, DeletingTheLastRowSelectsTheNewLastRow) {
    OpenOn(ThreeMotions());
    PickRow(IDC_MOTION_LIST, 2);
    view.WillAnswer(MessageAnswer::Yes);
    Press(IDC_MOTION_DELETE);
    EXPECT_EQ(Rows().size(), 2u);
    EXPECT_EQ(Selection(), 1);
    EXPECT_FALSE(view[IDC_MOTION_DOWN].enabled);
}

TEST_F(MotionDialogTest, MovesTakeTheSelectionAlongAndLeaveTheListAloneAtTheEnds) {
    OpenOn(ThreeMotions());
    PickRow(IDC_MOTION_LIST, 1);
    Press(IDC_MOTION_UP);
    EXPECT_EQ(Rows()[0], "     0｜        0｜idle");
    EXPECT_EQ(Rows()[1], "     1｜        2｜walk");
    EXPECT_EQ(Selection(), 0);
    EXPECT_FALSE(view[IDC_MOTION_UP].enabled);
    EXPECT_EQ(WorkingMotion(1).frames[1].positionCount, 1) << "frames travel with their motion";

    const int fills = view.fills;
    Press(IDC_MOTION_UP);
    PickRow(IDC_MOTION_LIST, 2);
    Press(IDC_MOTION_DOWN);
    EXPECT_EQ(view.fills, fills) << "a move that changes nothing leaves the list";
    EXPECT_EQ(Selection(), 2);

    PickRow(IDC_MOTION_LIST, 1);
    Press(IDC_MOTION_DOWN);
    EXPECT_EQ(Name(2), "walk");
    EXPECT_EQ(Selection(), 2);
    EXPECT_TRUE(view.messages.empty());

    PickRow(IDC_MOTION_LIST, app::kNoSelection);
    Press(IDC_MOTION_UP);
    Press(IDC_MOTION_DOWN);
    EXPECT_EQ(Messages(), (std::vector<std::string>(
                              2, "編集：モーション: 一覧からアイテムを指定してください。")));
}

TEST_F(MotionDialogTest, CopyPutsAnIndependentDuplicateBelowTheSelectedRow) {
    OpenOn(ThreeMotions());
    PickRow(IDC_MOTION_LIST, 0);
    Press(IDC_MOTION_COPY);
    ASSERT_EQ(Rows().size(), 4u);
    EXPECT_EQ(Rows()[1], "     1｜        2｜walk");
    EXPECT_EQ(Selection(), 0);
    EXPECT_NE(WorkingMotion(0).frames, WorkingMotion(1).frames);

    PickRow(IDC_MOTION_LIST, app::kNoSelection);
    Press(IDC_MOTION_COPY);
    ASSERT_EQ(Messages(),
              (std::vector<std::string>{"編集：モーション: 一覧からアイテムを指定してください。"}));
    EXPECT_EQ(view.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(Rows().size(), 4u);
}

TEST_F(MotionDialogTest, BrowseFillsTheSoundFieldFromAWaveChooser) {
    OpenOn(ThreeMotions());
    view[IDC_MOTION_SOUND].text = "old.wav";
    view.WillCancelChooser();
    Press(IDC_MOTION_BROWSE);
    EXPECT_EQ(view[IDC_MOTION_SOUND].text, "old.wav");
    view.WillChooseFile("C:\\音\\step.wav");
    Press(IDC_MOTION_BROWSE);
    EXPECT_EQ(view[IDC_MOTION_SOUND].text, "C:\\音\\step.wav");

    ASSERT_EQ(view.chooserRequests.size(), 2u);
    const document::FileChooserRequest &request = view.chooserRequests[1];
    EXPECT_EQ(request.mode, document::FileChooserMode::Open);
    EXPECT_EQ(request.owner, view.Window());
    ASSERT_EQ(request.filters.size(), 1u);
    EXPECT_EQ(request.filters[0].description, ".Wav Files (.wav)");
    EXPECT_EQ(request.filters[0].pattern, "*.wav");
    EXPECT_EQ(request.title, "Get Wave-File");
    EXPECT_TRUE(request.pathMustExist && request.fileMustExist);
}

TEST_F(MotionDialogTest, ExportAndImportSayWhenTheySucceedAndPutTheFolderBack) {
    OpenOn(ThreeMotions());
    shell.currentDirectory = "C:\\work";
    view.whileChoosing = [this] { shell.currentDirectory = "C:\\elsewhere"; };
    const std::vector<uint8_t> before = CurrentBytes();

    PickRow(IDC_MOTION_LIST, 0);
    view.WillChooseFile(folder.Path("walk"));
    Press(IDC_MOTION_EXPORT);
    EXPECT_TRUE(std::filesystem::exists(folder.Path("walk.mvx")));
    ASSERT_EQ(Messages(),
              (std::vector<std::string>{"編集：モーション: 正常にエクスポートしました"}));
    EXPECT_EQ(view.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(shell.currentDirectory, "C:\\work");

    PickRow(IDC_MOTION_LIST, 2);
    view.WillChooseFile(folder.Path("walk.mvx"));
    Press(IDC_MOTION_IMPORT);
    ASSERT_EQ(Rows().size(), 4u);
    EXPECT_EQ(Rows()[3], "     3｜        2｜walk");
    EXPECT_EQ(Selection(), 0);
    EXPECT_EQ(Messages().back(), "編集：モーション: 正常にインポートしました");
    EXPECT_EQ(view.messages.back().icon, MessageIcon::Information);
    EXPECT_EQ(shell.currentDirectory, "C:\\work");
    EXPECT_EQ(CurrentBytes(), before) << "imports go into the working copy";

    // Cancelled and failed flows say nothing from this dialog.
    view.messages.clear();
    view.WillCancelChooser();
    Press(IDC_MOTION_IMPORT);
    view.WillCancelChooser();
    Press(IDC_MOTION_EXPORT);
    EXPECT_TRUE(view.messages.empty());
    view.WillChooseFile(folder.Path("missing/walk.mvx"));
    Press(IDC_MOTION_EXPORT);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_NE(view.messages[0].text, "正常にエクスポートしました");
    EXPECT_EQ(Rows().size(), 4u);
    EXPECT_EQ(shell.currentDirectory, "C:\\work");

    view.messages.clear();
    PickRow(IDC_MOTION_LIST, app::kNoSelection);
    const size_t choosers = view.chooserRequests.size();
    Press(IDC_MOTION_EXPORT);
    ASSERT_EQ(Messages(),
              (std::vector<std::string>{"編集：モーション: 一覧からアイテムを指定してください。"}));
    EXPECT_EQ(view.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(view.chooserRequests.size(), choosers);
}

TEST_F(MotionDialogTest, CommitMakesTheWorkingCopyCurrentAsOneUndoStep) {
    Show(ThreeMotions());
    editor.state.currentDocument.selectedMotion = 2;
    app::ResetUndo(editor.state);
    const std::vector<uint8_t> before = CurrentBytes();
    controller = MakeMotionDialog(editor);
    controller->OnInit(view);
    PickRow(IDC_MOTION_LIST, 2);
    view.WillAnswer(MessageAnswer::Yes);
    Press(IDC_MOTION_DELETE);
    Press(IDC_MOTION_COMMIT);

    EXPECT_TRUE(view.ended);
    EXPECT_EQ(view.result, 0);
    document::EditorDocument &current = editor.state.currentDocument;
    EXPECT_EQ(current.document.header.motionCount, 2);
    EXPECT_EQ(
        (std::vector<int>{current.selectedMotion, current.selectedFrame, current.selectedPosition}),
        (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(editor.state.undo.UndoCount(), 1);
    EXPECT_EQ(FilePath(), "\x01");
    EXPECT_EQ(editor.state.scene.sceneReady, 1);
    ASSERT_EQ(current.partMeshes.size(), 2u);
    EXPECT_NE(current.partMeshes[1], nullptr);

    app::UndoCommand(editor);
    EXPECT_EQ(CurrentBytes(), before);
    EXPECT_EQ(editor.state.currentDocument.selectedMotion, 2);
}

TEST_F(MotionDialogTest, CommitKeepsASelectionThatIsStillInRangeAndAFilePath) {
    Show(ThreeMotions());
    base::StoreFieldText(editor.state.filePath.data(), editor.state.filePath.size(),
                         "C:\\robot.mvl");
    editor.state.currentDocument.selectedMotion = 1;
    controller = MakeMotionDialog(editor);
    controller->OnInit(view);
    PickRow(IDC_MOTION_LIST, 0);
    Press(IDC_MOTION_DOWN);
    Press(IDC_MOTION_COMMIT);
    // Motion 1 is now "walk": the index is kept, not the motion.
    EXPECT_EQ(editor.state.currentDocument.selectedMotion, 1);
    EXPECT_EQ(base::FieldText(editor.state.currentDocument.document.motions[1].name, 16), "walk");
    EXPECT_EQ(FilePath(), "C:\\robot.mvl");
}

TEST_F(MotionDialogTest, CancelAndEscapeDropTheEditsAndEnterDoesNothing) {
    OpenOn(ThreeMotions());
    const std::vector<uint8_t> before = CurrentBytes();
    PickRow(IDC_MOTION_LIST, 1);
    Press(IDC_MOTION_DELETE);
    Press(IDC_MOTION_REGISTER);
    Press(app::kDialogOk);
    EXPECT_FALSE(view.ended);
    Press(app::kDialogCancel);
    EXPECT_TRUE(view.ended);
    EXPECT_EQ(view.result, 0);
    EXPECT_EQ(CurrentBytes(), before);
    EXPECT_EQ(editor.state.undo.UndoCount(), 0);
    EXPECT_EQ(FilePath(), "");
}

TEST_F(MotionDialogTest, TheMotionCommandRunsTheDialogOfTheProgramsTable) {
    Show(ThreeMotions());
    dialogs.makers["IDD_EDIT_MOTION"] = [](app::Editor &e) {
        return EditDialogFactory().Create("IDD_EDIT_MOTION", e);
    };
    shell.dialogRunner = [](const std::string &, app::DialogController &dialog) {
        app::fakes::FakeDialogView v;
        dialog.OnInit(v);
        v[IDC_MOTION_NAME].text = "run";
        dialog.OnCommand(v, IDC_MOTION_REGISTER, app::kNotifyClicked);
        dialog.OnCommand(v, IDC_MOTION_COMMIT, app::kNotifyClicked);
        return v.ended;
    };
    device->ClearCalls();
    app::RunCommand(editor, CMD_EDIT_MOTION);
    EXPECT_TRUE(shell.messages.empty());
    EXPECT_EQ(Current().motions.back().name, "run");
    EXPECT_EQ(device->Count("Present"), 1u);
}

}  // namespace
}  // namespace morvel::dialogs
