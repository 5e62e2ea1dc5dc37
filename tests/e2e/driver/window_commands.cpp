// Commands about whole windows: listing and waiting for top-level windows,
// one window's state, and every control of a window or dialog.
#include <regex>
#include <thread>

#include "in_process_query.h"
#include "text_convert.h"
#include "window_access.h"

namespace morvel::e2e {
namespace {

constexpr int kPollMs = 50;

struct WindowFilter {
    bool byClass = false;
    std::wstring className;
    bool byTitle = false;
    std::wstring titlePart;
    bool byRegex = false;
    std::wregex titleRegex;
    DWORD pid = 0;
    HWND owner = nullptr;
    int visible = -1;  // -1: either
    std::vector<HWND> excluded;

    bool Matches(HWND window) const {
        if (visible >= 0 && (IsWindowVisible(window) != FALSE) != (visible == 1)) return false;
        if (pid && ProcessOf(window) != pid) return false;
        if (owner && GetWindow(window, GW_OWNER) != owner) return false;
        for (HWND skip : excluded) {
            if (skip == window) return false;
        }
        if (byClass && _wcsicmp(ClassOf(window).c_str(), className.c_str()) != 0) return false;
        if (!byTitle && !byRegex) return true;
        const std::wstring title = TextOf(window);
        if (byTitle && title.find(titlePart) == std::wstring::npos) return false;
        return !byRegex || std::regex_search(title, titleRegex);
    }
};

WindowFilter FilterFrom(const Json &request, int defaultVisible) {
    WindowFilter filter;
    if (request.contains("class")) {
        filter.byClass = true;
        filter.className = Utf8ToWide(request["class"].get<std::string>());
    }
    if (request.contains("title")) {
        filter.byTitle = true;
        filter.titlePart = Utf8ToWide(request["title"].get<std::string>());
    }
    if (request.contains("title_regex")) {
        filter.byRegex = true;
        try {
            filter.titleRegex = std::wregex(Utf8ToWide(request["title_regex"].get<std::string>()));
        } catch (const std::regex_error &error) {
            throw CommandError(std::string("bad title_regex: ") + error.what());
        }
    }
    filter.pid = request.value("pid", 0u);
    if (request.contains("owner")) filter.owner = WindowArg(request, "owner");
    filter.visible = defaultVisible;
    if (request.contains("visible") && !request["visible"].is_null()) {
        filter.visible = request["visible"].get<bool>() ? 1 : 0;
    }
    for (const Json &skip : request.value("exclude", Json::array())) {
        filter.excluded.push_back(
            reinterpret_cast<HWND>(static_cast<intptr_t>(skip.get<int64_t>())));
    }
    return filter;
}

Json Matching(const WindowFilter &filter) {
    Json windows = Json::array();
    for (HWND window : TopLevelWindows()) {
        if (filter.Matches(window)) windows.push_back(WindowJson(window));
    }
    return windows;
}

Json ListWindows(const Json &request) {
    return {{"windows", Matching(FilterFrom(request, -1))}};
}

Json WaitWindow(const Json &request) {
    const WindowFilter filter = FilterFrom(request, 1);
    const DWORD timeout = request.value("timeout_ms", 10000u);
    const DWORD start = GetTickCount();
    for (;;) {
        Json windows = Matching(filter);
        if (!windows.empty()) {
            return {{"window", windows[0]},
                    {"windows", windows},
                    {"waited_ms", GetTickCount() - start}};
        }
        if (GetTickCount() - start >= timeout) {
            throw CommandError("no matching window after " + std::to_string(timeout) + " ms");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
    }
}

Json WaitGone(const Json &request) {
    const HWND window =
        reinterpret_cast<HWND>(static_cast<intptr_t>(request.at("hwnd").get<int64_t>()));
    const DWORD timeout = request.value("timeout_ms", 10000u);
    const DWORD start = GetTickCount();
    // A hidden window counts as gone unless the caller asks for destruction.
    const bool destroyed = request.value("destroyed", false);
    while (IsWindow(window) && (destroyed || IsWindowVisible(window))) {
        if (GetTickCount() - start >= timeout) {
            throw CommandError("window still there after " + std::to_string(timeout) + " ms");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
    }
    return {{"waited_ms", GetTickCount() - start}};
}

Json WindowInfo(const Json &request) {
    return {{"window", WindowJson(WindowArg(request))}};
}

// Whether the window's thread answers a message within timeout_ms: a hung
// program does not.
Json Responsive(const Json &request) {
    const HWND window = WindowArg(request);
    const DWORD timeout = request.value("timeout_ms", 10000u);
    const DWORD start = GetTickCount();
    DWORD_PTR result = 0;
    const bool answered =
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, timeout, &result) != 0;
    return {{"responsive", answered}, {"waited_ms", GetTickCount() - start}};
}

// The dialog's base units: the program's own answer, or, for a font the
// caller names, what the dialog manager computes from it: the average width
// of the 52 letters and the font height.
bool DialogBaseUnits(HWND dialog, const Json &request, SIZE &units) {
    if (!request.contains("font_face")) {
        if (ClassOf(dialog) != L"#32770") return false;
        try {
            const Json answer = Json::parse(AskInProcess(dialog, InProcessQuery::kDialogBaseUnits));
            if (answer.contains("error")) return false;
            units = {answer["x"].get<LONG>(), answer["y"].get<LONG>()};
            return true;
        } catch (const CommandError &) {
            return false;  // the controls are still worth an answer
        }
    }
    HDC dc = GetDC(nullptr);
    const int points = request.value("font_size", 9);
    HFONT font = CreateFontW(-MulDiv(points, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL,
                             FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                             Utf8ToWide(request["font_face"].get<std::string>()).c_str());
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    SIZE extent = {};
    const wchar_t letters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    GetTextExtentPoint32W(dc, letters, 52, &extent);
    SelectObject(dc, old);
    DeleteObject(font);
    ReleaseDC(nullptr, dc);
    units = {(extent.cx / 26 + 1) / 2, metrics.tmHeight};
    return units.cx > 0 && units.cy > 0;
}

Json Controls(const Json &request) {
    HWND window = WindowArg(request);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    SIZE units = {};
    const bool haveUnits = DialogBaseUnits(window, request, units);
    Json controls = Json::array();
    for (HWND child : Descendants(window)) {
        RECT rect = {};
        GetWindowRect(child, &rect);
        RECT inClient = {rect.left - origin.x, rect.top - origin.y, rect.right - origin.x,
                         rect.bottom - origin.y};
        Json control = {{"hwnd", reinterpret_cast<intptr_t>(child)},
                        {"parent", reinterpret_cast<intptr_t>(GetParent(child))},
                        {"id", ControlId(child)},
                        {"class", WideToUtf8(ClassOf(child))},
                        {"text", WideToUtf8(TextOf(child))},
                        {"style", static_cast<uint32_t>(GetWindowLongW(child, GWL_STYLE))},
                        {"exstyle", static_cast<uint32_t>(GetWindowLongW(child, GWL_EXSTYLE))},
                        {"enabled", IsWindowEnabled(child) != FALSE},
                        {"visible", IsWindowVisible(child) != FALSE},
                        {"rect", RectJson(rect)},
                        {"client_rect", RectJson(inClient)}};
        if (haveUnits) {
            // Rounded, since pixel positions came from MulDiv-rounded units.
            auto dlu = [](LONG pixels, LONG unit, int scale) {
                return static_cast<int>((pixels * scale * 2 + unit) / (unit * 2));
            };
            control["dialog_units"] = {
                {"x", dlu(inClient.left, units.cx, 4)},
                {"y", dlu(inClient.top, units.cy, 8)},
                {"width", dlu(inClient.right - inClient.left, units.cx, 4)},
                {"height", dlu(inClient.bottom - inClient.top, units.cy, 8)}};
        }
        controls.push_back(control);
    }
    Json answer = {{"window", WindowJson(window)}, {"controls", controls}};
    if (haveUnits) answer["base_units"] = {{"x", units.cx}, {"y", units.cy}};
    return answer;
}

// What the window's thread is doing with the pointer and the menus: real
// input is done once the capture it took is released and its menu closed.
Json ThreadState(const Json &request) {
    const DWORD thread = GetWindowThreadProcessId(WindowArg(request), nullptr);
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(thread, &info)) {
        throw CommandError("no thread state, error " + std::to_string(GetLastError()));
    }
    auto handle = [](HWND window) { return reinterpret_cast<intptr_t>(window); };
    return {{"active", handle(info.hwndActive)},
            {"focus", handle(info.hwndFocus)},
            {"capture", handle(info.hwndCapture)},
            {"menu_owner", handle(info.hwndMenuOwner)},
            {"in_menu", (info.flags & GUI_INMENUMODE) != 0}};
}

Json ScreenSize(const Json &) {
    return {{"width", GetSystemMetrics(SM_CXSCREEN)}, {"height", GetSystemMetrics(SM_CYSCREEN)}};
}

Json Foreground(const Json &) {
    HWND window = GetForegroundWindow();
    if (!window) return {{"window", nullptr}};
    return {{"window", WindowJson(window)}};
}

}  // namespace

void AddWindowCommands(CommandTable &table) {
    table["list_windows"] = ListWindows;
    table["wait_window"] = WaitWindow;
    table["wait_gone"] = WaitGone;
    table["window_info"] = WindowInfo;
    table["responsive"] = Responsive;
    table["controls"] = Controls;
    table["thread_state"] = ThreadState;
    table["screen_size"] = ScreenSize;
    table["foreground"] = Foreground;
}

}  // namespace morvel::e2e
