#include "frame_checks.h"

namespace morvel::testing {

namespace {

INT_PTR CALLBACK QuietProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

}  // namespace

std::vector<int> ControlsWithoutBorder(HINSTANCE module, const char *templateName,
                                       const std::vector<int> &ids) {
    HWND dialog = CreateDialogParamA(module, templateName, nullptr, QuietProc, 0);
    if (dialog == nullptr) return ids;
    std::vector<int> missing;
    for (int id : ids) {
        HWND control = GetDlgItem(dialog, id);
        const LONG style = control ? GetWindowLongA(control, GWL_STYLE) : 0;
        const LONG exStyle = control ? GetWindowLongA(control, GWL_EXSTYLE) : 0;
        if ((style & WS_BORDER) == 0 && (exStyle & WS_EX_CLIENTEDGE) == 0) missing.push_back(id);
    }
    DestroyWindow(dialog);
    return missing;
}

bool ListScrollsWhenFull(HINSTANCE module, const char *templateName, int listId) {
    HWND dialog = CreateDialogParamA(module, templateName, nullptr, QuietProc, 0);
    if (dialog == nullptr) return false;
    for (int row = 0; row < 100; ++row) {
        SendDlgItemMessageA(dialog, listId, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("row"));
    }
    const LONG style = GetWindowLongA(GetDlgItem(dialog, listId), GWL_STYLE);
    DestroyWindow(dialog);
    return (style & WS_VSCROLL) != 0;
}

}  // namespace morvel::testing
