#include "dialogs/win32/modal_dialog.h"

#include "dialogs/win32/win32_dialog_view.h"

namespace morvel::dialogs::win32 {

namespace {

struct Binding {
    app::DialogController &controller;
    Win32DialogView view;
};

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto *binding = reinterpret_cast<Binding *>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        binding->view.SetWindow(dialog);
        binding->controller.OnInit(binding->view);
        return TRUE;
    }
    auto *binding = reinterpret_cast<Binding *>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (binding == nullptr) return FALSE;
    if (message == WM_COMMAND) {
        binding->controller.OnCommand(binding->view, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

}  // namespace

bool RunModalDialog(HINSTANCE instance, HWND owner, const std::string &templateName,
                    app::DialogController &controller) {
    Binding binding{controller, {}};
    const INT_PTR result = DialogBoxParamA(instance, templateName.c_str(), owner, DialogProc,
                                           reinterpret_cast<LPARAM>(&binding));
    return result != -1;
}

}  // namespace morvel::dialogs::win32
