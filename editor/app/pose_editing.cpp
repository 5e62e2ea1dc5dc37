#include "app/pose_editing.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "app/autosave.h"
#include "app/history.h"
#include "app/playback.h"
#include "app/redraw.h"
#include "app/tool_windows.h"
#include "document/selection.h"

namespace morvel::app {

namespace {

// axisDirection bits: each reverses the sign of translation steps on its axis.
constexpr int kAxisX = 1;
constexpr int kAxisY = 2;
constexpr int kAxisZ = 4;

constexpr int kDistanceKeyLimit = 100000;
constexpr int kDistanceDragMin = 1;
constexpr int kDistanceDragMax = 100000;
constexpr int kElevationDragLimit = 90;

int Signed(int step, int axisDirection, int bit) { return (axisDirection & bit) ? -step : step; }

// Rotations are 16-bit whole degrees; they wrap as signed 16-bit values.
void AddDegrees(int16_t &angle, int step) {
    angle = static_cast<int16_t>(static_cast<uint16_t>(static_cast<uint16_t>(angle) +
                                                       static_cast<uint16_t>(step)));
}

// A camera angle kept within 0...359 by one add or subtract of 360.
int WrapDegrees(int angle) {
    if (angle < 0) return angle + 360;
    if (angle >= 360) return angle - 360;
    return angle;
}

// The signed step of one mouse difference: 0 for none, 1 below 5 pixels,
// 5 from 5 pixels on.
int MouseStep(int32_t difference) {
    if (difference == 0) return 0;
    const int64_t magnitude = std::llabs(static_cast<int64_t>(difference));
    const int step = magnitude < 5 ? 1 : 5;
    return difference > 0 ? step : -step;
}

// The three components of a mouse step and whether each runs.
struct DragComponents {
    bool horizontal = false;  // left button, not vertical-only: dx
    bool vertical = false;    // either button, not horizontal-only: dy
    bool depth = false;       // right button, not vertical-only: dx
    int dx = 0;
    int dy = 0;
    bool Any() const { return horizontal || vertical || depth; }
};

DragComponents ComponentsOf(const EditorState &state, MouseButtons buttons, int32_t x, int32_t y) {
    DragComponents c;
    c.horizontal = buttons.left && state.mouseMode != kMouseVerticalOnly;
    c.vertical = (buttons.left || buttons.right) && state.mouseMode != kMouseHorizontalOnly;
    c.depth = buttons.right && state.mouseMode != kMouseVerticalOnly;
    c.dx = MouseStep(x - state.lastMouseX);
    c.dy = MouseStep(y - state.lastMouseY);
    return c;
}

bool FinishStep(EditorState &state, const DragComponents &c, int32_t x, int32_t y) {
    state.lastMouseX = x;
    state.lastMouseY = y;
    return c.Any();
}

MotionFileHeader &HeaderOf(EditorState &state) { return state.currentDocument.document.header; }

// The axes a step moves along, as bits: X, Y, Z for a position, and for the
// camera azimuth, elevation, distance. Left and right (a sideways drag), up
// and down, Home and End (a sideways right drag) each move one of them.
constexpr uint8_t kAxisBitX = 1;
constexpr uint8_t kAxisBitY = 2;
constexpr uint8_t kAxisBitZ = 4;

uint8_t AxisBits(int mode, bool sideways, bool upDown, bool depth) {
    // Rotation turns about Y for sideways steps and about X for up and down.
    const bool swapped = mode == kModeRotate;
    uint8_t bits = 0;
    if (sideways) bits |= swapped ? kAxisBitY : kAxisBitX;
    if (upDown) bits |= swapped ? kAxisBitX : kAxisBitY;
    if (depth) bits |= kAxisBitZ;
    return bits;
}

// "キー: 座標 X", "ドラッグ: 視点 方位・仰角": the undo step of a gesture.
std::string StepDescription(const char *gesture, int mode, uint8_t axes) {
    static const char *const kModes[] = {"視点", "座標", "回転", "拡大"};
    static const char *const kPositionAxes[] = {"X", "Y", "Z"};
    static const char *const kCameraAxes[] = {"方位", "仰角", "距離"};
    const char *const *names = mode == kModeView ? kCameraAxes : kPositionAxes;
    std::string text = std::string(gesture) + ": " + kModes[mode >= 0 && mode <= 3 ? mode : 0];
    const char *separator = " ";
    for (int axis = 0; axis < 3; ++axis) {
        if ((axes & (1 << axis)) == 0) continue;
        text += separator;
        text += names[axis];
        separator = "・";
    }
    return text;
}

void ChangeFinished(Editor &editor) {
    NoteDocumentChanged(editor.state);
    editor.state.snapshotPending = 1;
    RequestRedraw(editor);
}

}  // namespace

bool IsStepKey(int virtualKey) { return virtualKey >= kKeyEnd && virtualKey <= kKeyDown; }

void SetEditMode(Editor &editor, int mode) {
    editor.state.editMode = mode;
}

void SetMouseMode(Editor &editor, int mode) {
    editor.state.mouseMode = mode;
}

PositionEntry *EditablePosition(EditorState &state) {
    return document::SelectedPosition(state.currentDocument);
}

void EditStepKey(Editor &editor, int key, bool shift) {
    EditorState &state = editor.state;
    const int s = shift ? 5 : 1;
    if (state.editMode == kModeView) {
        MotionFileHeader &h = HeaderOf(state);
        switch (key) {
            case kKeyUp: h.cameraElevation = static_cast<int16_t>(WrapDegrees(h.cameraElevation - s)); break;
            case kKeyDown: h.cameraElevation = static_cast<int16_t>(WrapDegrees(h.cameraElevation + s)); break;
            case kKeyLeft: h.cameraAzimuth = static_cast<int16_t>(WrapDegrees(h.cameraAzimuth - s)); break;
            case kKeyRight: h.cameraAzimuth = static_cast<int16_t>(WrapDegrees(h.cameraAzimuth + s)); break;
            case kKeyHome:
                if (h.cameraDistance > 0) h.cameraDistance -= s;
                break;
            case kKeyEnd:
                if (h.cameraDistance < kDistanceKeyLimit) h.cameraDistance += s;
                break;
            default: return;
        }
        ApplyView(editor);
        ChangeFinished(editor);
        return;
    }

    PositionEntry *p = EditablePosition(state);
    if (p == nullptr) return;
    const int axes = HeaderOf(state).axisDirection;
    switch (state.editMode) {
        case kModeTranslate:
            switch (key) {
                case kKeyUp: p->translation.y -= Signed(s, axes, kAxisY); break;
                case kKeyDown: p->translation.y += Signed(s, axes, kAxisY); break;
                case kKeyLeft: p->translation.x += Signed(s, axes, kAxisX); break;
                case kKeyRight: p->translation.x -= Signed(s, axes, kAxisX); break;
                case kKeyHome: p->translation.z += Signed(s, axes, kAxisZ); break;
                case kKeyEnd: p->translation.z -= Signed(s, axes, kAxisZ); break;
                default: return;
            }
            break;
        case kModeRotate:
            switch (key) {
                case kKeyUp: AddDegrees(p->rotation.x, -s); break;
                case kKeyDown: AddDegrees(p->rotation.x, s); break;
                case kKeyLeft: AddDegrees(p->rotation.y, s); break;
                case kKeyRight: AddDegrees(p->rotation.y, -s); break;
                case kKeyHome: AddDegrees(p->rotation.z, -s); break;
                case kKeyEnd: AddDegrees(p->rotation.z, s); break;
                default: return;
            }
            break;
        case kModeScale:
            switch (key) {
                case kKeyUp: p->scale.y += s; break;
                case kKeyDown: p->scale.y -= s; break;
                case kKeyLeft: p->scale.x += s; break;
                case kKeyRight: p->scale.x -= s; break;
                case kKeyHome: p->scale.z += s; break;
                case kKeyEnd: p->scale.z -= s; break;
                default: return;
            }
            break;
        default: return;
    }
    ChangeFinished(editor);
}

bool DragView(Editor &editor, MouseButtons buttons, int32_t x, int32_t y) {
    EditorState &state = editor.state;
    const DragComponents c = ComponentsOf(state, buttons, x, y);
    MotionFileHeader &h = HeaderOf(state);
    if (c.horizontal) h.cameraAzimuth = static_cast<int16_t>(WrapDegrees(h.cameraAzimuth + c.dx));
    if (c.vertical) {
        h.cameraElevation = static_cast<int16_t>(
            std::clamp(h.cameraElevation + c.dy, -kElevationDragLimit, kElevationDragLimit));
    }
    if (c.depth) {
        const int64_t distance = static_cast<int64_t>(h.cameraDistance) - c.dx;
        h.cameraDistance = static_cast<int32_t>(
            std::clamp<int64_t>(distance, kDistanceDragMin, kDistanceDragMax));
    }
    if (c.Any()) ApplyView(editor);
    return FinishStep(state, c, x, y);
}

bool DragTranslate(EditorState &state, MouseButtons buttons, int32_t x, int32_t y,
                   PositionEntry &position, int axisDirection) {
    const DragComponents c = ComponentsOf(state, buttons, x, y);
    if (c.horizontal) position.translation.x -= Signed(c.dx, axisDirection, kAxisX);
    if (c.vertical) position.translation.y += Signed(c.dy, axisDirection, kAxisY);
    if (c.depth) position.translation.z -= Signed(c.dx, axisDirection, kAxisZ);
    return FinishStep(state, c, x, y);
}

bool DragRotate(EditorState &state, MouseButtons buttons, int32_t x, int32_t y,
                PositionEntry &position) {
    const DragComponents c = ComponentsOf(state, buttons, x, y);
    if (c.horizontal) AddDegrees(position.rotation.y, -c.dx);
    if (c.vertical) AddDegrees(position.rotation.x, -c.dy);
    if (c.depth) AddDegrees(position.rotation.z, -c.dx);
    return FinishStep(state, c, x, y);
}

bool DragScale(EditorState &state, MouseButtons buttons, int32_t x, int32_t y,
               PositionEntry &position) {
    const DragComponents c = ComponentsOf(state, buttons, x, y);
    if (c.horizontal) position.scale.x -= c.dx;
    if (c.vertical) position.scale.y -= c.dy;
    if (c.depth) position.scale.z -= c.dx;
    return FinishStep(state, c, x, y);
}

void LeftButtonDown(Editor &editor, int32_t x, int32_t y) {
    EndPlayback(editor);
    editor.state.gestureAxes = 0;
    editor.state.lastMouseX = x;
    editor.state.lastMouseY = y;
    editor.shell.CaptureMouse();
}

void MouseMove(Editor &editor, MouseButtons buttons, int32_t x, int32_t y) {
    EditorState &state = editor.state;
    if (buttons.left || buttons.right) EndPlayback(editor);
    bool changed = false;
    const DragComponents step = ComponentsOf(state, buttons, x, y);
    if (state.editMode == kModeView) {
        changed = DragView(editor, buttons, x, y);
    } else {
        PositionEntry *p = EditablePosition(state);
        if (p == nullptr) return;  // not even the last mouse position moves
        switch (state.editMode) {
            case kModeTranslate:
                changed = DragTranslate(state, buttons, x, y, *p, HeaderOf(state).axisDirection);
                break;
            case kModeRotate: changed = DragRotate(state, buttons, x, y, *p); break;
            case kModeScale: changed = DragScale(state, buttons, x, y, *p); break;
            default: return;
        }
    }
    if (changed) {
        state.gestureAxes |= AxisBits(state.editMode, step.horizontal && step.dx != 0,
                                      step.vertical && step.dy != 0, step.depth && step.dx != 0);
        ChangeFinished(editor);
    }
}

void LeftButtonUp(Editor &editor) {
    editor.shell.ReleaseMouse();
    if (editor.state.snapshotPending == 1) {
        PushUndoSnapshot(editor.state,
                         StepDescription("ドラッグ", editor.state.editMode, editor.state.gestureAxes));
        // Nothing is drawn again: the tool windows learn of the new step here.
        RefreshToolWindows(editor);
    }
    editor.state.gestureAxes = 0;
    editor.state.snapshotPending = 0;
}

void KeyReleased(Editor &editor, int virtualKey) {
    if (!IsStepKey(virtualKey)) return;
    const uint8_t axes =
        AxisBits(editor.state.editMode, virtualKey == kKeyLeft || virtualKey == kKeyRight,
                 virtualKey == kKeyUp || virtualKey == kKeyDown,
                 virtualKey == kKeyHome || virtualKey == kKeyEnd);
    PushUndoSnapshot(editor.state, StepDescription("キー", editor.state.editMode, axes));
    RefreshToolWindows(editor);
}

}  // namespace morvel::app
