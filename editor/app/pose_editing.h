// Editing the selected position, or the camera, with keys and mouse drags.
// What changes depends on editMode; which drag directions count on
// mouseMode. Steps are 1, or 5 with Shift / from 5 pixels of movement on.
#pragma once

#include <cstdint>

#include "app/editor.h"
#include "mvllib/mvllib.h"

namespace morvel::app {

// Virtual-key codes of the edit-step keys.
enum StepKey : int {
    kKeyEnd = 0x23,
    kKeyHome = 0x24,
    kKeyLeft = 0x25,
    kKeyUp = 0x26,
    kKeyRight = 0x27,
    kKeyDown = 0x28,
};
bool IsStepKey(int virtualKey);

struct MouseButtons {
    bool left = false;
    bool right = false;
};

// The radio marks follow the modes.
void SetEditMode(Editor &editor, int mode);
void SetMouseMode(Editor &editor, int mode);

// The selected position of the current document, or nullptr when the
// document has no motion, the motion no frame or the frame no position
// (then position edits are ignored entirely).
PositionEntry *EditablePosition(EditorState &state);

// One key step (WM_KEYDOWN of End, Home or an arrow key).
void EditStepKey(Editor &editor, int key, bool shift);

// One mouse step each; true when a component ran. Each stores x and y as
// the last mouse position.
bool DragView(Editor &editor, MouseButtons buttons, int32_t x, int32_t y);
bool DragTranslate(EditorState &state, MouseButtons buttons, int32_t x, int32_t y,
                   PositionEntry &position, int axisDirection);
bool DragRotate(EditorState &state, MouseButtons buttons, int32_t x, int32_t y,
                PositionEntry &position);
bool DragScale(EditorState &state, MouseButtons buttons, int32_t x, int32_t y,
               PositionEntry &position);

// The main window's mouse messages.
void LeftButtonDown(Editor &editor, int32_t x, int32_t y);
void MouseMove(Editor &editor, MouseButtons buttons, int32_t x, int32_t y);
void LeftButtonUp(Editor &editor);
// WM_KEYUP: End, Home and the arrows store a snapshot in every mode.
void KeyReleased(Editor &editor, int virtualKey);

}  // namespace morvel::app
