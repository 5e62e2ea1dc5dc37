#include "app/tool_windows.h"

#include <cstdio>

#include "app/command_ids.h"
#include "app/editor.h"
#include "app/menu_states.h"
#include "app/recent_files.h"
#include "app/registry_key.h"

namespace morvel::app {
namespace {

struct ToolWindowEntry {
    const char *name;        // dialog template
    int command;             // ツール menu item
    const char *valueName;   // registry value of its place
};

const ToolWindowEntry kToolWindows[] = {
    {"IDD_TIMELINE", CMD_TOOL_TIMELINE, "TimelineWindow"},
    {"IDD_HISTORY", CMD_TOOL_HISTORY, "HistoryWindow"},
};

const ToolWindowEntry *EntryOf(const std::string &name) {
    for (const ToolWindowEntry &entry : kToolWindows) {
        if (name == entry.name) return &entry;
    }
    return nullptr;
}

// Creates the window hidden, at `place` when it has one; false when the
// program has no such window or it cannot be created.
bool Create(Editor &editor, const std::string &name, const Rect &place) {
    ToolWindowState &window = editor.state.toolWindows[name];
    if (window.controller) return true;
    std::unique_ptr<ToolWindowController> controller = editor.dialogs.CreateToolWindow(name, editor);
    if (!controller || !editor.shell.CreateToolWindow(name, *controller, place)) {
        editor.state.toolWindows.erase(name);
        return false;
    }
    window.controller = std::move(controller);
    return true;
}

void Show(Editor &editor, const std::string &name) {
    ToolWindowState &window = editor.state.toolWindows[name];
    window.visible = true;
    if (DialogView *view = editor.shell.ToolWindowView(name)) window.controller->OnEditorChanged(*view);
    editor.shell.ShowToolWindow(name, true);
}

}  // namespace

int ToolWindowCommand(const std::string &name) {
    const ToolWindowEntry *entry = EntryOf(name);
    return entry != nullptr ? entry->command : 0;
}

const char *ToolWindowOfCommand(int command) {
    for (const ToolWindowEntry &entry : kToolWindows) {
        if (entry.command == command) return entry.name;
    }
    return nullptr;
}

void ToggleToolWindow(Editor &editor, const std::string &name) {
    if (ToolWindowShown(editor, name)) {
        HideToolWindow(editor, name);
        return;
    }
    if (!Create(editor, name, Rect{0, 0, 0, 0})) {
        editor.shell.ShowMessage({editor.shell.MainWindow(), "ダイアログ作成失敗", "ツール",
                                  document::MessageIcon::None, document::MessageButtons::Ok});
        return;
    }
    Show(editor, name);
}

void HideToolWindow(Editor &editor, const std::string &name) {
    const auto found = editor.state.toolWindows.find(name);
    if (found == editor.state.toolWindows.end() || !found->second.visible) return;
    found->second.visible = false;
    editor.shell.ShowToolWindow(name, false);
    ShowMenuStates(editor);
}

bool ToolWindowShown(const Editor &editor, const std::string &name) {
    const auto found = editor.state.toolWindows.find(name);
    return found != editor.state.toolWindows.end() && found->second.visible;
}

void RefreshToolWindows(Editor &editor) {
    for (auto &[name, window] : editor.state.toolWindows) {
        if (!window.visible) continue;
        if (DialogView *view = editor.shell.ToolWindowView(name)) window.controller->OnEditorChanged(*view);
    }
}

void RestoreToolWindows(Editor &editor) {
    RegistryKey key(editor.keyStore);
    if (key.Open(kSettingsKey, "r") != 0) return;
    for (const ToolWindowEntry &entry : kToolWindows) {
        char text[64] = {};
        Rect place{0, 0, 0, 0};
        bool shown = false;
        if (key.Query(entry.valueName, text, sizeof text - 1) != 0 ||
            !ParseToolWindowPlace(text, place, shown) || !shown) {
            continue;
        }
        if (Create(editor, entry.name, place)) Show(editor, entry.name);
    }
    ShowMenuStates(editor);
}

void StoreToolWindows(Editor &editor) {
    if (editor.state.toolWindows.empty()) return;
    RegistryKey key(editor.keyStore);
    if (key.Open(kSettingsKey, "w") != 0) return;
    for (const auto &[name, window] : editor.state.toolWindows) {
        const ToolWindowEntry *entry = EntryOf(name);
        if (entry == nullptr) continue;
        key.SetString(entry->valueName,
                      FormatToolWindowPlace(editor.shell.ToolWindowRect(name), window.visible));
    }
}

std::string FormatToolWindowPlace(const Rect &rect, bool shown) {
    char text[64];
    std::snprintf(text, sizeof text, "%d %d %d %d %d", rect.left, rect.top, rect.right, rect.bottom,
                  shown ? 1 : 0);
    return text;
}

bool ParseToolWindowPlace(const std::string &text, Rect &rect, bool &shown) {
    int left, top, right, bottom, flag;
    char end;
    if (std::sscanf(text.c_str(), "%d %d %d %d %d%c", &left, &top, &right, &bottom, &flag, &end) != 5) {
        return false;
    }
    constexpr int kLimit = 100000;  // beyond any desktop
    const bool sane = left > -kLimit && top > -kLimit && right < kLimit && bottom < kLimit &&
                      right - left >= 50 && bottom - top >= 30 && (flag == 0 || flag == 1);
    if (!sane) return false;
    rect = {left, top, right, bottom};
    shown = flag == 1;
    return true;
}

}  // namespace morvel::app
