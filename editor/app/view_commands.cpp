#include "app/view_commands.h"

#include "app/autosave.h"
#include "app/command_ids.h"
#include "app/redraw.h"
#include "base/field_text.h"

namespace morvel::app {

const char *const kHelpContentsKeyword = "目次";

namespace {

uint32_t ColourRef(const MvlRgba8 &colour) {
    return uint32_t{colour.r} | (uint32_t{colour.g} << 8) | (uint32_t{colour.b} << 16);
}

// Asks for a colour starting from the one stored; on OK the window is
// invalidated and the colour stored with alpha 255.
void ChooseHeaderColour(Editor &editor, MvlRgba8 &colour) {
    editor.state.timerHoldoff = kTimerHoldoffTicks;
    uint32_t chosen = ColourRef(colour);
    if (!editor.shell.ChooseColour(chosen)) return;
    editor.shell.InvalidateMainWindow();
    colour = {static_cast<uint8_t>(chosen & 0xFF), static_cast<uint8_t>((chosen >> 8) & 0xFF),
              static_cast<uint8_t>((chosen >> 16) & 0xFF), 255};
}

std::string HelpFile(const Editor &editor) {
    return base::BufferText(editor.state.helpFilePath.data(), editor.state.helpFilePath.size());
}

}  // namespace

void ViewSettingCommand(Editor &editor, int command) {
    MotionFileHeader &h = editor.state.currentDocument.document.header;
    switch (command) {
        case CMD_VIEW_AXES: h.axisVisible = static_cast<int8_t>((h.axisVisible + 1) & 1); break;
        case CMD_VIEW_STATUS_TEXT:
            h.statusTextVisible = static_cast<int8_t>((h.statusTextVisible + 1) & 1);
            break;
        case CMD_VIEW_AXIS_COLOUR: ChooseHeaderColour(editor, h.axisColour); break;
        case CMD_VIEW_BACKGROUND_COLOUR: ChooseHeaderColour(editor, h.backgroundColour); break;
        case CMD_VIEW_STATUS_TEXT_COLOUR: ChooseHeaderColour(editor, h.statusTextColour); break;
        default: return;
    }
    // The view settings travel in the header: a change the file does not hold yet.
    NoteDocumentChanged(editor.state);
    ViewAndRedraw(editor);
}

void DesktopShortcutCommand(Editor &editor) {
    const document::MessageAnswer answer = editor.shell.ShowMessage(
        {editor.shell.MainWindow(), "デスクトップにショートカットを貼り付けますか？",
         "ショートカットを作成", document::MessageIcon::Warning, document::MessageButtons::YesNo});
    if (answer == document::MessageAnswer::Yes) editor.shell.CreateDesktopShortcut("\\Morvel.lnk", "");
}

void HelpCommandOf(Editor &editor, int command) {
    if (command == CMD_HELP_CONTENTS) {
        editor.shell.ShowHelp(HelpFile(editor), HelpCommand::Context, kHelpContents, "");
    } else if (command == CMD_HELP_INDEX) {
        editor.shell.ShowHelp(HelpFile(editor), HelpCommand::Finder, 0, "");
    }
}

void HelpRequested(Editor &editor, bool fromMenu, int menuItemId) {
    if (fromMenu) {
        if (menuItemId != 1) {
            editor.shell.ShowHelp(HelpFile(editor), HelpCommand::ContextPopup, kHelpMenuPopup, "");
        }
    } else {
        editor.shell.ShowHelp(HelpFile(editor), HelpCommand::Key, 0, kHelpContentsKeyword);
    }
}

void ContextMenuRequested(Editor &editor, ContextTarget target) {
    if (target == ContextTarget::Toolbar) {
        editor.shell.ShowHelp(HelpFile(editor), HelpCommand::ContextPopup, kHelpToolbarPopup, "");
    } else if (target == ContextTarget::StatusBar) {
        editor.shell.ShowHelp(HelpFile(editor), HelpCommand::ContextPopup, kHelpStatusBarPopup, "");
    }
}

}  // namespace morvel::app
