#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "app/command_dispatch.h"
#include "app/command_ids.h"
#include "app/fakes/editor_fixture.h"
#include "app/menu_states.h"

namespace morvel::app {
namespace {

class MenuStatesTest : public fakes::EditorFixture {
protected:
    size_t SaveItemCalls() const {
        return std::count_if(shell.calls.begin(), shell.calls.end(), [](const std::string &call) {
            return call.rfind("EnableMenuItem 40009", 0) == 0;
        });
    }
};

TEST_F(MenuStatesTest, DerivedFromTheStateAlone) {
    EditorState &state = editor.state;
    state.filePath.fill('\0');
    EXPECT_FALSE(DeriveMenuStates(state).saveEnabled) << "untouched new document";
    state.filePath[0] = 0x01;
    EXPECT_FALSE(DeriveMenuStates(state).saveEnabled) << "edited, never saved";
    std::strcpy(state.filePath.data(), "C:\\walk.mvl");
    EXPECT_TRUE(DeriveMenuStates(state).saveEnabled);

    state.editMode = kModeRotate;
    state.mouseMode = kMouseVerticalOnly;
    state.playbackSettings.loop = true;
    state.playbackSettings.interpolate = false;
    const MenuStates menu = DeriveMenuStates(state);
    EXPECT_EQ(menu.editModeMark, 2);
    EXPECT_EQ(menu.mouseModeMark, 2);
    EXPECT_TRUE(menu.loopChecked);
    EXPECT_FALSE(menu.interpolateChecked);
    EXPECT_FALSE(menu.onionSkinChecked);
}

TEST_F(MenuStatesTest, EveryCommandShowsThemAndOnlyChangesReachTheMenu) {
    RunCommand(editor, CMD_FILE_NEW);
    EXPECT_FALSE(shell.menuEnabled.at(CMD_FILE_SAVE));
    EXPECT_EQ(shell.radioMarks.at(RadioGroup::EditMode), kModeView);
    EXPECT_EQ(shell.radioMarks.at(RadioGroup::MouseMode), kMouseFree);

    RunCommand(editor, CMD_PLAY_ONION_SKIN);
    RunCommand(editor, CMD_PLAY_INTERPOLATE);
    EXPECT_TRUE(shell.menuChecked.at(CMD_PLAY_ONION_SKIN));
    EXPECT_FALSE(shell.menuChecked.at(CMD_PLAY_INTERPOLATE));

    const size_t before = SaveItemCalls();
    RunCommand(editor, CMD_FILE_NEW);
    RunCommand(editor, CMD_MODE_VIEW);
    EXPECT_EQ(SaveItemCalls(), before) << "an unchanged state is not pushed again";
    EXPECT_EQ(editor.state.shownMenu, DeriveMenuStates(editor.state));
}

}  // namespace
}  // namespace morvel::app
