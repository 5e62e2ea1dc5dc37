#include "window_access.h"

#include <algorithm>
#include <cstdio>

#include "text_convert.h"

namespace morvel::e2e {

HWND WindowArg(const Json &request, const char *key) {
    if (!request.contains(key) || !request[key].is_number_integer()) {
        throw CommandError(std::string("needs a window handle in \"") + key + "\"");
    }
    HWND window = reinterpret_cast<HWND>(static_cast<intptr_t>(request[key].get<int64_t>()));
    if (!IsWindow(window)) throw CommandError("no such window");
    return window;
}

HWND ControlArg(const Json &request) {
    HWND window = WindowArg(request);
    if (!request.contains("id")) return window;
    HWND control = FindDescendant(window, request["id"].get<int>());
    if (!control) {
        throw CommandError("no control with id " + std::to_string(request["id"].get<int>()));
    }
    return control;
}

namespace {

BOOL CALLBACK Collect(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND> *>(list)->push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::vector<HWND> Descendants(HWND parent) {
    std::vector<HWND> windows;
    EnumChildWindows(parent, Collect, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

HWND FindDescendant(HWND parent, int id) {
    for (HWND child : Descendants(parent)) {
        if (ControlId(child) == id) return child;
    }
    return nullptr;
}

HWND FindDescendantByClass(HWND parent, const std::wstring &className) {
    for (HWND child : Descendants(parent)) {
        if (_wcsicmp(ClassOf(child).c_str(), className.c_str()) == 0) return child;
    }
    return nullptr;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

LRESULT SendChecked(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs,
                             &result)) {
        char text[64];
        std::snprintf(text, sizeof text, "no answer to message 0x%04X in time", message);
        throw CommandError(text);
    }
    return static_cast<LRESULT>(result);
}

void PostChecked(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!PostMessageW(window, message, wParam, lParam)) {
        throw CommandError("PostMessage failed, error " + std::to_string(GetLastError()));
    }
}

constexpr DWORD_PTR kRichTextLimit = 1 << 16;

std::wstring TextOf(HWND window) {
    // WM_GETTEXT rather than GetWindowText: for another process's window the
    // latter returns Wine's copy of the title, not an edit control's contents.
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kSendTimeoutMs,
                             &length)) {
        return {};
    }
    // An ANSI rich edit (the help viewer's topic text) counts characters but
    // copies nothing into a buffer that cannot hold its text as bytes: ask
    // it with room to spare.
    if (_wcsnicmp(ClassOf(window).c_str(), L"RichEdit", 8) == 0) {
        length = std::max<DWORD_PTR>(length * 2, kRichTextLimit);
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()),
                        SMTO_NORMAL, kSendTimeoutMs, &copied);
    text.resize(copied < length + 1 ? copied : length);
    return text;
}

DWORD ProcessOf(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    return process;
}

int ControlId(HWND window) {
    return static_cast<int>(GetWindowLongPtrW(window, GWLP_ID));
}

Json RectJson(const RECT &rect) {
    return {{"left", rect.left},
            {"top", rect.top},
            {"right", rect.right},
            {"bottom", rect.bottom},
            {"width", rect.right - rect.left},
            {"height", rect.bottom - rect.top}};
}

RECT ClientRectOnScreen(HWND window) {
    RECT rect = {};
    GetClientRect(window, &rect);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT *>(&rect), 2);
    return rect;
}

unsigned long X11WindowOf(HWND window) {
    return static_cast<unsigned long>(
        reinterpret_cast<uintptr_t>(GetPropA(window, "__wine_x11_whole_window")));
}

Json WindowJson(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    HWND owner = GetWindow(window, GW_OWNER);
    return {{"hwnd", reinterpret_cast<intptr_t>(window)},
            {"class", WideToUtf8(ClassOf(window))},
            {"title", WideToUtf8(TextOf(window))},
            {"visible", IsWindowVisible(window) != FALSE},
            {"enabled", IsWindowEnabled(window) != FALSE},
            {"owner", reinterpret_cast<intptr_t>(owner)},
            {"pid", ProcessOf(window)},
            {"style", static_cast<uint32_t>(GetWindowLongW(window, GWL_STYLE))},
            {"exstyle", static_cast<uint32_t>(GetWindowLongW(window, GWL_EXSTYLE))},
            {"rect", RectJson(rect)},
            {"client", RectJson(ClientRectOnScreen(window))},
            {"xid", X11WindowOf(window)}};
}

bool ButtonTextMatches(const std::wstring &text, const std::wstring &wanted) {
    if (text == wanted) return true;
    std::wstring plain;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&') {
            // "(&Y)" after a Japanese label is a mnemonic of its own: drop it whole.
            if (i > 0 && text[i - 1] == L'(' && i + 2 < text.size() && text[i + 2] == L')') {
                plain.pop_back();
                i += 2;
            }
            continue;
        }
        plain += text[i];
    }
    return plain == wanted;
}

}  // namespace morvel::e2e
