// Picking a part with the mouse: a double click in the view selects the
// position of the selected frame whose part shows under the pointer.
#pragma once

#include <cstdint>

#include "app/editor.h"

namespace morvel::app {

// Client coordinates of the main window. Ends playback; the status bar and
// the overlay follow the new selection as for the selection keys, and no
// undo step is stored. A click on empty space changes nothing.
void ViewDoubleClicked(Editor &editor, int32_t x, int32_t y);

}  // namespace morvel::app
