#include "app/win32/win32_shell.h"

#include <commctrl.h>
#include <shellapi.h>

#include <vector>

#include "app/command_ids.h"
#include "app/commands.h"
#include "app/win32/common_dialogs.h"
#include "app/win32/help_request.h"
#include "app/win32/main_window_proc.h"
#include "app/win32/pose_clipboard.h"
#include "app/win32/shell_link.h"

namespace morvel::app::win32 {

namespace {

const char kMainWindowClass[] = "DX8 Main Window";
const char kViewWindowClass[] = "Morvel View";
// Top-level menus by position, and the mouse-mode submenu inside "ポジション".
constexpr int kFileMenuPosition = 0;
constexpr int kPositionMenuPosition = 4;
constexpr int kMouseMenuPosition = 5;

int ClientBottom(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return r.bottom;
}

}  // namespace

Win32Shell::Win32Shell(HINSTANCE instance, DialogRunner dialogRunner,
                       ToolWindowCreator toolWindowCreator)
    : instance_(instance), dialogRunner_(dialogRunner), toolWindowCreator_(toolWindowCreator) {}

bool Win32Shell::RegisterMainWindowClass() {
    WNDCLASSA wc{};
    wc.style = CS_CLASSDC;
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = instance_;
    wc.hIcon = LoadIconA(instance_, "IDI_APP_16_32");
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszMenuName = MAKEINTRESOURCEA(IDR_MAIN_MENU);
    wc.lpszClassName = kMainWindowClass;
    if (RegisterClassA(&wc) == 0) return false;

    WNDCLASSA view{};
    view.style = CS_DBLCLKS;  // a double click picks a part
    view.lpfnWndProc = ViewWindowProc;
    view.hCursor = wc.hCursor;
    view.hInstance = instance_;
    view.lpszClassName = kViewWindowClass;
    return RegisterClassA(&view) != 0;
}

bool Win32Shell::CreateMainWindow(const std::string &title, int clientWidth, int clientHeight) {
    RECT r{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&r, WS_OVERLAPPEDWINDOW, TRUE, 0);
    // Both windows take dropped files (WS_EX_ACCEPTFILES is what
    // DragAcceptFiles sets).
    main_ = CreateWindowExA(WS_EX_ACCEPTFILES, kMainWindowClass, title.c_str(), WS_OVERLAPPEDWINDOW,
                            CW_USEDEFAULT, CW_USEDEFAULT, r.right - r.left, r.bottom - r.top,
                            nullptr, nullptr, instance_, this);
    if (main_ == nullptr) return false;
    menu_ = GetMenu(main_);
    // An owned pop-up that never takes the focus: keys stay with the main
    // window. It is shown with the main window.
    view_ = CreateWindowExA(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW | WS_EX_ACCEPTFILES,
                            kViewWindowClass, "", WS_POPUP, 0, 0, clientWidth, clientHeight, main_,
                            nullptr, instance_, this);
    if (view_ == nullptr) return false;
    return true;
}

void Win32Shell::InitCommonControls() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
}

void Win32Shell::CreateToolbar(const std::vector<ToolbarButton> &buttons) {
    std::vector<TBBUTTON> entries;
    for (const ToolbarButton &b : buttons) {
        TBBUTTON entry{};
        entry.fsState = TBSTATE_ENABLED;
        if (b.image < 0) {
            entry.fsStyle = TBSTYLE_SEP;
        } else {
            entry.iBitmap = b.image;
            entry.idCommand = b.command;
            entry.fsStyle = TBSTYLE_BUTTON;
        }
        entries.push_back(entry);
    }
    toolbar_ = CreateToolbarEx(main_, WS_CHILD | WS_VISIBLE | WS_BORDER | TBSTYLE_TOOLTIPS,
                               IDC_TOOLBAR, static_cast<int>(buttons.size()), instance_, IDB_TOOLBAR,
                               entries.data(), static_cast<int>(entries.size()), 16, 16, 16, 16,
                               sizeof(TBBUTTON));
}

Rect Win32Shell::ClientRect() {
    RECT r{};
    GetClientRect(main_, &r);
    return {r.left, r.top, r.right, r.bottom};
}

void Win32Shell::CreateStatusBar(const std::array<int, 3> &rightEdges) {
    statusBar_ = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | SBARS_SIZEGRIP, 0, 0, 0, 0,
                                 main_, nullptr, instance_, nullptr);
    int edges[3] = {rightEdges[0], rightEdges[1], rightEdges[2]};
    SendMessageA(statusBar_, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));
    for (int part = 0; part < 3; ++part) SetStatusText(part, "");
}

int Win32Shell::ToolbarHeight() { return ClientBottom(toolbar_); }
int Win32Shell::StatusBarHeight() { return ClientBottom(statusBar_); }

void Win32Shell::ShowWindows(int showCommand) {
    ShowWindow(main_, showCommand);
    UpdateWindow(main_);
    ShowWindow(toolbar_, SW_SHOW);
    UpdateWindow(toolbar_);
    ShowWindow(statusBar_, SW_SHOW);
    UpdateWindow(statusBar_);
    FollowMainWindow();
    ShowWindow(view_, SW_SHOWNOACTIVATE);
}

void Win32Shell::StartTimer(int id, int milliseconds) {
    SetTimer(main_, static_cast<UINT_PTR>(id), static_cast<UINT>(milliseconds), MainWindowTimerProc);
}

void Win32Shell::StopTimer(int id) { KillTimer(main_, static_cast<UINT_PTR>(id)); }

int Win32Shell::RunMessageLoop() {
    MSG message;
    for (;;) {
        if (PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            if (GetMessageA(&message, nullptr, 0, 0) == 0) break;
            // Keys pressed while a tool window is active are the main window's.
            if ((message.message == WM_KEYDOWN || message.message == WM_KEYUP) &&
                InToolWindow(message.hwnd)) {
                message.hwnd = main_;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        } else {
            WaitMessage();
        }
    }
    return static_cast<int>(message.wParam);
}

std::string Win32Shell::ProgramPath() {
    char path[512] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}

void Win32Shell::SetTitle(const std::string &title) { SetWindowTextA(main_, title.c_str()); }

void Win32Shell::EnableMenuItem(int command, bool enabled) {
    ::EnableMenuItem(menu_, static_cast<UINT>(command), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void Win32Shell::CheckMenuRadio(RadioGroup group, int position) {
    HMENU positionMenu = GetSubMenu(menu_, kPositionMenuPosition);
    if (group == RadioGroup::EditMode) {
        CheckMenuRadioItem(positionMenu, 0, 3, static_cast<UINT>(position), MF_BYPOSITION);
    } else {
        CheckMenuRadioItem(GetSubMenu(positionMenu, kMouseMenuPosition), 0, 2,
                           static_cast<UINT>(position), MF_BYPOSITION);
    }
}

void Win32Shell::CheckMenuItem(int command, bool checked) {
    ::CheckMenuItem(menu_, static_cast<UINT>(command), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

HMENU Win32Shell::FileMenu() const { return GetSubMenu(menu_, kFileMenuPosition); }

void Win32Shell::InsertFileMenuItem(int position, int command, const std::string &text) {
    MENUITEMINFOA item{};
    item.cbSize = sizeof item;
    item.fMask = MIIM_ID | MIIM_TYPE;
    item.fType = MFT_STRING;
    item.wID = static_cast<UINT>(command);
    item.dwTypeData = const_cast<char *>(text.c_str());
    InsertMenuItemA(FileMenu(), static_cast<UINT>(position), TRUE, &item);
}

void Win32Shell::DeleteFileMenuItem(int position) {
    DeleteMenu(FileMenu(), static_cast<UINT>(position), MF_BYPOSITION);
}

void Win32Shell::PlaceView(const Rect &viewRect) {
    shownView_ = viewRect;
    FollowMainWindow();
}

void Win32Shell::FollowMainWindow() {
    if (view_ == nullptr || main_ == nullptr) return;
    RECT client{};
    GetClientRect(main_, &client);
    POINT origin{0, 0};
    ClientToScreen(main_, &origin);
    SetWindowPos(view_, nullptr, origin.x, origin.y, client.right, client.bottom,
                 SWP_NOACTIVATE | SWP_NOZORDER);
    const Rect &v = shownView_;
    SetWindowRgn(view_, CreateRectRgn(v.left, v.top, v.right, v.bottom), TRUE);
}

void Win32Shell::RaiseView() {
    if (view_ == nullptr || raisingView_) return;
    raisingView_ = true;
    // The window system's stacking can differ from the window manager's
    // list, in which the view may already stand first: moving it under the
    // main window and back makes both restack it.
    const UINT flags = SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE;
    SetWindowPos(view_, main_, 0, 0, 0, 0, flags);
    SetWindowPos(view_, HWND_TOP, 0, 0, 0, 0, flags);
    raisingView_ = false;
}

void Win32Shell::KeepViewOverMain() {
    if (view_ == nullptr || main_ == nullptr) return;
    for (HWND above = GetWindow(view_, GW_HWNDPREV); above != nullptr;
         above = GetWindow(above, GW_HWNDPREV)) {
        if (above == main_) {
            RaiseView();
            return;
        }
    }
}

void Win32Shell::PlaceBars(int clientWidth, int clientBottom, int toolbarHeight, int statusBarHeight) {
    SetWindowPos(toolbar_, nullptr, 0, 0, clientWidth, toolbarHeight, SWP_FRAMECHANGED);
    SetWindowPos(statusBar_, nullptr, 0, clientBottom - statusBarHeight, clientWidth,
                 statusBarHeight, SWP_FRAMECHANGED);
}

void Win32Shell::InvalidateMainWindow() { InvalidateRect(main_, nullptr, TRUE); }

bool Win32Shell::RunDialog(const std::string &name, DialogController &controller) {
    const bool shown = dialogRunner_ != nullptr && dialogRunner_(instance_, main_, name, controller);
    RaiseView();
    return shown;
}

void Win32Shell::PostCommand(int command) {
    PostMessageA(main_, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}
void Win32Shell::PostClose() { PostMessageA(main_, WM_CLOSE, 0, 0); }
void Win32Shell::PostDestroy() { PostMessageA(main_, WM_DESTROY, 0, 0); }
void Win32Shell::DestroyMainWindow() { DestroyWindow(main_); }
void Win32Shell::PostQuit(int exitCode) { PostQuitMessage(exitCode); }
void Win32Shell::CaptureMouse() { SetCapture(main_); }
void Win32Shell::ReleaseMouse() { ReleaseCapture(); }

bool Win32Shell::ChangeDirectory(const std::string &path) {
    return SetCurrentDirectoryA(path.c_str()) != FALSE;
}

std::string Win32Shell::CurrentDirectory() {
    char path[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, path);
    return path;
}

void Win32Shell::ShowHelp(const std::string &helpFile, HelpCommand command, uint32_t data,
                         const std::string &keyword) {
    HelpRequest request{helpFile, 0, data, keyword};
    switch (command) {
        case HelpCommand::Context:
            request.command = HELP_CONTEXT;
            break;
        case HelpCommand::Finder:
            request.command = HELP_FINDER;
            request.data = 0;
            break;
        case HelpCommand::ContextPopup:
            request.command = HELP_CONTEXTPOPUP;
            break;
        case HelpCommand::Key:
            request.command = HELP_KEY;
            break;
        case HelpCommand::Quit:
            request.command = HELP_QUIT;
            request.data = 0;
            break;
    }
    // A newer request replaces one still waiting for the viewer.
    helpRetry_.Stop();
    KillTimer(main_, kHelpRetryTimerId);
    const bool viewerRan = ViewerWindowExists();
    if (AskViewer(main_, request)) return;
    if (!HelpRetry::WorthWaiting(viewerRan, request.command == HELP_QUIT, ViewerProcessRuns())) {
        return;
    }
    pendingHelp_ = request;
    helpRetry_.Start(GetTickCount64());
    SetTimer(main_, kHelpRetryTimerId, HelpRetry::kPollMilliseconds, HelpRetryTimerProc);
}

void Win32Shell::RetryHelp() {
    switch (helpRetry_.Tick(GetTickCount64(), ViewerWindowExists(), ViewerProcessRuns())) {
        case HelpRetry::Step::Wait:
            return;
        case HelpRetry::Step::AskAgain:
            KillTimer(main_, kHelpRetryTimerId);
            AskViewer(main_, pendingHelp_);
            return;
        case HelpRetry::Step::GiveUp:
            KillTimer(main_, kHelpRetryTimerId);
            return;
    }
}

bool Win32Shell::ChooseColour(uint32_t &colour) {
    const bool chosen = RunColourChooser(main_, colour);
    RaiseView();
    return chosen;
}

long Win32Shell::CreateDesktopShortcut(const std::string &linkName, const std::string &description) {
    return win32::CreateDesktopShortcut(main_, linkName, description);
}

bool Win32Shell::CreateToolWindow(const std::string &name, ToolWindowController &controller,
                                  const Rect &place) {
    if (toolWindowCreator_ == nullptr || toolWindows_.count(name)) return false;
    ToolWindow created;
    created.window = toolWindowCreator_(instance_, main_, name, controller, created.view);
    if (created.window == nullptr) return false;
    // A place from an earlier run only when it is still on a screen.
    const RECT wanted{place.left, place.top, place.right, place.bottom};
    if (place.right > place.left && MonitorFromRect(&wanted, MONITOR_DEFAULTTONULL) != nullptr) {
        SetWindowPos(created.window, nullptr, place.left, place.top, place.right - place.left,
                     place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        // Under the main window when the screen has room there, else over
        // the lower part of its view.
        RECT main, tool;
        GetWindowRect(main_, &main);
        GetWindowRect(created.window, &tool);
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoA(MonitorFromWindow(main_, MONITOR_DEFAULTTONEAREST), &monitor);
        const LONG height = tool.bottom - tool.top;
        const LONG top = main.bottom + height <= monitor.rcWork.bottom ? main.bottom : main.bottom - height - 30;
        SetWindowPos(created.window, nullptr, main.left, top, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE);
    }
    toolWindows_[name] = created;
    return true;
}

void Win32Shell::ShowToolWindow(const std::string &name, bool visible) {
    const auto found = toolWindows_.find(name);
    if (found != toolWindows_.end()) ShowWindow(found->second.window, visible ? SW_SHOWNOACTIVATE : SW_HIDE);
}

DialogView *Win32Shell::ToolWindowView(const std::string &name) {
    const auto found = toolWindows_.find(name);
    return found != toolWindows_.end() ? found->second.view : nullptr;
}

Rect Win32Shell::ToolWindowRect(const std::string &name) {
    const auto found = toolWindows_.find(name);
    RECT r{0, 0, 0, 0};
    if (found != toolWindows_.end()) GetWindowRect(found->second.window, &r);
    return {r.left, r.top, r.right, r.bottom};
}

bool Win32Shell::InToolWindow(HWND window) const {
    for (const auto &[name, tool] : toolWindows_) {
        if (window == tool.window || IsChild(tool.window, window)) return true;
    }
    return false;
}

bool Win32Shell::ChooseFolder(const std::string &title, std::string &folder) {
    const bool chosen = RunFolderChooser(main_, title, folder);
    RaiseView();
    return chosen;
}

bool Win32Shell::SetClipboardPose(const std::string &json) { return PutPoseOnClipboard(main_, json); }

std::string Win32Shell::ClipboardPose() { return PoseFromClipboard(main_); }

bool Win32Shell::ChooseFile(const document::FileChooserRequest &request, document::PathBuffer &path) {
    const bool chosen = RunFileChooser(request, path);
    RaiseView();
    return chosen;
}

document::MessageAnswer Win32Shell::ShowMessage(const document::MessageRequest &request) {
    const document::MessageAnswer answer = ShowMessageBox(request);
    RaiseView();
    return answer;
}

void Win32Shell::SetStatusText(int part, const std::string &text) {
    SendMessageA(statusBar_, SB_SETTEXTA, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text.c_str()));
}

}  // namespace morvel::app::win32
