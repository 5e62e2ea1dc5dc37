// A Shell that records every call and answers from a script, with the
// File menu, title, status bar and posted messages as plain state.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/command_ids.h"
#include "app/fakes/fake_dialog_view.h"
#include "app/shell.h"

namespace morvel::app::fakes {

// What the main window's queue can hold besides commands.
enum PostedKind { kPostedCommand, kPostedClose, kPostedDestroy, kPostedQuit };
struct Posted {
    PostedKind kind;
    int value;  // the command, or the quit code
};

struct HelpCall {
    std::string file;
    HelpCommand command;
    uint32_t data;
    std::string keyword;
};

class FakeShell : public Shell {
public:
    FakeShell();

    // --- script -------------------------------------------------------
    void WillAnswer(document::MessageAnswer answer) { messageAnswers.push_back(answer); }
    void WillChooseFile(const std::string &path) { chooserAnswers.push_back(path); }
    void WillCancelChooser() { chooserAnswers.push_back(std::nullopt); }
    void WillChooseColour(uint32_t colour) { colourAnswers.push_back(colour); }
    void WillCancelColour() { colourAnswers.push_back(std::nullopt); }
    void WillChooseFolder(const std::string &folder) { folderAnswers.push_back(folder); }
    void WillCancelFolder() { folderAnswers.push_back(std::nullopt); }
    // How a modal dialog behaves: called with the controller when the
    // dialog runs; returns false for "could not be created". Unset: every
    // dialog fails to be created.
    std::function<bool(const std::string &name, DialogController &controller)> dialogRunner;
    bool registerFails = false;
    bool createFails = false;
    std::string programPath = "C:\\Morvel\\Morvel.exe";
    Rect client{0, 0, 640, 480};
    int toolbarHeight = 28;
    int statusBarHeight = 20;
    bool setDirectoryFails = false;
    // Runs the message loop; unset: returns 0 at once.
    std::function<int()> messageLoop;

    // --- what happened --------------------------------------------------
    std::vector<std::string> calls;  // every call by name, in order
    std::vector<document::MessageRequest> messages;
    std::vector<document::FileChooserRequest> chooserRequests;
    std::vector<std::string> dialogsRun;
    std::deque<Posted> posted;
    std::string title;
    // The menu's item states, starting as menu 101 of the resources has them.
    std::map<int, bool> menuEnabled{{CMD_FILE_SAVE, true}};
    std::map<RadioGroup, int> radioMarks;
    std::map<int, bool> menuChecked{{CMD_PLAY_INTERPOLATE, true}};
    // The File menu by position: command identifiers (0 for separators) and texts.
    std::vector<std::pair<int, std::string>> fileMenu;
    std::array<std::string, 3> statusTexts;
    std::vector<ToolbarButton> toolbar;
    std::array<int, 3> statusEdges{};
    bool captured = false;
    int captureCount = 0;
    std::string currentDirectory = "C:\\";
    std::vector<std::string> directoryChanges;
    std::vector<HelpCall> helpCalls;
    std::vector<uint32_t> colourRequests;
    std::vector<std::pair<std::string, std::string>> shortcuts;
    // Tool windows by template name, as plain state.
    struct ToolWindow {
        ToolWindowController *controller = nullptr;
        FakeDialogView view;
        bool visible = false;
        Rect place{0, 0, 0, 0};
    };
    std::map<std::string, ToolWindow> toolWindows;
    bool toolWindowFails = false;
    int invalidations = 0;
    std::string clipboard;
    bool destroyed = false;
    std::vector<std::array<int, 4>> barPlacements;
    std::vector<Rect> viewPlacements;
    std::vector<std::pair<int, int>> timers;

    // Recent-file items of the File menu (identifier, text), in order.
    std::vector<std::pair<int, std::string>> RecentMenuItems() const;
    // Takes the posted entries off the queue.
    std::vector<Posted> TakePosted();

    // --- Shell ----------------------------------------------------------
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
    std::vector<int> stoppedTimers;
    int RunMessageLoop() override;
    document::OwnerWindow MainWindow() override;
    document::OwnerWindow ViewWindow() override;
    void PlaceView(const Rect &viewRect) override { viewPlacements.push_back(viewRect); }
    std::string ProgramPath() override;
    void SetTitle(const std::string &text) override;
    void EnableMenuItem(int command, bool enabled) override;
    void CheckMenuRadio(RadioGroup group, int position) override;
    void CheckMenuItem(int command, bool checked) override { menuChecked[command] = checked; }
    void InsertFileMenuItem(int position, int command, const std::string &text) override;
    void DeleteFileMenuItem(int position) override;
    void PlaceBars(int clientWidth, int clientBottom, int toolbarHeight, int statusBarHeight) override;
    void InvalidateMainWindow() override;
    bool RunDialog(const std::string &name, DialogController &controller) override;
    bool CreateToolWindow(const std::string &name, ToolWindowController &controller,
                          const Rect &place) override {
        calls.push_back("CreateToolWindow " + name);
        if (toolWindowFails) return false;
        ToolWindow &window = toolWindows[name];
        window.controller = &controller;
        window.place = place.right > place.left ? place : Rect{100, 100, 500, 260};
        controller.OnInit(window.view);
        return true;
    }
    void ShowToolWindow(const std::string &name, bool visible) override { toolWindows[name].visible = visible; }
    DialogView *ToolWindowView(const std::string &name) override {
        const auto found = toolWindows.find(name);
        return found == toolWindows.end() ? nullptr : &found->second.view;
    }
    Rect ToolWindowRect(const std::string &name) override { return toolWindows[name].place; }
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
    bool ChooseFolder(const std::string &title, std::string &folder) override {
        calls.push_back("ChooseFolder " + title);
        if (folderAnswers.empty() || !folderAnswers.front()) {
            if (!folderAnswers.empty()) folderAnswers.pop_front();
            return false;
        }
        folder = *folderAnswers.front();
        folderAnswers.pop_front();
        return true;
    }
    long CreateDesktopShortcut(const std::string &linkName, const std::string &description) override;
    bool SetClipboardPose(const std::string &json) override {
        clipboard = json;
        return true;
    }
    std::string ClipboardPose() override { return clipboard; }
    bool ChooseFile(const document::FileChooserRequest &request, document::PathBuffer &path) override;
    document::MessageAnswer ShowMessage(const document::MessageRequest &request) override;
    void SetStatusText(int part, const std::string &text) override;

private:
    std::deque<document::MessageAnswer> messageAnswers;
    std::deque<std::optional<std::string>> chooserAnswers;
    std::deque<std::optional<uint32_t>> colourAnswers;
    std::deque<std::optional<std::string>> folderAnswers;
    int mainWindowTag_ = 0;  // its address is the main window's handle
    int viewWindowTag_ = 0;
};

}  // namespace morvel::app::fakes
