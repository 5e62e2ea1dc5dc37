// WM_COMMAND of the main window: what each menu item, toolbar button and
// key-posted command does.
#pragma once

#include <string>

#include "app/editor.h"

namespace morvel::app {

// Runs the dialog template `name` with the controller the dialog factory
// makes for it; false when it cannot be created (the program has no
// controller for it, or the template does not load).
bool ShowDialog(Editor &editor, const std::string &name);

// Unknown identifiers are ignored.
void RunCommand(Editor &editor, int command);

// The edit dialogs' commands: preconditions, the modal dialog, and the view
// and redraw that follow it.
void EditDialogCommand(Editor &editor, int command);

}  // namespace morvel::app
