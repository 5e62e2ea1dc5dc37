// What the menu shows: which items are enabled and which carry a mark,
// derived by one pure function from the editor's state and shown after
// every command, instead of being pushed by the commands that change it.
#pragma once

namespace morvel::app {

struct Editor;
struct EditorState;

struct MenuStates {
    // The states menu 101 of the resources starts with.
    bool saveEnabled = true;
    int editModeMark = -1;  // position of the radio mark; -1 for none
    int mouseModeMark = -1;
    bool loopChecked = false;
    bool interpolateChecked = true;
    bool onionSkinChecked = false;
    bool timelineChecked = false;
    bool historyChecked = false;

    bool operator==(const MenuStates &other) const;
    bool operator!=(const MenuStates &other) const { return !(*this == other); }
};

MenuStates DeriveMenuStates(const EditorState &state);

// Tells the shell what differs between the derived states and what the menu
// shows now (state.shownMenu), and remembers what it shows.
void ShowMenuStates(Editor &editor);

}  // namespace morvel::app
