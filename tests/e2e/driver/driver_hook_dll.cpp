// morvel_driver_hook.dll: loaded into the program under test by the driver's
// message hook. It answers the driver's in-process queries (the menu bar and
// the open pop-up menus with their items' places, a dialog's base units) and
// leaves every other message alone.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "in_process_query.h"

namespace {

using morvel::e2e::InProcessQuery;

std::string Utf8(const wchar_t *text) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(length > 0 ? static_cast<size_t>(length - 1) : 0, '\0');
    if (length > 1)
        WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

std::string Quoted(const std::string &text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

// An item's place on the screen, where the menu has one now: always on the
// bar, on a pop-up only while it is open. `owner` is the window of the bar,
// or nullptr for a pop-up (the menu knows its own window then).
std::string RectJson(HWND owner, HMENU menu, int position) {
    RECT rect = {};
    if (!GetMenuItemRect(owner, menu, static_cast<UINT>(position), &rect) ||
        rect.right <= rect.left || rect.bottom <= rect.top) {
        return "";
    }
    char text[96];
    std::snprintf(text, sizeof text, ",\"rect\":{\"left\":%ld,\"top\":%ld,\"right\":%ld,\"bottom\":%ld}",
                  rect.left, rect.top, rect.right, rect.bottom);
    return text;
}

std::string MenuJson(HMENU menu, HWND owner, int depth) {
    std::string out = "[";
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        wchar_t text[256] = {};
        MENUITEMINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_ID | MIIM_STATE | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 255;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info)) continue;
        char fields[200];
        std::snprintf(fields, sizeof fields,
                      ",\"id\":%d,\"separator\":%s,\"grayed\":%s,\"checked\":%s,\"radio\":%s",
                      info.hSubMenu ? -1 : static_cast<int>(info.wID),
                      info.fType & MFT_SEPARATOR ? "true" : "false",
                      info.fState & MFS_DISABLED ? "true" : "false",
                      info.fState & MFS_CHECKED ? "true" : "false",
                      info.fType & MFT_RADIOCHECK ? "true" : "false");
        if (position > 0) out += ",";
        out += "{\"text\":" + Quoted(Utf8(text)) + fields + RectJson(owner, menu, position);
        if (info.hSubMenu && depth < 8) {
            out += ",\"items\":" + MenuJson(info.hSubMenu, nullptr, depth + 1);
        }
        out += "}";
    }
    return out + "]";
}

BOOL CALLBACK CollectPopup(HWND window, LPARAM list) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (IsWindowVisible(window) && lstrcmpW(name, L"#32768") == 0) {
        reinterpret_cast<std::vector<HWND> *>(list)->push_back(window);
    }
    return TRUE;
}

// The pop-up menus this thread shows now, the bar's and context menus alike.
std::string OpenPopupsJson() {
    std::vector<HWND> popups;
    EnumThreadWindows(GetCurrentThreadId(), CollectPopup, reinterpret_cast<LPARAM>(&popups));
    std::string out = "[";
    for (HWND popup : popups) {
        const auto menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
        if (!menu) continue;
        if (out.size() > 1) out += ",";
        out += "{\"hwnd\":" + std::to_string(reinterpret_cast<intptr_t>(popup)) +
               ",\"items\":" + MenuJson(menu, nullptr, 1) + "}";
    }
    return out + "]";
}

std::string Answer(HWND window, InProcessQuery query) {
    switch (query) {
        case InProcessQuery::kMenu: {
            HMENU menu = GetMenu(window);
            if (!menu) return "{\"error\":\"the window has no menu bar\"}";
            return "{\"items\":" + MenuJson(menu, window, 0) + ",\"popups\":" + OpenPopupsJson() + "}";
        }
        case InProcessQuery::kDialogBaseUnits: {
            RECT rect = {0, 0, 4, 8};
            if (!MapDialogRect(window, &rect)) return "{\"error\":\"not a dialog\"}";
            char text[64];
            std::snprintf(text, sizeof text, "{\"x\":%ld,\"y\":%ld}", rect.right, rect.bottom);
            return text;
        }
    }
    return "{\"error\":\"unknown query\"}";
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    MorvelDriverGetMessageHook(int code, WPARAM wParam, LPARAM lParam) {
    static const UINT query = RegisterWindowMessageW(morvel::e2e::kQueryMessageName);
    auto *msg = reinterpret_cast<MSG *>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && msg->message == query) {
        const std::string answer =
            Answer(msg->hwnd, static_cast<InProcessQuery>(msg->wParam & 0xFF));
        COPYDATASTRUCT data = {msg->wParam, static_cast<DWORD>(answer.size()),
                               const_cast<char *>(answer.data())};
        SendMessageTimeoutW(reinterpret_cast<HWND>(msg->lParam), WM_COPYDATA,
                            reinterpret_cast<WPARAM>(msg->hwnd), reinterpret_cast<LPARAM>(&data),
                            SMTO_NORMAL, 5000, nullptr);
        msg->message = WM_NULL;
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
