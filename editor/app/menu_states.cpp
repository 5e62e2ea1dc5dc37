#include "app/menu_states.h"

#include "app/command_ids.h"
#include "app/editor.h"

namespace morvel::app {

bool MenuStates::operator==(const MenuStates &o) const {
    return saveEnabled == o.saveEnabled && editModeMark == o.editModeMark &&
           mouseModeMark == o.mouseModeMark && loopChecked == o.loopChecked &&
           interpolateChecked == o.interpolateChecked && onionSkinChecked == o.onionSkinChecked &&
           timelineChecked == o.timelineChecked && historyChecked == o.historyChecked;
}

MenuStates DeriveMenuStates(const EditorState &state) {
    MenuStates menu;
    // Save is greyed until the document has a file of its own (Open or Save As).
    menu.saveEnabled =
        document::StateOfFilePath(state.filePath) == document::FilePathState::HasFile;
    menu.editModeMark = state.editMode;
    menu.mouseModeMark = state.mouseMode;
    menu.loopChecked = state.playbackSettings.loop;
    menu.interpolateChecked = state.playbackSettings.interpolate;
    menu.onionSkinChecked = state.playbackSettings.onionSkin;
    const auto timeline = state.toolWindows.find("IDD_TIMELINE");
    menu.timelineChecked = timeline != state.toolWindows.end() && timeline->second.visible;
    const auto history = state.toolWindows.find("IDD_HISTORY");
    menu.historyChecked = history != state.toolWindows.end() && history->second.visible;
    return menu;
}

void ShowMenuStates(Editor &editor) {
    const MenuStates wanted = DeriveMenuStates(editor.state);
    MenuStates &shown = editor.state.shownMenu;
    Shell &shell = editor.shell;
    if (wanted.saveEnabled != shown.saveEnabled) {
        shell.EnableMenuItem(CMD_FILE_SAVE, wanted.saveEnabled);
    }
    if (wanted.editModeMark != shown.editModeMark) {
        shell.CheckMenuRadio(RadioGroup::EditMode, wanted.editModeMark);
    }
    if (wanted.mouseModeMark != shown.mouseModeMark) {
        shell.CheckMenuRadio(RadioGroup::MouseMode, wanted.mouseModeMark);
    }
    if (wanted.loopChecked != shown.loopChecked) {
        shell.CheckMenuItem(CMD_PLAY_LOOP, wanted.loopChecked);
    }
    if (wanted.interpolateChecked != shown.interpolateChecked) {
        shell.CheckMenuItem(CMD_PLAY_INTERPOLATE, wanted.interpolateChecked);
    }
    if (wanted.onionSkinChecked != shown.onionSkinChecked) {
        shell.CheckMenuItem(CMD_PLAY_ONION_SKIN, wanted.onionSkinChecked);
    }
    if (wanted.timelineChecked != shown.timelineChecked) {
        shell.CheckMenuItem(CMD_TOOL_TIMELINE, wanted.timelineChecked);
    }
    if (wanted.historyChecked != shown.historyChecked) {
        shell.CheckMenuItem(CMD_TOOL_HISTORY, wanted.historyChecked);
    }
    shown = wanted;
}

}  // namespace morvel::app
