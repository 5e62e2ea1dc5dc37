// Status bar, toolbar and tooltip commands. Common controls keep their texts
// in the program's process and Wine does not marshal their messages, so the
// answers travel through a RemoteBuffer.
// <windows.h> first: the other Win32 headers need its types.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include "remote_buffer.h"
#include "text_convert.h"
#include "window_access.h"

namespace morvel::e2e {
namespace {

constexpr size_t kStatusSlack = 32768;

// The control itself, or the first control of that class inside the window
// (optionally the one with "id").
HWND CommonControlArg(const Json &request, const wchar_t *className) {
    HWND window = ControlArg(request);
    if (_wcsicmp(ClassOf(window).c_str(), className) == 0) return window;
    HWND control = FindDescendantByClass(window, className);
    if (!control) throw CommandError("no " + WideToUtf8(className) + " in the window");
    return control;
}

Json StatusTexts(const Json &request) {
    HWND status = CommonControlArg(request, STATUSCLASSNAMEW);
    const int parts = static_cast<int>(SendChecked(status, SB_GETPARTS, 0, 0));
    Json edges = Json::array();
    if (parts > 0) {
        RemoteBuffer buffer(status, sizeof(int) * static_cast<size_t>(parts));
        SendChecked(status, SB_GETPARTS, parts, buffer.Address());
        std::vector<int> right(static_cast<size_t>(parts));
        buffer.Read(right.data(), sizeof(int) * right.size());
        for (int edge : right) edges.push_back(edge);
    }
    Json texts = Json::array();
    for (int part = 0; part < parts; ++part) {
        // SB_GETTEXT copies the whole text, however long: room to spare, in
        // case the program lengthens it between the two messages.
        const LRESULT length = LOWORD(SendChecked(status, SB_GETTEXTLENGTHW, part, 0));
        std::wstring text(static_cast<size_t>(length) + kStatusSlack, L'\0');
        RemoteBuffer buffer(status, text.size() * sizeof(wchar_t));
        buffer.Write(text.data(), text.size() * sizeof(wchar_t));
        SendChecked(status, SB_GETTEXTW, part, buffer.Address());
        buffer.Read(text.data(), text.size() * sizeof(wchar_t));
        text.resize(wcsnlen(text.c_str(), text.size()));
        texts.push_back(WideToUtf8(text));
    }
    return {{"hwnd", reinterpret_cast<intptr_t>(status)}, {"texts", texts}, {"edges", edges}};
}

Json ToolbarButtons(const Json &request) {
    HWND toolbar = CommonControlArg(request, TOOLBARCLASSNAMEW);
    const LRESULT count = SendChecked(toolbar, TB_BUTTONCOUNT, 0, 0);
    Json buttons = Json::array();
    RemoteBuffer buffer(toolbar, sizeof(TBBUTTON) + sizeof(RECT));
    for (LRESULT index = 0; index < count; ++index) {
        TBBUTTON button = {};
        if (!SendChecked(toolbar, TB_GETBUTTON, index, buffer.Address())) continue;
        buffer.Read(&button, sizeof button);
        RECT rect = {};
        SendChecked(toolbar, TB_GETITEMRECT, index, buffer.Address());
        buffer.Read(&rect, sizeof rect);
        MapWindowPoints(toolbar, nullptr, reinterpret_cast<POINT *>(&rect), 2);
        buttons.push_back({{"index", index},
                           {"id", button.idCommand},
                           {"separator", (button.fsStyle & BTNS_SEP) != 0},
                           {"enabled", (button.fsState & TBSTATE_ENABLED) != 0},
                           {"checked", (button.fsState & TBSTATE_CHECKED) != 0},
                           {"hidden", (button.fsState & TBSTATE_HIDDEN) != 0},
                           {"rect", RectJson(rect)}});
    }
    const auto tooltip = reinterpret_cast<HWND>(SendChecked(toolbar, TB_GETTOOLTIPS, 0, 0));
    return {{"hwnd", reinterpret_cast<intptr_t>(toolbar)},
            {"buttons", buttons},
            {"tooltip_hwnd", reinterpret_cast<intptr_t>(tooltip)}};
}

// The tooltip windows of a process with the text each shows now: a tooltip
// window's text is the tip it is showing, so a scenario hovers a tool first.
Json Tooltips(const Json &request) {
    const DWORD pid = request.at("pid").get<DWORD>();
    Json tips = Json::array();
    for (HWND window : TopLevelWindows()) {
        if (ProcessOf(window) != pid || _wcsicmp(ClassOf(window).c_str(), TOOLTIPS_CLASSW) != 0) {
            continue;
        }
        tips.push_back({{"hwnd", reinterpret_cast<intptr_t>(window)},
                        {"visible", IsWindowVisible(window) != FALSE},
                        {"text", WideToUtf8(TextOf(window))},
                        {"tools", SendChecked(window, TTM_GETTOOLCOUNT, 0, 0)}});
    }
    return {{"tooltips", tips}};
}

}  // namespace

void AddBarCommands(CommandTable &table) {
    table["status_texts"] = StatusTexts;
    table["toolbar_buttons"] = ToolbarButtons;
    table["tooltips"] = Tooltips;
}

}  // namespace morvel::e2e
