#include "app/fakes/fake_shell.h"

#include <algorithm>
#include <cstring>

#include "app/command_ids.h"

namespace morvel::app::fakes {

FakeShell::FakeShell() {
    // The File menu of resource 101 before any recent file is inserted.
    fileMenu = {{CMD_FILE_NEW, "新規"},
                {CMD_FILE_OPEN, "開く"},
                {CMD_FILE_SAVE, "上書き保存"},
                {CMD_FILE_SAVE_AS, "名前を付けて保存"},
                {0, ""},
                {0, ""},
                {CMD_FILE_SHORTCUT, "ショートカットを作成"},
                {0, ""},
                {CMD_FILE_EXIT, "終了"}};
}

std::vector<std::pair<int, std::string>> FakeShell::RecentMenuItems() const {
    std::vector<std::pair<int, std::string>> items;
    for (const auto &item : fileMenu) {
        if (item.first >= CMD_RECENT_FILE_0 && item.first <= CMD_RECENT_FILE_4) items.push_back(item);
    }
    return items;
}

std::vector<Posted> FakeShell::TakePosted() {
    std::vector<Posted> taken(posted.begin(), posted.end());
    posted.clear();
    return taken;
}

bool FakeShell::RegisterMainWindowClass() {
    calls.push_back("RegisterMainWindowClass");
    return !registerFails;
}

bool FakeShell::CreateMainWindow(const std::string &text, int clientWidth, int clientHeight) {
    calls.push_back("CreateMainWindow " + std::to_string(clientWidth) + "x" +
                    std::to_string(clientHeight));
    title = text;
    return !createFails;
}

void FakeShell::InitCommonControls() { calls.push_back("InitCommonControls"); }

void FakeShell::CreateToolbar(const std::vector<ToolbarButton> &buttons) {
    calls.push_back("CreateToolbar");
    toolbar = buttons;
}

Rect FakeShell::ClientRect() {
    calls.push_back("ClientRect");
    return client;
}

void FakeShell::CreateStatusBar(const std::array<int, 3> &rightEdges) {
    calls.push_back("CreateStatusBar");
    statusEdges = rightEdges;
}

int FakeShell::ToolbarHeight() { return toolbarHeight; }
int FakeShell::StatusBarHeight() { return statusBarHeight; }

void FakeShell::ShowWindows(int showCommand) {
    calls.push_back("ShowWindows " + std::to_string(showCommand));
}

void FakeShell::StartTimer(int id, int milliseconds) {
    calls.push_back("StartTimer");
    timers.emplace_back(id, milliseconds);
}

void FakeShell::StopTimer(int id) {
    calls.push_back("StopTimer " + std::to_string(id));
    stoppedTimers.push_back(id);
}

int FakeShell::RunMessageLoop() {
    calls.push_back("RunMessageLoop");
    return messageLoop ? messageLoop() : 0;
}

document::OwnerWindow FakeShell::MainWindow() { return &mainWindowTag_; }
document::OwnerWindow FakeShell::ViewWindow() { return &viewWindowTag_; }

std::string FakeShell::ProgramPath() { return programPath; }

void FakeShell::SetTitle(const std::string &text) {
    calls.push_back("SetTitle");
    title = text;
}

void FakeShell::EnableMenuItem(int command, bool enabled) {
    calls.push_back("EnableMenuItem " + std::to_string(command) + (enabled ? " on" : " off"));
    menuEnabled[command] = enabled;
}

void FakeShell::CheckMenuRadio(RadioGroup group, int position) { radioMarks[group] = position; }

void FakeShell::InsertFileMenuItem(int position, int command, const std::string &text) {
    calls.push_back("InsertFileMenuItem");
    const size_t at = std::min(static_cast<size_t>(position), fileMenu.size());
    fileMenu.insert(fileMenu.begin() + static_cast<long>(at), {command, text});
}

void FakeShell::DeleteFileMenuItem(int position) {
    calls.push_back("DeleteFileMenuItem");
    if (position >= 0 && static_cast<size_t>(position) < fileMenu.size()) {
        fileMenu.erase(fileMenu.begin() + position);
    }
}

void FakeShell::PlaceBars(int clientWidth, int clientBottom, int toolbar, int statusBar) {
    barPlacements.push_back({clientWidth, clientBottom, toolbar, statusBar});
}

void FakeShell::InvalidateMainWindow() { ++invalidations; }

bool FakeShell::RunDialog(const std::string &name, DialogController &controller) {
    calls.push_back("RunDialog " + name);
    dialogsRun.push_back(name);
    return dialogRunner ? dialogRunner(name, controller) : false;
}

void FakeShell::PostCommand(int command) { posted.push_back({kPostedCommand, command}); }
void FakeShell::PostClose() { posted.push_back({kPostedClose, 0}); }
void FakeShell::PostDestroy() {
    calls.push_back("PostDestroy");
    posted.push_back({kPostedDestroy, 0});
}
void FakeShell::DestroyMainWindow() {
    calls.push_back("DestroyMainWindow");
    destroyed = true;
}
void FakeShell::PostQuit(int exitCode) { posted.push_back({kPostedQuit, exitCode}); }

void FakeShell::CaptureMouse() {
    captured = true;
    ++captureCount;
}
void FakeShell::ReleaseMouse() { captured = false; }

bool FakeShell::ChangeDirectory(const std::string &path) {
    directoryChanges.push_back(path);
    if (setDirectoryFails) return false;
    currentDirectory = path;
    return true;
}

std::string FakeShell::CurrentDirectory() { return currentDirectory; }

void FakeShell::ShowHelp(const std::string &helpFile, HelpCommand command, uint32_t data,
                        const std::string &keyword) {
    helpCalls.push_back({helpFile, command, data, keyword});
}

bool FakeShell::ChooseColour(uint32_t &colour) {
    colourRequests.push_back(colour);
    if (colourAnswers.empty()) return false;
    const std::optional<uint32_t> answer = colourAnswers.front();
    colourAnswers.pop_front();
    if (!answer) return false;
    colour = *answer;
    return true;
}

long FakeShell::CreateDesktopShortcut(const std::string &linkName, const std::string &description) {
    shortcuts.emplace_back(linkName, description);
    return 0;
}

bool FakeShell::ChooseFile(const document::FileChooserRequest &request, document::PathBuffer &path) {
    chooserRequests.push_back(request);
    if (chooserAnswers.empty()) return false;
    const std::optional<std::string> answer = chooserAnswers.front();
    chooserAnswers.pop_front();
    if (!answer) return false;
    path.fill('\0');
    std::memcpy(path.data(), answer->data(), std::min(answer->size(), path.size() - 1));
    return true;
}

document::MessageAnswer FakeShell::ShowMessage(const document::MessageRequest &request) {
    calls.push_back("ShowMessage");
    messages.push_back(request);
    if (messageAnswers.empty()) {
        return request.buttons == document::MessageButtons::YesNo ? document::MessageAnswer::No
                                                                  : document::MessageAnswer::Ok;
    }
    const document::MessageAnswer answer = messageAnswers.front();
    messageAnswers.pop_front();
    return answer;
}

void FakeShell::SetStatusText(int part, const std::string &text) {
    if (part >= 0 && part < 3) statusTexts[static_cast<size_t>(part)] = text;
}

}  // namespace morvel::app::fakes
