// Checks a dialog template of the program's resources against a table: the
// caption, font and frame, and every control's id, class, style bits, text
// and rectangle in dialog units. The dialog is really created (hidden).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace morvel::testing {

struct ControlLayout {
    int id;                  // -1 for the statics without an id (0xFFFF)
    const char *className;   // "Static", "Edit", "Button", "ListBox"
    DWORD styleBits;         // each must be set, on top of the class's kind
    DWORD kindMask;          // the bits compared exactly against `kind`
    DWORD kind;              // e.g. BS_AUTORADIOBUTTON under BS_TYPEMASK
    const char *text;        // as the program has it (code page 932)
    RECT dialogUnits;        // x, y, width, height
    bool enabled = true;
};

struct DialogLayout {
    const char *templateName;
    const char *caption;      // code page 932
    const char *fontFace;     // code page 932
    int fontPointSize;
    RECT frame;               // x, y, width, height in dialog units
    std::vector<ControlLayout> controls;
};

// Every difference from the table, one line each (UTF-8); empty when the
// template matches.
std::vector<std::string> CheckDialogTemplate(HINSTANCE module, const DialogLayout &table);

// UTF-8 from the program's code page 932 text.
std::string Utf8(const std::string &cp932);

}  // namespace morvel::testing
