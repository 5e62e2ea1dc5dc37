// The view settings of the document header (axes, status text, colours),
// the desktop shortcut, and help.
#pragma once

#include "app/editor.h"

namespace morvel::app {

// Toggles and colours: no undo snapshot, the document is not marked.
void ViewSettingCommand(Editor &editor, int command);
void DesktopShortcutCommand(Editor &editor);

// Help contexts and the keyword of the help file.
constexpr uint32_t kHelpContents = 10000;
constexpr uint32_t kHelpMenuPopup = 10100;
constexpr uint32_t kHelpToolbarPopup = 10101;
constexpr uint32_t kHelpStatusBarPopup = 10102;
extern const char *const kHelpContentsKeyword;  // "目次"

// 40048 contents, 40047 index.
void HelpCommandOf(Editor &editor, int command);
// WM_HELP: from a menu item (its identifier) or from a window.
void HelpRequested(Editor &editor, bool fromMenu, int menuItemId);
enum class ContextTarget { Toolbar, StatusBar, Other };
// WM_CONTEXTMENU: the popup help of the toolbar or the status bar.
void ContextMenuRequested(Editor &editor, ContextTarget target);

}  // namespace morvel::app
