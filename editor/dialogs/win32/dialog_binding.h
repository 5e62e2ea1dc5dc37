// The controller a dialog procedure serves and the view it hands it: kept in
// the dialog's user data from WM_INITDIALOG on, shared by the modal dialogs
// and the tool windows.
#pragma once

#include <windows.h>

#include "dialogs/win32/win32_dialog_view.h"

namespace morvel::dialogs::win32 {

template <class Controller>
struct DialogBinding {
    Controller &controller;
    Win32DialogView view;
};

// At WM_INITDIALOG: stores the binding that came as the creation parameter
// and lets its controller fill the dialog.
template <class Controller>
DialogBinding<Controller> *AttachBinding(HWND dialog, LPARAM creationParameter) {
    auto *binding = reinterpret_cast<DialogBinding<Controller> *>(creationParameter);
    SetWindowLongPtrA(dialog, DWLP_USER, creationParameter);
    binding->view.SetWindow(dialog);
    binding->controller.OnInit(binding->view);
    return binding;
}

// The binding stored at WM_INITDIALOG; null for messages that come before it.
template <class Controller>
DialogBinding<Controller> *BindingOf(HWND dialog) {
    return reinterpret_cast<DialogBinding<Controller> *>(GetWindowLongPtrA(dialog, DWLP_USER));
}

}  // namespace morvel::dialogs::win32
