// The Shell port: what the main window's logic needs of the platform. One
// Win32 implementation (win32/) and one fake for the tests. Each call stands
// for one or a few Win32 calls; decisions stay with the caller.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/d3d_types.h"
#include "document/ui_ports.h"
#include "render/status_texts.h"

namespace morvel::app {

class DialogController;
class DialogView;
class ToolWindowController;

struct ToolbarButton {
    int image;    // index into bitmap 111; -1 for a separator
    int command;  // 0 for a separator
};

// The two radio groups of the menu: the edit modes (items 0-3 of
// "ポジション") and the mouse modes (items 0-2 of its "マウス動作" submenu).
enum class RadioGroup { EditMode, MouseMode };

// WinHelpA commands.
enum class HelpCommand { Context, Finder, ContextPopup, Key, Quit };

class Shell : public document::FileChooser,
              public document::MessageBoxPort,
              public render::StatusBarSink {
public:
    // Start-up, in the order the program calls them.
    virtual bool RegisterMainWindowClass() = 0;
    // A WS_OVERLAPPEDWINDOW window at the default position whose client area
    // is clientWidth x clientHeight; false when it cannot be created.
    virtual bool CreateMainWindow(const std::string &title, int clientWidth, int clientHeight) = 0;
    virtual void InitCommonControls() = 0;
    virtual void CreateToolbar(const std::vector<ToolbarButton> &buttons) = 0;
    virtual Rect ClientRect() = 0;
    // The status bar with its parts' right edges and empty texts.
    virtual void CreateStatusBar(const std::array<int, 3> &rightEdges) = 0;
    // Bottoms of the toolbar's and the status bar's client rectangles.
    virtual int ToolbarHeight() = 0;
    virtual int StatusBarHeight() = 0;
    virtual void ShowWindows(int showCommand) = 0;
    virtual void StartTimer(int id, int milliseconds) = 0;
    virtual void StopTimer(int id) = 0;
    // Runs until the quit message; returns its parameter.
    virtual int RunMessageLoop() = 0;

    virtual document::OwnerWindow MainWindow() = 0;
    // The window the Direct3D device presents into: it lies over the main
    // window's client area with the same client coordinates, but shows only
    // the view rectangle, so the toolbar and the status bar stay visible.
    // (Under Wine a device presenting into the main window itself draws
    // through a GL window over the whole client area, bars included.) Its
    // mouse messages go to the main window.
    virtual document::OwnerWindow ViewWindow() = 0;
    // Shows the view window's part of the client area: the view rectangle.
    virtual void PlaceView(const Rect &viewRect) = 0;
    // The program file's full path (GetModuleFileNameA).
    virtual std::string ProgramPath() = 0;

    virtual void SetTitle(const std::string &title) = 0;
    virtual void EnableMenuItem(int command, bool enabled) = 0;
    virtual void CheckMenuRadio(RadioGroup group, int position) = 0;
    virtual void CheckMenuItem(int command, bool checked) = 0;
    // Items of the File menu by position.
    virtual void InsertFileMenuItem(int position, int command, const std::string &text) = 0;
    virtual void DeleteFileMenuItem(int position) = 0;
    // Moves the toolbar to the top and the status bar to the bottom of a
    // client area of the given size.
    virtual void PlaceBars(int clientWidth, int clientBottom, int toolbarHeight,
                           int statusBarHeight) = 0;
    virtual void InvalidateMainWindow() = 0;

    // Modal dialog from the template `name` over the main window, driven by
    // controller; false when the dialog cannot be created.
    virtual bool RunDialog(const std::string &name, DialogController &controller) = 0;

    // A modeless tool window from the template `name`, owned by the main
    // window and driven by controller, created hidden at `place` (screen
    // coordinates; an empty rectangle, or one off every screen: where the
    // system puts it). Keys pressed in it go to the main window. False when
    // it cannot be created.
    virtual bool CreateToolWindow(const std::string &name, ToolWindowController &controller,
                                  const Rect &place) = 0;
    virtual void ShowToolWindow(const std::string &name, bool visible) = 0;
    // The view of a created tool window; nullptr for one not created.
    virtual DialogView *ToolWindowView(const std::string &name) = 0;
    // Its rectangle on the screen.
    virtual Rect ToolWindowRect(const std::string &name) = 0;

    virtual void PostCommand(int command) = 0;
    virtual void PostClose() = 0;
    virtual void PostDestroy() = 0;
    virtual void DestroyMainWindow() = 0;
    virtual void PostQuit(int exitCode) = 0;

    virtual void CaptureMouse() = 0;
    virtual void ReleaseMouse() = 0;

    virtual bool ChangeDirectory(const std::string &path) = 0;
    virtual std::string CurrentDirectory() = 0;

    // data: the context number for Context and ContextPopup, else 0.
    virtual void ShowHelp(const std::string &helpFile, HelpCommand command, uint32_t data,
                         const std::string &keyword) = 0;
    // The system's folder chooser (a new folder can be made in it); true
    // with the chosen folder's full path on OK.
    virtual bool ChooseFolder(const std::string &title, std::string &folder) = 0;
    // colour is 0x00BBGGRR; true with the chosen colour on OK.
    virtual bool ChooseColour(uint32_t &colour) = 0;
    // Creates or overwrites the desktop shortcut linkName ("\Morvel.lnk").
    virtual long CreateDesktopShortcut(const std::string &linkName,
                                       const std::string &description) = 0;

    // The pose clipboard: the pose's JSON (UTF-8) in a clipboard format of
    // our own and, beside it, as text. False when the clipboard is busy.
    virtual bool SetClipboardPose(const std::string &json) = 0;
    // Our own format's JSON, else the clipboard's text as UTF-8; empty when
    // it holds neither.
    virtual std::string ClipboardPose() = 0;
};

}  // namespace morvel::app
