// The editor's modeless tool windows (the timeline, the undo history): each
// a dialog template driven by a controller, shown and hidden from the ツール
// menu, told after every change the editor shows, and kept across runs (its
// place, size and visibility) in the program's registry key.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "app/dialog_view.h"
#include "base/d3d_types.h"

namespace morvel::app {

struct Editor;

struct ToolWindowState {
    std::unique_ptr<ToolWindowController> controller;  // made on the first show
    bool visible = false;
};
// By dialog template name.
using ToolWindows = std::map<std::string, ToolWindowState>;

// The menu command that shows and hides a tool window, and back.
int ToolWindowCommand(const std::string &name);
const char *ToolWindowOfCommand(int command);  // nullptr for other commands

// The menu command: shows the window (creating it first) or hides it.
void ToggleToolWindow(Editor &editor, const std::string &name);
// Its close box.
void HideToolWindow(Editor &editor, const std::string &name);
bool ToolWindowShown(const Editor &editor, const std::string &name);
// Every shown tool window shows the editor's state again.
void RefreshToolWindows(Editor &editor);

// Start-up: the windows that were shown at the last exit come back where
// they were. Exit: their places and visibility go to the registry.
void RestoreToolWindows(Editor &editor);
void StoreToolWindows(Editor &editor);

// The registry value of a window's place: "left top right bottom shown".
std::string FormatToolWindowPlace(const Rect &rect, bool shown);
// False for text that is not such a value or a rectangle no window can have.
bool ParseToolWindowPlace(const std::string &text, Rect &rect, bool &shown);

}  // namespace morvel::app
