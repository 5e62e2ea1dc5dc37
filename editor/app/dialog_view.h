// The DialogView port: what a dialog controller needs of its Win32 dialog,
// and the controller interface the generic Win32 binding drives.
#pragma once

#include <string>
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
};

class DialogController {
public:
    virtual ~DialogController() = default;
    virtual void OnInit(DialogView &view) = 0;
    // id: the control (or 1 for Enter, 2 for Escape); notifyCode as above.
    virtual void OnCommand(DialogView &view, int id, int notifyCode) = 0;
};

}  // namespace morvel::app
