#include "template_extras.h"

namespace morvel::testing {

INT_PTR CALLBACK QuietDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

namespace {

// The ids for which `lacks` holds, on a dialog made from the template.
template <typename Lacks>
std::vector<int> Find(HINSTANCE module, const char *templateName, const std::vector<int> &ids,
                      Lacks lacks) {
    HWND dialog = CreateDialogParamA(module, templateName, nullptr, QuietDialogProc, 0);
    if (dialog == nullptr) return ids;
    std::vector<int> found;
    for (int id : ids) {
        HWND control = GetDlgItem(dialog, id);
        if (control == nullptr || lacks(control)) found.push_back(id);
    }
    DestroyWindow(dialog);
    return found;
}

}  // namespace

std::vector<int> ControlsWithoutBorder(HINSTANCE module, const char *templateName,
                                       const std::vector<int> &ids) {
    return Find(module, templateName, ids, [](HWND control) {
        return !(GetWindowLongA(control, GWL_STYLE) & WS_BORDER) &&
               !(GetWindowLongA(control, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    });
}

std::vector<int> ListsWithoutScrollBar(HINSTANCE module, const char *templateName,
                                       const std::vector<int> &ids) {
    return Find(module, templateName, ids, [](HWND list) {
        for (int row = 0; row < 100; ++row) {
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("row"));
        }
        return !(GetWindowLongA(list, GWL_STYLE) & WS_VSCROLL);
    });
}

}  // namespace morvel::testing
