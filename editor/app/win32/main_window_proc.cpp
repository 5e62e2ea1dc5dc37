#include "app/win32/main_window_proc.h"

#include <commctrl.h>
#include <shellapi.h>

#include "app/command_dispatch.h"
#include "app/commands.h"
#include "app/main_window_events.h"
#include "app/part_picking.h"
#include "app/pose_editing.h"
#include "app/redraw.h"
#include "app/view_commands.h"
#include "app/win32/system_functions.h"
#include "app/win32/win32_shell.h"

namespace morvel::app::win32 {

namespace {

Win32Shell *ShellOf(HWND window) {
    return reinterpret_cast<Win32Shell *>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// Client coordinates as signed 16-bit values: a captured drag past the left
// or top edge gives negative numbers.
int32_t X(LPARAM lParam) { return static_cast<int16_t>(LOWORD(lParam)); }
int32_t Y(LPARAM lParam) { return static_cast<int16_t>(HIWORD(lParam)); }

constexpr UINT kRaiseViewMessage = WM_APP + 1;

bool KeyDown(int virtualKey) { return (GetKeyState(virtualKey) & 0x8000) != 0; }

void DroppedFiles(Editor &editor, HDROP drop) {
    auto *query = System<decltype(DragQueryFileA)>("shell32.dll", "DragQueryFileA");
    auto *finish = System<decltype(DragFinish)>("shell32.dll", "DragFinish");
    char path[MAX_PATH] = {};
    if (query != nullptr && query(drop, 0, path, MAX_PATH) > 0) FileDropped(editor, path);
    if (finish != nullptr) finish(drop);
}

}  // namespace

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto *create = reinterpret_cast<const CREATESTRUCTA *>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    Win32Shell *shell = ShellOf(window);
    Editor *editor = shell != nullptr ? shell->AttachedEditor() : nullptr;
    if (editor == nullptr) return DefWindowProcA(window, message, wParam, lParam);

    switch (message) {
        case WM_COMMAND: RunCommand(*editor, LOWORD(wParam)); return 0;
        case WM_KEYDOWN:
            KeyPressed(*editor, static_cast<int>(wParam), KeyDown(VK_SHIFT), KeyDown(VK_CONTROL));
            return 0;
        case WM_KEYUP: KeyReleased(*editor, static_cast<int>(wParam)); return 0;
        case WM_LBUTTONDOWN: LeftButtonDown(*editor, X(lParam), Y(lParam)); return 0;
        case WM_MOUSEMOVE:
            MouseMove(*editor, {(wParam & MK_LBUTTON) != 0, (wParam & MK_RBUTTON) != 0}, X(lParam),
                      Y(lParam));
            return 0;
        case WM_LBUTTONUP: LeftButtonUp(*editor); return 0;
        case WM_LBUTTONDBLCLK: ViewDoubleClicked(*editor, X(lParam), Y(lParam)); return 0;
        case WM_SIZE: Resized(*editor, static_cast<int>(wParam)); return 0;
        case WM_MOVE: shell->FollowMainWindow(); return 0;
        case WM_WINDOWPOSCHANGED: {
            // The main window came up in the stacking order (activated by a
            // click, say): its view goes back over it once the activation is
            // through.
            const auto *position = reinterpret_cast<const WINDOWPOS *>(lParam);
            if (!(position->flags & SWP_NOZORDER)) PostMessageA(window, kRaiseViewMessage, 0, 0);
            return DefWindowProcA(window, message, wParam, lParam);
        }
        case WM_ENTERSIZEMOVE: EnteredSizeMove(*editor); return 0;
        case WM_EXITSIZEMOVE: ExitedSizeMove(*editor); return 0;
        case WM_CLOSE: CloseRequested(*editor); return 0;
        case WM_DESTROY:
            Destroyed(*editor);
            return 0;
        case WM_NOTIFY: {
            auto *header = reinterpret_cast<NMHDR *>(lParam);
            if (header->code == TTN_NEEDTEXTA) {
                auto *info = reinterpret_cast<NMTTDISPINFOA *>(lParam);
                info->lpszText = const_cast<char *>(ToolbarTooltip(static_cast<int>(info->hdr.idFrom)));
            }
            return 0;
        }
        case WM_HELP: {
            const auto *info = reinterpret_cast<const HELPINFO *>(lParam);
            HelpRequested(*editor, info->iContextType == HELPINFO_MENUITEM, info->iCtrlId);
            return 0;
        }
        case WM_CONTEXTMENU: {
            const HWND target = reinterpret_cast<HWND>(wParam);
            ContextMenuRequested(*editor, target == shell->Toolbar()     ? ContextTarget::Toolbar
                                          : target == shell->StatusBar() ? ContextTarget::StatusBar
                                                                         : ContextTarget::Other);
            return 0;
        }
        case kRaiseViewMessage: shell->RaiseView(); return 0;
        case WM_DROPFILES: DroppedFiles(*editor, reinterpret_cast<HDROP>(wParam)); return 0;
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK ViewWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto *create = reinterpret_cast<const CREATESTRUCTA *>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    Win32Shell *shell = ShellOf(window);
    switch (message) {
        case WM_ERASEBKGND: return 1;
        case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_MOUSEMOVE:
        case WM_DROPFILES:
            if (shell != nullptr && shell->Main() != nullptr) {
                return SendMessageA(shell->Main(), message, wParam, lParam);
            }
            return 0;
        default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

void CALLBACK MainWindowTimerProc(HWND window, UINT, UINT_PTR id, DWORD) {
    Win32Shell *shell = ShellOf(window);
    if (shell != nullptr) shell->KeepViewOverMain();
    if (shell != nullptr && shell->AttachedEditor() != nullptr) {
        TimerFired(*shell->AttachedEditor(), static_cast<int>(id));
    }
}

void CALLBACK HelpRetryTimerProc(HWND window, UINT, UINT_PTR, DWORD) {
    Win32Shell *shell = ShellOf(window);
    if (shell != nullptr) shell->RetryHelp();
}

}  // namespace morvel::app::win32
