// The main window's messages, as calls from its window procedure: keys,
// sizing, closing, destroying, dropped files.
#pragma once

#include <cstdint>
#include <string>

#include "app/editor.h"

namespace morvel::app {

// WM_TIMER: the redraw timer and the playback timer.
void TimerFired(Editor &editor, int timerId);

// WM_KEYDOWN with the Shift and Ctrl states read at that moment.
void KeyPressed(Editor &editor, int virtualKey, bool shift, bool ctrl);

// WM_SIZE size types.
enum SizeType : int { kSizeRestored = 0, kSizeMinimized = 1, kSizeMaximized = 2 };
void Resized(Editor &editor, int sizeType);
void EnteredSizeMove(Editor &editor);
void ExitedSizeMove(Editor &editor);

// WM_CLOSE: asks when there is something to lose, keeps the tool windows'
// places and visibility, then destroys the window.
void CloseRequested(Editor &editor);
// WM_DESTROY: the help file is let go and the loop told to end.
void Destroyed(Editor &editor);

// A file dropped on the window: opened through the Open command's flow.
void FileDropped(Editor &editor, const std::string &path);

}  // namespace morvel::app
