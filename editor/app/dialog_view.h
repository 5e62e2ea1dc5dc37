// The DialogView port: what a dialog controller needs of its Win32 dialog,
// and the controller interface the generic Win32 binding drives.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "document/ui_ports.h"

namespace morvel::app {

// Notification codes of WM_COMMAND that controllers look at.
enum NotifyCode : int {
    kNotifyClicked = 0,        // BN_CLICKED, menu and accelerator commands
    kNotifyListSelChange = 1,  // LBN_SELCHANGE
    kNotifyListDoubleClick = 2 // LBN_DBLCLK
};

constexpr int kNoSelection = -1;

// One cell of a strip control (the timeline's frames): up to three lines of
// text, and the marks it carries.
struct StripCell {
    std::string lines[3];
    bool selected = false;
    bool playing = false;

    bool operator==(const StripCell &o) const {
        return lines[0] == o.lines[0] && lines[1] == o.lines[1] && lines[2] == o.lines[2] &&
               selected == o.selected && playing == o.playing;
    }
};

// What the pointer did on a strip: clicked a cell, dragged cell `cell` onto
// `target`, or asked for the context menu of a cell (-1: between cells).
struct StripEvent {
    enum Kind { Click, Drag, ContextMenu } kind = Click;
    int cell = -1;
    int target = -1;
};

// The ids a controller sees for Enter and Escape (IDOK, IDCANCEL).
constexpr int kDialogOk = 1;
constexpr int kDialogCancel = 2;

class DialogView : public document::MessageBoxPort, public document::FileChooser {
public:
    // The dialog window, as owner of message boxes and choosers.
    virtual document::OwnerWindow Window() = 0;

    // The whole text of a control; controllers cut it to their field limits.
    virtual std::string GetText(int id) = 0;
    virtual void SetText(int id, const std::string &text) = 0;
    // GetDlgItemInt, signed, without an error result (0 when nothing reads).
    virtual int GetInt(int id) = 0;

    virtual bool IsChecked(int id) = 0;
    virtual void SetChecked(int id, bool checked) = 0;
    virtual void Enable(int id, bool enabled) = 0;

    virtual void ListClear(int id) = 0;
    virtual void ListAdd(int id, const std::string &line) = 0;
    // Replaces the whole list at once (one repaint for many rows).
    virtual void ListFill(int id, const std::vector<std::string> &lines) {
        ListClear(id);
        for (const std::string &line : lines) ListAdd(id, line);
    }
    virtual void ListSelect(int id, int row) = 0;
    virtual int ListSelection(int id) = 0;  // kNoSelection when none

    // The range of an up-down control.
    virtual void SetSpinRange(int id, int minimum, int maximum) = 0;

    virtual void EndDialog(int result) = 0;

    // A strip control's cells, shown in order; the view scrolls to keep
    // `visible` in sight (-1: where it is).
    virtual void SetStripCells(int id, const std::vector<StripCell> &cells, int visible) {
        (void)id, (void)cells, (void)visible;
    }
    // A context menu at the pointer; the chosen item's index, or -1. Items
    // whose enabled flag is false are grey.
    virtual int ChooseFromMenu(const std::vector<std::pair<std::string, bool>> &items) {
        (void)items;
        return -1;
    }
    // Places a control in client coordinates (a resizable window's layout).
    virtual void MoveControl(int id, int x, int y, int width, int height) {
        (void)id, (void)x, (void)y, (void)width, (void)height;
    }
};

class DialogController {
public:
    virtual ~DialogController() = default;
    virtual void OnInit(DialogView &view) = 0;
    // id: the control (or 1 for Enter, 2 for Escape); notifyCode as above.
    virtual void OnCommand(DialogView &view, int id, int notifyCode) = 0;
    // A strip control's pointer input.
    virtual void OnStripEvent(DialogView &view, int id, const StripEvent &event) {
        (void)view, (void)id, (void)event;
    }
    // A resizable window's new client size.
    virtual void OnSize(DialogView &view, int width, int height) { (void)view, (void)width, (void)height; }
};

// The controller of a modeless tool window (the timeline, the undo
// history): besides its own input, told whenever the editor may show
// something new, so that it can show the same.
class ToolWindowController : public DialogController {
public:
    virtual void OnEditorChanged(DialogView &view) = 0;
};

}  // namespace morvel::app
