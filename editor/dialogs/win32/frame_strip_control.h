// The strip control of the timeline (window class MORVEL_FRAME_STRIP_CLASS):
// cells side by side with a horizontal scroll bar. It draws the cells it is
// given and reports the pointer to its parent as WM_NOTIFY with a
// FrameStripNotify; what a click or a drag means is the controller's.
#pragma once

#include <windows.h>

#include <vector>

#include "app/dialog_view.h"

namespace morvel::dialogs::win32 {

// Messages the strip takes.
constexpr UINT kStripSetCells = WM_USER + 1;    // wParam: cell to keep in sight or -1;
                                                // lParam: const std::vector<StripCell> *
constexpr UINT kStripCellCenter = WM_USER + 2;  // wParam: cell; returns MAKELRESULT(x, y) of its
                                                // centre in client coordinates, -1 when hidden

// Notification codes of its WM_NOTIFY, with the cells they concern.
constexpr UINT kStripClicked = 0x4D01;
constexpr UINT kStripDragged = 0x4D02;
constexpr UINT kStripContextMenu = 0x4D03;
struct FrameStripNotify {
    NMHDR header;
    int cell;
    int target;  // kStripDragged: where the cell was dropped
};

constexpr int kStripCellWidth = 96;

// Registers the window class once; false when it cannot be registered.
bool RegisterFrameStripClass(HINSTANCE instance);

}  // namespace morvel::dialogs::win32
