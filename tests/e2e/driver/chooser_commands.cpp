// Message boxes and the common choosers: reading a message box, and filling
// in and accepting the file and colour choosers through their own controls.
// <windows.h> first: the other Win32 headers need its types.
// clang-format off
#include <windows.h>
#include <dlgs.h>
// clang-format on

#include "text_convert.h"
#include "window_access.h"

namespace morvel::e2e {
namespace {

constexpr int kMessageBoxTextId = 0xFFFF;

bool IsDialog(HWND window) {
    return ClassOf(window) == L"#32770";
}

HWND DialogArg(const Json &request) {
    HWND dialog = WindowArg(request);
    if (!IsDialog(dialog)) throw CommandError("not a dialog: " + WideToUtf8(ClassOf(dialog)));
    return dialog;
}

Json Buttons(HWND dialog) {
    Json buttons = Json::array();
    for (HWND child : Descendants(dialog)) {
        if (_wcsicmp(ClassOf(child).c_str(), L"Button") != 0 || !IsWindowVisible(child)) continue;
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        buttons.push_back({{"id", ControlId(child)},
                           {"text", WideToUtf8(TextOf(child))},
                           {"enabled", IsWindowEnabled(child) != FALSE},
                           {"default", (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON}});
    }
    return buttons;
}

// The visible dialog of a process (or owned by "owner") made of a message
// box's parts only: statics (its text has id 0xFFFF, its icon), buttons.
// EnumWindows lists the newest top-level window first.
Json MessageBoxInfo(const Json &request) {
    const DWORD pid = request.value("pid", 0u);
    HWND owner = request.contains("owner") ? WindowArg(request, "owner") : nullptr;
    for (HWND window : TopLevelWindows()) {
        if (!IsDialog(window) || !IsWindowVisible(window)) continue;
        if (pid && ProcessOf(window) != pid) continue;
        if (owner && GetWindow(window, GW_OWNER) != owner) continue;
        std::wstring text;
        bool icon = false;
        bool other = false;  // a list, edit...: a dialog of the program, no message box
        for (HWND child : Descendants(window)) {
            const std::wstring className = ClassOf(child);
            if (_wcsicmp(className.c_str(), L"Button") == 0) continue;
            if (_wcsicmp(className.c_str(), L"Static") != 0) {
                other = true;
                continue;
            }
            if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
                icon = true;
            } else if (ControlId(child) == kMessageBoxTextId) {
                text += TextOf(child);
            }
        }
        if (other || (text.empty() && !icon)) continue;
        return {{"hwnd", reinterpret_cast<intptr_t>(window)},
                {"caption", WideToUtf8(TextOf(window))},
                {"text", WideToUtf8(text)},
                {"icon", icon},
                {"buttons", Buttons(window)}};
    }
    throw CommandError("no message box");
}

void ClickOk(HWND dialog) {
    HWND ok = GetDlgItem(dialog, IDOK);
    if (!ok || !IsWindowEnabled(ok)) throw CommandError("the dialog has no enabled OK button");
    PostChecked(ok, BM_CLICK, 0, 0);
}

// The file name field: an edit inside the file name combo box in the
// explorer-style chooser, a plain edit in the old one.
HWND FileNameField(HWND dialog) {
    for (int id : {cmb13, edt1}) {
        HWND control = FindDescendant(dialog, id);
        if (!control || !IsWindowVisible(control)) continue;
        if (_wcsicmp(ClassOf(control).c_str(), L"Edit") == 0) return control;
        if (HWND edit = FindDescendantByClass(control, L"Edit")) return edit;
    }
    throw CommandError("the dialog has no file name field");
}

Json FileChooserAccept(const Json &request) {
    HWND dialog = DialogArg(request);
    HWND field = FileNameField(dialog);
    const std::wstring path = Utf8ToWide(request.at("path").get<std::string>());
    SendChecked(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    if (TextOf(field) != path) throw CommandError("the file name field did not take the path");
    ClickOk(dialog);
    return {{"field_id", ControlId(field)}};
}

// The colour chooser's red, green and blue fields take numbers 0..255.
Json ColorChooserAccept(const Json &request) {
    HWND dialog = DialogArg(request);
    const int ids[3] = {706, 707, 708};
    const char *keys[3] = {"red", "green", "blue"};
    for (int i = 0; i < 3; ++i) {
        const int value = request.at(keys[i]).get<int>();
        if (value < 0 || value > 255) throw CommandError(std::string(keys[i]) + " outside 0..255");
        HWND field = GetDlgItem(dialog, ids[i]);
        if (!field) throw CommandError("the dialog has no colour fields");
        const std::wstring text = std::to_wstring(value);
        SendChecked(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    ClickOk(dialog);
    return Json::object();
}

}  // namespace

void AddChooserCommands(CommandTable &table) {
    table["message_box"] = MessageBoxInfo;
    table["file_chooser_accept"] = FileChooserAccept;
    table["color_chooser_accept"] = ColorChooserAccept;
}

}  // namespace morvel::e2e
