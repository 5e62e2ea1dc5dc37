// Drawing: on demand after every change, and on the 500 ms timer, which also
// makes the selected position blink.
#pragma once

#include "app/editor.h"

namespace morvel::app {

constexpr int kRedrawTimerId = 10;
constexpr int kRedrawTimerMilliseconds = 500;
// Timer ticks skipped after a command that opens a modal window: the window
// timer keeps firing inside modal loops.
constexpr uint8_t kTimerHoldoffTicks = 3;

// selectionBlink = 3, draw the frame, update the status texts.
void RequestRedraw(Editor &editor);
// The camera of the current document's header.
void ApplyView(Editor &editor);
// ApplyView then RequestRedraw: the common ending of commands.
void ViewAndRedraw(Editor &editor);
// The header's culling, handedness and axis directions to the renderer.
void ApplyHeaderViewSettings(Editor &editor);
void TimerTick(Editor &editor, int timerId);

}  // namespace morvel::app
