#include "app/startup.h"

#include <gtest/gtest.h>

#include "app/command_dispatch.h"
#include "app/command_ids.h"
#include "app/commands.h"
#include "app/fakes/editor_fixture.h"
#include "app/fakes/fake_clock.h"
#include "app/main_window_events.h"
#include "app/recent_files.h"
#include "app/redraw.h"

namespace morvel::app {
namespace {

using fakes::kPostedCommand;
using fakes::kPostedDestroy;

// A program started from scratch: no device yet, nothing initialised.
class StartupTest : public ::testing::Test {
protected:
    StartupTest()
        : renderer(
              [this](uint32_t) -> std::unique_ptr<render::RenderSystem> {
                  if (deviceFails) return nullptr;
                  auto created = std::make_unique<render::fakes::RecordingSystem>();
                  system = created.get();
                  return created;
              },
              render::fakes::FakeAssets::Loaders()),
          editor(shell, keys, renderer, dialogs, nullptr, clock) {}

    // The loop runs what start-up posted and ends at the quit message, as
    // closing the window would.
    void LoopRunsPostedThenCloses() {
        shell.messageLoop = [this] {
            postedAtLoopStart = shell.TakePosted();
            for (const fakes::Posted &p : postedAtLoopStart) {
                if (p.kind == kPostedCommand) app::RunCommand(editor, p.value);
                if (p.kind == kPostedDestroy) Destroyed(editor);
            }
            sceneReadyInLoop = editor.state.scene.sceneReady;
            return 7;
        };
    }

    fakes::FakeShell shell;
    fakes::FakeKeyStore keys;
    fakes::FakeDialogFactory dialogs;
    bool deviceFails = false;
    render::fakes::RecordingSystem *system = nullptr;
    render::SceneRenderer renderer;
    fakes::FakeClock clock;
    Editor editor;
    std::vector<fakes::Posted> postedAtLoopStart;
    int sceneReadyInLoop = -1;
};

TEST_F(StartupTest, FreshStartBuildsTheWindowThenRunsTheLoopAfterPostingNew) {
    LoopRunsPostedThenCloses();
    EXPECT_EQ(RunEditor(editor, 5), 7);

    const std::vector<std::string> expected = {
        "RegisterMainWindowClass", "CreateMainWindow 640x480", "EnableMenuItem 40009 off",
        "InitCommonControls",      "CreateToolbar",            "ClientRect",
        "CreateStatusBar",         "ShowWindows 5",            "InsertFileMenuItem"};
    std::vector<std::string> startup(shell.calls.begin(),
                                     std::find(shell.calls.begin(), shell.calls.end(), "StartTimer"));
    // No recent files yet, so the menu gets nothing inserted.
    EXPECT_EQ(std::vector<std::string>(expected.begin(), expected.end() - 1), startup);
    EXPECT_EQ(shell.timers, (std::vector<std::pair<int, int>>{{10, 500}}));
    EXPECT_EQ(shell.statusEdges, (std::array<int, 3>{200, 400, 600}));
    EXPECT_EQ(shell.toolbar.size(), 31u);

    ASSERT_EQ(postedAtLoopStart.size(), 1u);
    EXPECT_EQ(postedAtLoopStart[0].value, CMD_FILE_NEW);
    EXPECT_EQ(shell.title, "Morvel Version 2.01 [新規]");
    EXPECT_FALSE(shell.menuEnabled.at(CMD_FILE_SAVE));
    EXPECT_EQ(sceneReadyInLoop, 1);
    EXPECT_EQ(editor.state.deviceTypeText, "HAL HARDWARE");
    EXPECT_FALSE(renderer.HasDevice()) << "the device is released after the loop";
    // The first start created the settings key with five empty values.
    EXPECT_EQ(keys.keys.at("Software\\Kelvarin\\Morvel").values.size(), 5u);
}

TEST_F(StartupTest, FailuresBeforeTheLoopEndTheProgramWithExitCodeZero) {
    shell.registerFails = true;
    EXPECT_EQ(RunEditor(editor, 1), 0);
    EXPECT_EQ(shell.calls, std::vector<std::string>{"RegisterMainWindowClass"});

    shell.calls.clear();
    shell.registerFails = false;
    deviceFails = true;
    EXPECT_EQ(RunEditor(editor, 1), 0);
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0].text, "DirectXが正常に稼動しませんでした。");
    EXPECT_EQ(shell.messages[0].caption, "Morvel");
    EXPECT_EQ(shell.messages[0].icon, document::MessageIcon::Error);
    EXPECT_EQ(std::count(shell.calls.begin(), shell.calls.end(), "RunMessageLoop"), 0);
    ASSERT_EQ(shell.posted.size(), 1u);
    EXPECT_EQ(shell.posted[0].kind, kPostedDestroy);
}

TEST_F(StartupTest, UnreadableSettingsKeyEndsTheProgramAfterTheNewDocument) {
    keys.createResult = 5;
    LoopRunsPostedThenCloses();
    RunEditor(editor, 1);
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0].text, "起動エラー");
    ASSERT_EQ(postedAtLoopStart.size(), 2u);
    EXPECT_EQ(postedAtLoopStart[0].value, CMD_FILE_NEW);
    EXPECT_EQ(postedAtLoopStart[1].kind, kPostedDestroy);
    EXPECT_EQ(sceneReadyInLoop, 1) << "the posted New still ran";
}

TEST_F(StartupTest, AFileNamedOnTheCommandLineOpensAfterTheNewDocument) {
    LoopRunsPostedThenCloses();
    RunEditor(editor, 1, "C:\\data\\walk.mvl");
    ASSERT_EQ(postedAtLoopStart.size(), 2u);
    EXPECT_EQ(postedAtLoopStart[0].value, CMD_FILE_NEW);
    EXPECT_EQ(postedAtLoopStart[1].value, CMD_OPEN_PENDING_FILE);
    // The file does not exist: the Open flow's own message, its folder made current.
    ASSERT_FALSE(shell.messages.empty());
    EXPECT_EQ(shell.messages.back().text, "ファイルの読込に失敗しました。");
    EXPECT_EQ(shell.directoryChanges.back(), "C:\\data\\");
}

TEST(ProgramFolderPathTest, HelpFileLiesBesideTheProgramOrAboveDebugAndRelease) {
    EXPECT_EQ(ProgramFolderPath("C:\\Tools\\Morvel\\Morvel.exe", "mvl.hlp"), "C:\\Tools\\Morvel\\mvl.hlp");
    EXPECT_EQ(ProgramFolderPath("C:\\src\\DEBUG\\Morvel.exe", "mvl.hlp"), "C:\\src\\mvl.hlp");
    EXPECT_EQ(ProgramFolderPath("C:\\src\\RELEASE\\Morvel.exe", "mvl.hlp"), "C:\\src\\mvl.hlp");
    EXPECT_EQ(ProgramFolderPath("C:\\src\\Debug\\Morvel.exe", "mvl.hlp"), "C:\\src\\Debug\\mvl.hlp");
    EXPECT_EQ(ProgramFolderPath("DEBUG\\Morvel.exe", "x"), "x");
    // Only a whole folder name counts.
    EXPECT_EQ(ProgramFolderPath("C:\\MYDEBUG\\Morvel.exe", "x"), "C:\\MYDEBUG\\x");
    EXPECT_EQ(ProgramFolderPath("C:\\DEBUG\\sub\\Morvel.exe", "x"), "C:\\DEBUG\\sub\\x");
    EXPECT_EQ(ProgramFolderPath("Morvel.exe", "mvl.hlp"), "mvl.hlp");
}

TEST(ProgramFolderPathTest, SecondBytesOfDoubleByteCharactersAreNotSeparators) {
    // 表 is 0x95 0x5C in code page 932: its second byte looks like '\'.
    const std::string folder = "C:\\\x95\x5C";
    EXPECT_EQ(ProgramFolderPath(folder + "Morvel.exe", "mvl.hlp"), "C:\\mvl.hlp");
    EXPECT_EQ(ProgramFolderPath(folder + "\\Morvel.exe", "mvl.hlp"), folder + "\\mvl.hlp");
}

class TimerTest : public fakes::EditorFixture {};

TEST_F(TimerTest, HoldoffSkipsThreeTicksAndTheFourthDraws) {
    editor.state.timerHoldoff = kTimerHoldoffTicks;
    device->ClearCalls();
    for (int tick = 0; tick < 3; ++tick) TimerTick(editor, kRedrawTimerId);
    EXPECT_EQ(device->Count("Present"), 0u);
    TimerTick(editor, kRedrawTimerId);
    EXPECT_EQ(device->Count("Present"), 1u);
    TimerTick(editor, 11);
    EXPECT_EQ(device->Count("Present"), 1u) << "other timers are not the redraw timer";
}

TEST_F(TimerTest, SelectionBlinksAfterAChange) {
    RequestRedraw(editor);
    std::vector<int> phases{editor.state.scene.selectionBlink};
    for (int tick = 0; tick < 6; ++tick) {
        TimerTick(editor, kRedrawTimerId);
        phases.push_back(editor.state.scene.selectionBlink);
    }
    EXPECT_EQ(phases, (std::vector<int>{3, 2, 1, 0, 1, 0, 1}));
}

}  // namespace
}  // namespace morvel::app
