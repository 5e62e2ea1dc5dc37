// The Shell over Win32: the main window with its menu, toolbar and status
// bar, the message loop, the timer and the system's dialogs.
#pragma once

#include <windows.h>

#include <map>
#include <string>

#include "app/editor.h"
#include "app/help_retry.h"
#include "app/shell.h"
#include "app/win32/help_request.h"

namespace morvel::app::win32 {

// Runs a dialog template modally over owner; false when it cannot be created.
using DialogRunner = bool (*)(HINSTANCE instance, HWND owner, const std::string &name,
                              DialogController &controller);

// Creates a tool window from a template, hidden, with its view; nullptr
// when it cannot be created.
using ToolWindowCreator = HWND (*)(HINSTANCE instance, HWND owner, const std::string &name,
                                   ToolWindowController &controller, DialogView *&view);

class Win32Shell : public Shell {
public:
    Win32Shell(HINSTANCE instance, DialogRunner dialogRunner,
               ToolWindowCreator toolWindowCreator = nullptr);
    // The editor the main window's messages go to; set before the window exists.
    void Attach(Editor *editor) { editor_ = editor; }
    Editor *AttachedEditor() const { return editor_; }

    HWND Toolbar() const { return toolbar_; }
    HWND StatusBar() const { return statusBar_; }
    HINSTANCE Instance() const { return instance_; }
    void ForgetMainWindow() { main_ = nullptr; }

    bool RegisterMainWindowClass() override;
    bool CreateMainWindow(const std::string &title, int clientWidth, int clientHeight) override;
    void InitCommonControls() override;
    void CreateToolbar(const std::vector<ToolbarButton> &buttons) override;
    Rect ClientRect() override;
    void CreateStatusBar(const std::array<int, 3> &rightEdges) override;
    int ToolbarHeight() override;
    int StatusBarHeight() override;
    void ShowWindows(int showCommand) override;
    void StartTimer(int id, int milliseconds) override;
    void StopTimer(int id) override;
    int RunMessageLoop() override;
    document::OwnerWindow MainWindow() override { return main_; }
    document::OwnerWindow ViewWindow() override { return view_; }
    void PlaceView(const Rect &viewRect) override;
    // The view window keeps to the main window's client area when it moves.
    void FollowMainWindow();
    // Over the main window again once it is active: the window system may
    // have stacked the activated main window over its view.
    void RaiseView();
    // RaiseView when the main window stands over its view. Activated from
    // one of its tool windows, the main window can be restacked later than
    // any message it gets tells: the timers call this.
    void KeepViewOverMain();
    HWND Main() const { return main_; }
    std::string ProgramPath() override;
    void SetTitle(const std::string &title) override;
    void EnableMenuItem(int command, bool enabled) override;
    void CheckMenuRadio(RadioGroup group, int position) override;
    void CheckMenuItem(int command, bool checked) override;
    void InsertFileMenuItem(int position, int command, const std::string &text) override;
    void DeleteFileMenuItem(int position) override;
    void PlaceBars(int clientWidth, int clientBottom, int toolbarHeight, int statusBarHeight) override;
    void InvalidateMainWindow() override;
    bool RunDialog(const std::string &name, DialogController &controller) override;
    bool CreateToolWindow(const std::string &name, ToolWindowController &controller,
                          const Rect &place) override;
    void ShowToolWindow(const std::string &name, bool visible) override;
    DialogView *ToolWindowView(const std::string &name) override;
    Rect ToolWindowRect(const std::string &name) override;
    void PostCommand(int command) override;
    void PostClose() override;
    void PostDestroy() override;
    void DestroyMainWindow() override;
    void PostQuit(int exitCode) override;
    void CaptureMouse() override;
    void ReleaseMouse() override;
    bool ChangeDirectory(const std::string &path) override;
    std::string CurrentDirectory() override;
    void ShowHelp(const std::string &helpFile, HelpCommand command, uint32_t data,
                 const std::string &keyword) override;
    bool ChooseColour(uint32_t &colour) override;
    bool ChooseFolder(const std::string &title, std::string &folder) override;
    long CreateDesktopShortcut(const std::string &linkName, const std::string &description) override;
    bool SetClipboardPose(const std::string &json) override;
    std::string ClipboardPose() override;
    bool ChooseFile(const document::FileChooserRequest &request, document::PathBuffer &path) override;
    document::MessageAnswer ShowMessage(const document::MessageRequest &request) override;
    void SetStatusText(int part, const std::string &text) override;

    // The help retry timer's tick.
    void RetryHelp();

private:
    HMENU FileMenu() const;
    HelpRequest pendingHelp_;
    HelpRetry helpRetry_;
    Rect shownView_{0, 0, 0, 0};
    bool raisingView_ = false;

    struct ToolWindow {
        HWND window = nullptr;
        DialogView *view = nullptr;
    };
    // Whether a message is for one of the tool windows or their controls.
    bool InToolWindow(HWND window) const;

    HINSTANCE instance_;
    DialogRunner dialogRunner_;
    ToolWindowCreator toolWindowCreator_;
    std::map<std::string, ToolWindow> toolWindows_;
    Editor *editor_ = nullptr;
    HWND main_ = nullptr;
    HWND view_ = nullptr;
    HWND toolbar_ = nullptr;
    HWND statusBar_ = nullptr;
    HMENU menu_ = nullptr;
};

}  // namespace morvel::app::win32
