#include "app/startup.h"

#include <cstring>

#include "app/autosave.h"
#include "app/command_ids.h"
#include "app/commands.h"
#include "app/file_commands.h"
#include "app/menu_states.h"
#include "app/recent_files.h"
#include "app/redraw.h"
#include "app/tool_windows.h"
#include "base/cp932_text.h"

namespace morvel::app {

namespace {

constexpr size_t kProgramPathLimit = 512;

const char *DeviceTypeText(int initResult) {
    switch (initResult) {
        case render::kInitHalHardware: return "HAL HARDWARE";
        case render::kInitHalSoftware: return "HAL SOFTWARE";
        default: return "REF SOFTWARE";
    }
}

bool EndsWithFolder(const std::string &path, size_t end, const char *folder) {
    const size_t length = std::strlen(folder);
    if (end < length + 1 || path.compare(end - length - 1, length, folder) != 0) return false;
    // A whole folder name: it starts the path or follows a separator.
    const size_t start = end - length - 1;
    return start == 0 || path[start - 1] == '\\' || path[start - 1] == ':';
}

}  // namespace

std::string ProgramFolderPath(const std::string &programPath, const std::string &name) {
    const std::string path =
        programPath.substr(0, base::Cp932PrefixLength(programPath, kProgramPathLimit));
    // The last backslash that starts a character (a double-byte character's
    // second byte may be 0x5C).
    const size_t lastSeparator = base::Cp932FindLastOf(path, "\\");
    if (lastSeparator == std::string::npos) return name;
    const size_t end = lastSeparator + 1;  // keeps the backslash
    for (const char *folder : {"DEBUG", "RELEASE"}) {
        if (EndsWithFolder(path, end, folder)) {
            return path.substr(0, end - std::strlen(folder) - 1) + name;
        }
    }
    return path.substr(0, end) + name;
}

int RunEditor(Editor &editor, int showCommand, const std::string &startupFile) {
    EditorState &state = editor.state;
    Shell &shell = editor.shell;
    const std::string title = WindowTitle(state.filePath);
    if (!shell.RegisterMainWindowClass()) return 0;
    if (!shell.CreateMainWindow(title, kClientWidth, kClientHeight)) return 0;
    ShowMenuStates(editor);
    shell.InitCommonControls();
    shell.CreateToolbar(ToolbarButtons());
    state.clientRect = shell.ClientRect();
    shell.CreateStatusBar(kStatusBarEdges);
    state.toolbarHeight = shell.ToolbarHeight();
    state.statusBarHeight = shell.StatusBarHeight();
    ClearRecentFiles(state.recentFiles);
    const std::string help = ProgramFolderPath(shell.ProgramPath(), "mvl.hlp");
    state.helpFilePath.fill('\0');
    std::memcpy(state.helpFilePath.data(), help.data(),
                base::Cp932PrefixLength(help, state.helpFilePath.size() - 1));

    editor.renderer.SetDeviceWindow(shell.ViewWindow());
    editor.renderer.SetBackBufferSize(static_cast<uint32_t>(state.clientRect.right - state.clientRect.left),
                                      static_cast<uint32_t>(state.clientRect.bottom - state.clientRect.top));
    const int device = editor.renderer.InitDevice(shell.MainWindow());
    if (device == render::kInitFailed) {
        shell.ShowMessage({shell.MainWindow(), "DirectXが正常に稼動しませんでした。", "Morvel",
                           document::MessageIcon::Error, document::MessageButtons::Ok});
        shell.PostDestroy();
        return 0;
    }
    state.deviceTypeText = DeviceTypeText(device);

    document::InitDocument(state.currentDocument);
    document::InitDocument(state.workingDocument);
    // The undo slots were initialised with the ring.

    shell.ShowWindows(showCommand);
    shell.PostCommand(CMD_FILE_NEW);
    state.pendingOpenPath = startupFile;
    // The recovery question comes before the file, and queues it once it
    // is answered: a command posted now would run inside the question's
    // modal loop, under the question.
    if (editor.autosave != nullptr) {
        shell.PostCommand(CMD_RECOVERY_OFFER);
    } else if (!startupFile.empty()) {
        shell.PostCommand(CMD_OPEN_PENDING_FILE);
    }
    LoadRecentFiles(state.recentFiles, editor.keyStore, shell);
    RestoreToolWindows(editor);
    shell.StartTimer(kRedrawTimerId, kRedrawTimerMilliseconds);
    if (editor.autosave != nullptr) {
        LoadAutosaveInterval(state, editor.keyStore);
        shell.StartTimer(kAutosaveTimerId, kAutosaveTimerMilliseconds);
    }

    const int exitCode = shell.RunMessageLoop();
    editor.renderer.ReleaseDevice();
    return exitCode;
}

}  // namespace morvel::app
