#include "app/view_commands.h"

#include <gtest/gtest.h>

#include "app/command_dispatch.h"
#include "app/command_ids.h"
#include "app/fakes/editor_fixture.h"
#include "app/main_window_events.h"

namespace morvel::app {
namespace {

using document::MessageAnswer;

class ViewCommandsTest : public fakes::EditorFixture {};

TEST_F(ViewCommandsTest, TogglesNeitherStoreASnapshotNorMarkTheDocument) {
    RunCommand(editor, CMD_VIEW_AXES);
    RunCommand(editor, CMD_VIEW_STATUS_TEXT);
    EXPECT_EQ(Header().axisVisible, 0);
    EXPECT_EQ(Header().statusTextVisible, 0);
    RunCommand(editor, CMD_VIEW_AXES);
    EXPECT_EQ(Header().axisVisible, 1);
    EXPECT_EQ(editor.state.undo.UndoCount(), 0);
    EXPECT_EQ(FilePath(), "");
}

TEST_F(ViewCommandsTest, ColoursStartFromTheStoredOneAndCancelKeepsIt) {
    Header().backgroundColour = {10, 20, 30, 40};
    shell.WillChooseColour(0x00332211);
    RunCommand(editor, CMD_VIEW_BACKGROUND_COLOUR);
    ASSERT_EQ(shell.colourRequests.size(), 1u);
    EXPECT_EQ(shell.colourRequests[0], 0x001E140Au);
    EXPECT_EQ(Header().backgroundColour.r, 0x11);
    EXPECT_EQ(Header().backgroundColour.g, 0x22);
    EXPECT_EQ(Header().backgroundColour.b, 0x33);
    EXPECT_EQ(Header().backgroundColour.a, 255);
    EXPECT_EQ(shell.invalidations, 1);
    EXPECT_EQ(editor.state.timerHoldoff, 3);

    device->ClearCalls();
    const MvlRgba8 axis = Header().axisColour;
    shell.WillCancelColour();
    RunCommand(editor, CMD_VIEW_AXIS_COLOUR);
    EXPECT_EQ(Header().axisColour.r, axis.r);
    EXPECT_EQ(Header().axisColour.a, axis.a);
    EXPECT_EQ(shell.invalidations, 1);
    EXPECT_EQ(device->Count("Present"), 1u) << "the view is redrawn either way";

    shell.WillChooseColour(0x00FFFFFF);
    RunCommand(editor, CMD_VIEW_STATUS_TEXT_COLOUR);
    EXPECT_EQ(Header().statusTextColour.g, 255);
}

TEST_F(ViewCommandsTest, TheShortcutIsMadeOnlyOnYes) {
    RunCommand(editor, CMD_FILE_SHORTCUT);
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0].text, "デスクトップにショートカットを貼り付けますか？");
    EXPECT_EQ(shell.messages[0].caption, "ショートカットを作成");
    EXPECT_TRUE(shell.shortcuts.empty());
    shell.WillAnswer(MessageAnswer::Yes);
    RunCommand(editor, CMD_FILE_SHORTCUT);
    ASSERT_EQ(shell.shortcuts.size(), 1u);
    EXPECT_EQ(shell.shortcuts[0].first, "\\Morvel.lnk");
    EXPECT_EQ(shell.shortcuts[0].second, "");
    EXPECT_EQ(editor.state.timerHoldoff, 0) << "the shortcut question does not hold the timer";
}

TEST_F(ViewCommandsTest, HelpOpensTheRightTopics) {
    const std::string help = "C:\\Morvel\\mvl.hlp";
    std::copy(help.begin(), help.end(), editor.state.helpFilePath.begin());
    RunCommand(editor, CMD_HELP_CONTENTS);
    RunCommand(editor, CMD_HELP_INDEX);
    HelpRequested(editor, true, CMD_FILE_NEW);
    HelpRequested(editor, true, 1);
    HelpRequested(editor, false, 0);
    ContextMenuRequested(editor, ContextTarget::Toolbar);
    ContextMenuRequested(editor, ContextTarget::StatusBar);
    ContextMenuRequested(editor, ContextTarget::Other);
    ASSERT_EQ(shell.helpCalls.size(), 6u);
    const std::vector<std::tuple<HelpCommand, uint32_t, std::string>> expected = {
        {HelpCommand::Context, 10000, ""},      {HelpCommand::Finder, 0, ""},
        {HelpCommand::ContextPopup, 10100, ""}, {HelpCommand::Key, 0, "目次"},
        {HelpCommand::ContextPopup, 10101, ""}, {HelpCommand::ContextPopup, 10102, ""}};
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(shell.helpCalls[i].file, help);
        EXPECT_EQ(shell.helpCalls[i].command, std::get<0>(expected[i])) << i;
        EXPECT_EQ(shell.helpCalls[i].data, std::get<1>(expected[i])) << i;
        EXPECT_EQ(shell.helpCalls[i].keyword, std::get<2>(expected[i])) << i;
    }
    EXPECT_EQ(editor.state.timerHoldoff, 0);
}

TEST_F(ViewCommandsTest, ResizingPlacesTheBarsAndTheViewAndResetsOnceAfterADrag) {
    editor.state.toolbarHeight = 28;
    editor.state.statusBarHeight = 20;
    shell.client = {0, 0, 800, 600};
    device->ClearCalls();
    Resized(editor, kSizeRestored);
    EXPECT_EQ(shell.barPlacements.back(), (std::array<int, 4>{800, 600, 28, 20}));
    EXPECT_EQ(renderer.PresentRect().top, 31);
    EXPECT_EQ(renderer.PresentRect().bottom, 580);
    EXPECT_EQ(renderer.PresentationParameters().BackBufferWidth, 800u);
    EXPECT_EQ(device->Count("Reset"), 1u);

    EnteredSizeMove(editor);
    shell.client = {0, 0, 700, 500};
    Resized(editor, kSizeRestored);
    Resized(editor, kSizeRestored);
    EXPECT_EQ(device->Count("Reset"), 1u) << "no reset while the frame is dragged";
    ExitedSizeMove(editor);
    EXPECT_EQ(device->Count("Reset"), 2u);
    EXPECT_EQ(renderer.PresentationParameters().BackBufferHeight, 500u);
    Resized(editor, kSizeMinimized);
    EXPECT_EQ(device->Count("Reset"), 2u);
}

}  // namespace
}  // namespace morvel::app
