#include "dialogs/win32/tool_window.h"

#include "dialogs/win32/dialog_binding.h"
#include "dialogs/win32/frame_strip_control.h"

namespace morvel::dialogs::win32 {
namespace {

using ToolWindowBinding = DialogBinding<app::ToolWindowController>;

INT_PTR CALLBACK ToolWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        ToolWindowBinding *binding = AttachBinding<app::ToolWindowController>(window, lParam);
        RECT client;
        GetClientRect(window, &client);
        binding->controller.OnSize(binding->view, client.right, client.bottom);
        return FALSE;  // no focus of its own: keys belong to the main window
    }
    ToolWindowBinding *binding = BindingOf<app::ToolWindowController>(window);
    if (binding == nullptr) return FALSE;
    switch (message) {
        case WM_COMMAND:
            binding->controller.OnCommand(binding->view, LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_CLOSE:
            binding->controller.OnCommand(binding->view, app::kDialogCancel, app::kNotifyClicked);
            return TRUE;
        case WM_SIZE:
            binding->controller.OnSize(binding->view, LOWORD(lParam), HIWORD(lParam));
            return TRUE;
        case WM_NOTIFY: {
            const auto *notify = reinterpret_cast<const FrameStripNotify *>(lParam);
            app::StripEvent event;
            switch (notify->header.code) {
                case kStripClicked: event.kind = app::StripEvent::Click; break;
                case kStripDragged: event.kind = app::StripEvent::Drag; break;
                case kStripContextMenu: event.kind = app::StripEvent::ContextMenu; break;
                default: return FALSE;
            }
            event.cell = notify->cell;
            event.target = notify->target;
            binding->controller.OnStripEvent(binding->view, static_cast<int>(notify->header.idFrom), event);
            return TRUE;
        }
        case WM_NCDESTROY:
            SetWindowLongPtrA(window, DWLP_USER, 0);
            delete binding;
            return FALSE;
        default: return FALSE;
    }
}

}  // namespace

HWND CreateToolWindow(HINSTANCE instance, HWND owner, const std::string &templateName,
                      app::ToolWindowController &controller, app::DialogView *&view) {
    RegisterFrameStripClass(instance);
    auto *binding = new ToolWindowBinding{controller, {}};
    HWND window = CreateDialogParamA(instance, templateName.c_str(), owner, ToolWindowProc,
                                     reinterpret_cast<LPARAM>(binding));
    if (window == nullptr) {
        delete binding;  // WM_INITDIALOG never came
        view = nullptr;
        return nullptr;
    }
    view = &binding->view;
    return window;
}

}  // namespace morvel::dialogs::win32
