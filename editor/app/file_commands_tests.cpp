#include <gtest/gtest.h>

#include "app/command_dispatch.h"
#include "app/command_ids.h"
#include "app/commands.h"
#include "app/fakes/editor_fixture.h"
#include "app/file_commands.h"
#include "app/main_window_events.h"
#include "app/pose_editing.h"
#include "app/recent_files.h"
#include "formats/motion/motion_file_writer.h"

namespace morvel::app {
namespace {

using document::MessageAnswer;
using document::testing::DocumentContents;
using document::testing::MakePosition;

DocumentContents Figure() {
    return {{".\\body.x", ".\\arm.x"},
            {{"walk", "", {{"f0", {MakePosition(0, 1), MakePosition(1, 2)}}}}, {"wave", "", {}}}};
}

class FileCommandsTest : public fakes::EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        MakePartsLoadable(Figure());
        path = WriteMotionFile("walk.mvl", Figure());
        keys.keys["Software\\Kelvarin\\Morvel"];
    }
    void OpenChosen(const std::string &chosen) {
        shell.WillChooseFile(chosen);
        RunCommand(editor, CMD_FILE_OPEN);
    }
    // The prompt (a dialog of the layer above) answers with code, or is
    // cancelled: what it leaves in the editor's user-code buffer.
    void PromptAnswers(const std::optional<std::string> &code) {
        dialogs.makers["IDD_USERCODE"] = [](Editor &) {
            return std::make_unique<fakes::InertController>();
        };
        shell.dialogRunner = [this, code](const std::string &name, DialogController &) {
            if (name != "IDD_USERCODE") return false;
            UserCodeBuffer &buffer = editor.state.userCode;
            buffer.fill('\0');
            if (code) {
                code->copy(buffer.data(), buffer.size() - 1);
            } else {
                buffer[0] = static_cast<char>(kUserCodeCancelled);
            }
            return true;
        };
    }
    size_t Prompts() const { return std::count(shell.dialogsRun.begin(), shell.dialogsRun.end(), "IDD_USERCODE"); }
    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const auto &m : shell.messages) texts.push_back(m.text);
        return texts;
    }

    std::string path;
};

TEST_F(FileCommandsTest, OpeningAFileAdoptsItEverywhere) {
    SetEditMode(editor, kModeScale);
    OpenChosen(path);
    ASSERT_EQ(shell.chooserRequests.size(), 1u);
    EXPECT_EQ(shell.chooserRequests[0].title, "Morvelファイル読込");
    EXPECT_EQ(shell.directoryChanges, std::vector<std::string>{FolderOfPath(path)})
        << "the chosen file's folder becomes the current directory";
    EXPECT_EQ(FilePath(), path);
    EXPECT_EQ(shell.title, "Morvel Version 2.01 [" + path + "]");
    EXPECT_TRUE(shell.menuEnabled.at(CMD_FILE_SAVE));
    EXPECT_EQ(Current().motions.size(), 2u);
    EXPECT_EQ(editor.state.currentDocument.partMeshes.size(), 2u);
    EXPECT_EQ(editor.state.editMode, kModeView);
    EXPECT_EQ(editor.state.undo.UndoCount(), 0);
    EXPECT_EQ(shell.RecentMenuItems().size(), 1u);
    EXPECT_EQ(editor.state.scene.sceneReady, 1);
    EXPECT_TRUE(shell.messages.empty());
}

TEST_F(FileCommandsTest, NewLeavesTheFirstFrameToAQueuedOpenAndAFailedOneDrawsIt) {
    for (const bool readable : {true, false}) {
        editor.state.pendingOpenPath = readable ? path : path + ".missing";
        device->ClearCalls();
        RunCommand(editor, CMD_FILE_NEW);
        EXPECT_EQ(device->Count("Present"), 0u) << "the open queued behind New draws";
        RunCommand(editor, CMD_OPEN_PENDING_FILE);
        EXPECT_EQ(device->Count("Present"), 1u) << readable;
        EXPECT_EQ(Current().motions.size(), readable ? 2u : 0u);
        shell.messages.clear();
        editor.state.filePath.fill('\0');
    }
}

TEST_F(FileCommandsTest, NewAsksOnlyWhenSomethingCouldBeLost) {
    RunCommand(editor, CMD_FILE_NEW);
    EXPECT_TRUE(shell.messages.empty()) << "an untouched new document";
    OpenChosen(path);
    RunCommand(editor, CMD_FILE_NEW);  // unanswered: No
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0].text, "現在編集されていますが、破棄しますか？");
    EXPECT_EQ(shell.messages[0].caption, "新規作成");
    EXPECT_EQ(FilePath(), path);
    shell.WillAnswer(MessageAnswer::Yes);
    RunCommand(editor, CMD_FILE_NEW);
    EXPECT_EQ(FilePath(), "");
    EXPECT_TRUE(Current().motions.empty());
    EXPECT_FALSE(shell.menuEnabled.at(CMD_FILE_SAVE));
    EXPECT_EQ(shell.title, "Morvel Version 2.01 [新規]");
}

TEST_F(FileCommandsTest, AFailedOrCancelledOpenKeepsTheCurrentDocument) {
    OpenChosen(path);
    const auto shown = document::testing::EncodedBytes(editor.state.currentDocument.document);

    shell.WillAnswer(MessageAnswer::Yes);
    shell.WillCancelChooser();
    RunCommand(editor, CMD_FILE_OPEN);
    EXPECT_EQ(shell.messages.size(), 1u) << "cancelling the chooser says nothing";

    document::testing::WriteBytes(folder.Path("junk.mvl"), {'n', 'o', 'p', 'e'});
    shell.WillAnswer(MessageAnswer::Yes);
    OpenChosen(folder.Path("junk.mvl"));
    EXPECT_EQ(MessageTexts().back(), "ファイルの読込に失敗しました。");
    EXPECT_EQ(shell.messages.back().caption, "開く");
    EXPECT_EQ(shell.messages.back().icon, document::MessageIcon::Warning);
    EXPECT_EQ(document::testing::EncodedBytes(editor.state.currentDocument.document), shown);
    EXPECT_EQ(FilePath(), path);
    EXPECT_EQ(editor.state.scene.sceneReady, 1);
}

TEST_F(FileCommandsTest, AProtectedFileAsksForItsCodeOncePerOpen) {
    const std::string locked = WriteMotionFile("locked.mvl", Figure(), "secret");
    PromptAnswers("wrong");
    OpenChosen(locked);
    EXPECT_EQ(Prompts(), 1u);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{"ユーザ識別コードに誤りがあります。"});
    EXPECT_EQ(FilePath(), "");

    PromptAnswers(std::nullopt);
    OpenChosen(locked);
    EXPECT_EQ(Prompts(), 2u);
    EXPECT_EQ(shell.messages.size(), 1u) << "cancelling the prompt ends silently";

    PromptAnswers("secret");
    OpenChosen(locked);
    EXPECT_EQ(FilePath(), locked);
    EXPECT_EQ(shell.chooserRequests.size(), 3u) << "the second attempt reuses the path";

    // An unprotected file never shows the prompt.
    shell.WillAnswer(MessageAnswer::Yes);
    OpenChosen(path);
    EXPECT_EQ(Prompts(), 3u);
}

TEST_F(FileCommandsTest, APromptThatCannotBeCreatedSaysSo) {
    const std::string locked = WriteMotionFile("locked.mvl", Figure(), "secret");
    OpenChosen(locked);
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0].text, "ダイアログ作成失敗");
    EXPECT_EQ(shell.messages[0].caption, "バージョン情報");
    EXPECT_EQ(FilePath(), "");
}

TEST_F(FileCommandsTest, ARecentProtectedFileReusesItsPathForTheSecondAttempt) {
    const std::string locked = WriteMotionFile("locked.mvl", Figure(), "secret");
    editor.state.recentFiles[0].fill('\0');
    std::copy(locked.begin(), locked.end(), editor.state.recentFiles[0].begin());
    PromptAnswers("secret");
    RunCommand(editor, CMD_RECENT_FILE_0);
    EXPECT_TRUE(shell.chooserRequests.empty());
    EXPECT_EQ(FilePath(), locked);
}

TEST_F(FileCommandsTest, AnotherVersionAsksBeforeReplacingTheDocument) {
    OpenChosen(path);
    auto bytes = document::testing::ReadBytes(path);
    // The version field lies at byte 4, scrambled with the magic's first byte.
    bytes[7] = static_cast<uint8_t>('1' ^ 'M');
    const std::string other = folder.Path("old.mvl");
    document::testing::WriteBytes(other, bytes);

    shell.WillAnswer(MessageAnswer::Yes);  // discard
    shell.WillAnswer(MessageAnswer::No);   // other version
    OpenChosen(other);
    EXPECT_EQ(MessageTexts().back(), "ファイルのバージョンが異なります。読み込みますか？");
    EXPECT_EQ(FilePath(), path);

    shell.WillAnswer(MessageAnswer::Yes);
    shell.WillAnswer(MessageAnswer::Yes);
    OpenChosen(other);
    EXPECT_EQ(FilePath(), other);
    // Saving that version asks too.
    RunCommand(editor, CMD_FILE_SAVE);
    EXPECT_EQ(MessageTexts().back(), "ファイルのバージョンが異なります。書き換えますか？");
    EXPECT_EQ(shell.messages.back().caption, "上書き保存");
    EXPECT_EQ(document::testing::ReadBytes(other), bytes);
}

TEST_F(FileCommandsTest, MissingMeshesWarnAndTheFileStillOpens) {
    render::fakes::FakeAssets::meshes.erase(".\\arm.x");
    OpenChosen(path);
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0].text, "Xファイルの読み込みに失敗しました。(.\\arm.x)");
    EXPECT_EQ(shell.messages[0].icon, document::MessageIcon::Warning);
    EXPECT_EQ(FilePath(), path);
    EXPECT_EQ(editor.state.currentDocument.partMeshes[1], nullptr);
}

TEST_F(FileCommandsTest, SaveWithoutAFileTurnsIntoSaveAs) {
    RunCommand(editor, CMD_FILE_SAVE);
    ASSERT_EQ(shell.posted.size(), 1u);
    EXPECT_EQ(shell.posted[0].value, CMD_FILE_SAVE_AS);
    shell.WillChooseFile(folder.Path("fresh"));
    Pump();
    EXPECT_EQ(shell.chooserRequests.back().title, "Morvelファイル保存");
    EXPECT_EQ(FilePath(), folder.Path("fresh.mvl"));
    EXPECT_TRUE(shell.menuEnabled.at(CMD_FILE_SAVE));
    EXPECT_EQ(shell.RecentMenuItems().front().second, folder.Path("fresh.mvl"));
    EXPECT_EQ(shell.title, "Morvel Version 2.01 [" + folder.Path("fresh.mvl") + "]");
    EXPECT_EQ(document::testing::ReadBytes(FilePath()).size(), 192u);
}

TEST_F(FileCommandsTest, AFailedSaveKeepsTheFileName) {
    OpenChosen(path);
    shell.WillChooseFile(folder.Path("no-such-folder/x.mvl"));
    RunCommand(editor, CMD_FILE_SAVE_AS);
    EXPECT_EQ(MessageTexts().back(), "ファイルの保存に失敗しました。");
    EXPECT_EQ(shell.messages.back().caption, "名前を付けて保存");
    EXPECT_EQ(FilePath(), path);
    EXPECT_EQ(shell.RecentMenuItems().size(), 1u);
}

TEST_F(FileCommandsTest, ClosingAsksWheneverAFileIsOpen) {
    CloseRequested(editor);
    EXPECT_TRUE(shell.destroyed);
    EXPECT_TRUE(shell.messages.empty());

    shell.destroyed = false;
    OpenChosen(path);
    KeyPressed(editor, kKeyF12, false, false);
    Pump();
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0].text, "現在編集されていますが、終了しますか？");
    EXPECT_EQ(shell.messages[0].caption, "閉じる");
    EXPECT_FALSE(shell.destroyed);
    shell.WillAnswer(MessageAnswer::Yes);
    RunCommand(editor, CMD_FILE_EXIT);
    Pump();
    EXPECT_TRUE(shell.destroyed);
}

TEST_F(FileCommandsTest, DestroyingLetsTheHelpFileGoAndQuits) {
    Destroyed(editor);
    ASSERT_EQ(shell.helpCalls.size(), 1u);
    EXPECT_EQ(shell.helpCalls[0].command, HelpCommand::Quit);
    EXPECT_EQ(Pump(), 0);
}

TEST_F(FileCommandsTest, ADroppedFileOpensThroughTheOpenFlow) {
    OpenChosen(path);
    const std::string other = WriteMotionFile("other.mvl", Figure());
    FileDropped(editor, other);
    shell.WillAnswer(MessageAnswer::Yes);
    Pump();
    EXPECT_EQ(shell.messages.back().caption, "開く");
    EXPECT_EQ(FilePath(), other);
    EXPECT_EQ(shell.chooserRequests.size(), 1u);
}

}  // namespace
}  // namespace morvel::app
