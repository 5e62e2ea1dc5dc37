// Rows of the template tables for the kinds of control the edit dialogs
// are made of.
#pragma once

#include <windows.h>

#include "template_check.h"

namespace morvel::testing {

// Borders and the list's scroll bar are checked apart (template_extras.h).
inline ControlLayout List(int id, RECT r) {
    // Single selection, rows in table order.
    constexpr DWORD kinds = LBS_MULTIPLESEL | LBS_EXTENDEDSEL | LBS_SORT;
    return {id, "ListBox", LBS_NOTIFY | WS_TABSTOP, kinds, 0, "", r};
}
inline ControlLayout Label(int id, const char *text, RECT r) {
    return {id, "Static", 0, SS_TYPEMASK, SS_LEFT, text, r};
}
// A label the dialog never addresses.
inline ControlLayout Label(const char *text, RECT r) { return Label(-1, text, r); }
// A plain push button: no button of these dialogs is the default, so Enter
// finds none.
inline ControlLayout Button(int id, const char *text, RECT r) {
    return {id, "Button", WS_TABSTOP, BS_TYPEMASK, BS_PUSHBUTTON, text, r};
}
inline ControlLayout Edit(int id, RECT r, DWORD alignment = ES_LEFT) {
    return {id, "Edit", ES_AUTOHSCROLL | WS_TABSTOP, ES_RIGHT | ES_CENTER, alignment, "", r};
}

}  // namespace morvel::testing
