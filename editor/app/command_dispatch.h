// WM_COMMAND of the main window: what each menu item, toolbar button and
// key-posted command does.
#pragma once

#include "app/editor.h"

namespace morvel::app {

// Unknown identifiers are ignored.
void RunCommand(Editor &editor, int command);

// The edit dialogs' commands: preconditions, the modal dialog, and the view
// and redraw that follow it.
void EditDialogCommand(Editor &editor, int command);

}  // namespace morvel::app
