// The two bytes of the editor state that steer drawing. The editor's one
// EditorState holds a SceneFlags; DrawFrame only reads it.
#pragma once

#include <cstdint>

namespace morvel::render {

struct SceneFlags {
    // The selected position is drawn only while this is non-zero; a redraw
    // request sets it to 3 and every drawing timer tick advances it.
    uint8_t selectionBlink = 0;
    // Axes, labels, overlay lines and parts are drawn only while this is 1.
    uint8_t sceneReady = 0;
};

// The timer tick's step: 0 becomes 1, anything else goes down by one.
inline void AdvanceSelectionBlink(SceneFlags &flags) {
    flags.selectionBlink = flags.selectionBlink == 0 ? 1 : static_cast<uint8_t>(flags.selectionBlink - 1);
}

}  // namespace morvel::render
