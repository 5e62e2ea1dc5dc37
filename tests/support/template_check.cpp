#include "template_check.h"

#include <cstdio>

namespace morvel::testing {

namespace {

INT_PTR CALLBACK QuietProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

std::string Text(HWND window) {
    char buffer[512] = {};
    GetWindowTextA(window, buffer, sizeof buffer);
    return buffer;
}

std::string ClassOf(HWND window) {
    char buffer[64] = {};
    GetClassNameA(window, buffer, sizeof buffer);
    return buffer;
}

std::string Describe(const RECT &r) {
    char text[64];
    std::snprintf(text, sizeof text, "%ld,%ld,%ld,%ld", r.left, r.top, r.right, r.bottom);
    return text;
}

// The control's rectangle in dialog units (left, top, width, height).
RECT DialogUnitsOf(HWND dialog, HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT *>(&r), 2);
    RECT base{0, 0, 4, 8};
    MapDialogRect(dialog, &base);
    auto horizontal = [&](LONG pixels) { return static_cast<LONG>((pixels * 4 + base.right / 2) / base.right); };
    auto vertical = [&](LONG pixels) { return static_cast<LONG>((pixels * 8 + base.bottom / 2) / base.bottom); };
    return {horizontal(r.left), vertical(r.top), horizontal(r.right - r.left), vertical(r.bottom - r.top)};
}

}  // namespace

std::string Utf8(const std::string &cp932) {
    std::wstring wide(cp932.size() + 1, L'\0');
    const int n = MultiByteToWideChar(932, 0, cp932.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
    std::string out(n * 3 + 1, '\0');
    const int m = WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, out.data(), static_cast<int>(out.size()),
                                      nullptr, nullptr);
    out.resize(m > 0 ? m - 1 : 0);
    return out;
}

std::vector<std::string> CheckDialogTemplate(HINSTANCE module, const DialogLayout &table) {
    std::vector<std::string> faults;
    HWND dialog = CreateDialogParamA(module, table.templateName, nullptr, QuietProc, 0);
    if (dialog == nullptr) return {std::string(table.templateName) + ": the template does not load"};

    if (Text(dialog) != table.caption) faults.push_back("caption " + Utf8(Text(dialog)));
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
    LOGFONTA logFont{};
    GetObjectA(font, sizeof logFont, &logFont);
    if (std::string(logFont.lfFaceName) != table.fontFace) faults.push_back("font " + Utf8(logFont.lfFaceName));

    // The frame as the template gives it: the client size in dialog units.
    RECT client;
    GetClientRect(dialog, &client);
    RECT base{0, 0, 4, 8};
    MapDialogRect(dialog, &base);
    const LONG width = (client.right * 4 + base.right / 2) / base.right;
    const LONG height = (client.bottom * 8 + base.bottom / 2) / base.bottom;
    if (width != table.frame.right || height != table.frame.bottom) {
        faults.push_back("client size " + std::to_string(width) + "x" + std::to_string(height));
    }

    std::vector<HWND> children;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    if (children.size() != table.controls.size()) {
        faults.push_back("controls: " + std::to_string(children.size()) + ", expected " +
                         std::to_string(table.controls.size()));
    }
    for (size_t i = 0; i < children.size() && i < table.controls.size(); ++i) {
        const ControlLayout &want = table.controls[i];
        HWND control = children[i];
        const std::string where = std::string(table.templateName) + " control " + std::to_string(i) + " (" +
                                  Utf8(want.text) + ")";
        const int id = static_cast<int>(static_cast<short>(GetDlgCtrlID(control)));
        if (id != want.id) faults.push_back(where + ": id " + std::to_string(id));
        if (_stricmp(ClassOf(control).c_str(), want.className) != 0) faults.push_back(where + ": class " + ClassOf(control));
        const DWORD style = static_cast<DWORD>(GetWindowLongA(control, GWL_STYLE));
        if ((style & want.styleBits) != want.styleBits) faults.push_back(where + ": style bits missing");
        if ((style & want.kindMask) != want.kind) faults.push_back(where + ": kind " + std::to_string(style & want.kindMask));
        if (ClassOf(control) != "ListBox" && Text(control) != want.text) {
            faults.push_back(where + ": text " + Utf8(Text(control)));
        }
        const RECT units = DialogUnitsOf(dialog, control);
        if (units.left != want.dialogUnits.left || units.top != want.dialogUnits.top ||
            units.right != want.dialogUnits.right || units.bottom != want.dialogUnits.bottom) {
            faults.push_back(where + ": rectangle " + Describe(units));
        }
        if ((IsWindowEnabled(control) != FALSE) != want.enabled) faults.push_back(where + ": enabled state");
    }
    DestroyWindow(dialog);
    return faults;
}

}  // namespace morvel::testing
