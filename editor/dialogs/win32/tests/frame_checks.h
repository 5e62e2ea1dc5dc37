// What the template table cannot see on a freshly created dialog. The
// dialog manager may turn a control's WS_BORDER into the sunken
// WS_EX_CLIENTEDGE, and a list box drops WS_VSCROLL while its rows fit.
#pragma once

#include <windows.h>

#include <vector>

namespace morvel::testing {

// The ids among `ids` whose control has no border (or does not exist).
std::vector<int> ControlsWithoutBorder(HINSTANCE module, const char *templateName,
                                       const std::vector<int> &ids);

// True when the list box shows a vertical scroll bar once it holds more
// rows than it can show.
bool ListScrollsWhenFull(HINSTANCE module, const char *templateName, int listId);

}  // namespace morvel::testing
