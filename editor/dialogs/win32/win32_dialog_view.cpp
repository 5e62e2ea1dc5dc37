#include "dialogs/win32/win32_dialog_view.h"

#include <commctrl.h>

#include "app/win32/common_dialogs.h"
#include "dialogs/win32/frame_strip_control.h"

namespace morvel::dialogs::win32 {

std::string Win32DialogView::GetText(int id) {
    HWND control = GetDlgItem(dialog_, id);
    const int length = GetWindowTextLengthA(control);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(control, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

void Win32DialogView::SetText(int id, const std::string &text) {
    SetDlgItemTextA(dialog_, id, text.c_str());
}

int Win32DialogView::GetInt(int id) {
    return static_cast<int>(GetDlgItemInt(dialog_, id, nullptr, TRUE));
}

bool Win32DialogView::IsChecked(int id) { return IsDlgButtonChecked(dialog_, id) == BST_CHECKED; }

void Win32DialogView::SetChecked(int id, bool checked) {
    CheckDlgButton(dialog_, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

void Win32DialogView::Enable(int id, bool enabled) {
    EnableWindow(GetDlgItem(dialog_, id), enabled ? TRUE : FALSE);
}

void Win32DialogView::ListClear(int id) { SendDlgItemMessageA(dialog_, id, LB_RESETCONTENT, 0, 0); }

void Win32DialogView::ListAdd(int id, const std::string &line) {
    SendDlgItemMessageA(dialog_, id, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
}

void Win32DialogView::ListFill(int id, const std::vector<std::string> &lines) {
    HWND list = GetDlgItem(dialog_, id);
    // One repaint for the whole list, with the storage reserved up front.
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    size_t bytes = 0;
    for (const std::string &line : lines) bytes += line.size() + 1;
    SendMessageA(list, LB_INITSTORAGE, lines.size(), static_cast<LPARAM>(bytes));
    for (const std::string &line : lines) {
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
}

void Win32DialogView::ListSelect(int id, int row) {
    SendDlgItemMessageA(dialog_, id, LB_SETCURSEL, static_cast<WPARAM>(row), 0);
}

int Win32DialogView::ListSelection(int id) {
    const LRESULT row = SendDlgItemMessageA(dialog_, id, LB_GETCURSEL, 0, 0);
    return row == LB_ERR ? app::kNoSelection : static_cast<int>(row);
}

void Win32DialogView::SetSpinRange(int id, int minimum, int maximum) {
    SendDlgItemMessageA(dialog_, id, UDM_SETRANGE32, static_cast<WPARAM>(minimum), maximum);
}

void Win32DialogView::EndDialog(int result) { ::EndDialog(dialog_, result); }

void Win32DialogView::SetStripCells(int id, const std::vector<app::StripCell> &cells, int visible) {
    SendDlgItemMessageA(dialog_, id, kStripSetCells, static_cast<WPARAM>(visible),
                        reinterpret_cast<LPARAM>(&cells));
}

int Win32DialogView::ChooseFromMenu(const std::vector<std::pair<std::string, bool>> &items) {
    HMENU menu = CreatePopupMenu();
    if (menu == nullptr) return -1;
    for (size_t i = 0; i < items.size(); ++i) {
        AppendMenuA(menu, MF_STRING | (items[i].second ? MF_ENABLED : MF_GRAYED), i + 1,
                    items[i].first.c_str());
    }
    POINT at;
    GetCursorPos(&at);
    const int chosen = static_cast<int>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, at.x, at.y, 0, dialog_, nullptr));
    DestroyMenu(menu);
    return chosen - 1;
}

void Win32DialogView::MoveControl(int id, int x, int y, int width, int height) {
    MoveWindow(GetDlgItem(dialog_, id), x, y, width, height, TRUE);
}

document::MessageAnswer Win32DialogView::ShowMessage(const document::MessageRequest &request) {
    document::MessageRequest owned = request;
    if (owned.owner == nullptr) owned.owner = dialog_;
    return app::win32::ShowMessageBox(owned);
}

bool Win32DialogView::ChooseFile(const document::FileChooserRequest &request,
                                 document::PathBuffer &path) {
    return app::win32::RunFileChooser(request, path);
}

}  // namespace morvel::dialogs::win32
