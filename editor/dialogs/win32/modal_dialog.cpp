#include "dialogs/win32/modal_dialog.h"

#include "dialogs/win32/dialog_binding.h"

namespace morvel::dialogs::win32 {

namespace {

using Binding = DialogBinding<app::DialogController>;

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        AttachBinding<app::DialogController>(dialog, lParam);
        return TRUE;
    }
    Binding *binding = BindingOf<app::DialogController>(dialog);
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
