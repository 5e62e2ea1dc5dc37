// The main window's command tables: the toolbar with its tooltips, the keys
// and what they send, and the edit dialogs with their preconditions.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "app/shell.h"

namespace morvel::app {

// The 31 toolbar entries in order (separators included).
const std::vector<ToolbarButton> &ToolbarButtons();
constexpr int kToolbarImageCount = 24;
// The tooltip of a toolbar command; nullptr for any other identifier.
const char *ToolbarTooltip(int command);

// Status bar parts' right edges.
constexpr std::array<int, 3> kStatusBarEdges = {200, 400, 600};

// Virtual-key codes of the keys the main window handles besides the step keys.
enum CommandKey : int {
    kKeyC = 0x43,
    kKeyF = 0x46,
    kKeyM = 0x4D,
    kKeyP = 0x50,
    kKeyR = 0x52,
    kKeyS = 0x53,
    kKeyV = 0x56,
    kKeyY = 0x59,
    kKeyZ = 0x5A,
    kKeyF5 = 0x74,
    kKeyF6 = 0x75,
    kKeyF7 = 0x76,
    kKeyF8 = 0x77,
    kKeyF9 = 0x78,
    kKeyF12 = 0x7B,
    kKeySpace = 0x20,
};

struct KeyAction {
    enum Kind { None, EditStep, PostCommand, PostClose } kind = None;
    int command = 0;
};
// What a WM_KEYDOWN does with the Shift and Ctrl states of its moment.
KeyAction KeyActionFor(int virtualKey, bool shift, bool ctrl);

}  // namespace morvel::app
