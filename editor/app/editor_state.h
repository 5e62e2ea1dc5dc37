// The editor's state for the whole run: one object, made by start-up and
// passed by reference. Nothing of it lives in globals.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "app/autosave_state.h"
#include "app/menu_states.h"
#include "app/recent_files.h"
#include "app/tool_windows.h"
#include "app/undo_ring.h"
#include "base/d3d_types.h"
#include "document/editor_document.h"
#include "render/scene_flags.h"

namespace morvel::app {

// editMode
enum EditMode : int { kModeView = 0, kModeTranslate = 1, kModeRotate = 2, kModeScale = 3 };
// mouseMode
enum MouseMode : int { kMouseFree = 0, kMouseHorizontalOnly = 1, kMouseVerticalOnly = 2 };

// Playback choices of the "再生" menu: view settings, never stored in a document.
struct PlaybackSettings {
    bool loop = false;
    bool interpolate = true;
    bool onionSkin = false;
    int framesPerSecond = 10;
};

// What playback shows: while `playing`, the pose of this moment; after a
// playback without loop has reached the last frame, that frame (`shown`
// stays true) until something ends it.
struct PlaybackState {
    bool playing = false;
    bool shown = false;
    int32_t motion = 0;
    int32_t startFrame = 0;
    uint64_t startMs = 0;
    uint64_t heldElapsedMs = 0;  // the moment a finished playback holds
    int32_t frame = 0;           // the frame whose pose is shown now
};

// The IDD_USERCODE prompt's buffer; a first byte 0xFF means cancelled.
using UserCodeBuffer = std::array<char, 1024>;
constexpr unsigned char kUserCodeCancelled = 0xFF;

inline bool UserCodeCancelled(const UserCodeBuffer &buffer) {
    return static_cast<unsigned char>(buffer[0]) == kUserCodeCancelled;
}

struct EditorState {
    EditorState() = default;
    ~EditorState() {
        document::ReleaseDocument(currentDocument);
        document::ReleaseDocument(workingDocument);
    }
    EditorState(const EditorState &) = delete;
    EditorState &operator=(const EditorState &) = delete;

    document::EditorDocument currentDocument;
    document::EditorDocument workingDocument;
    // Empty: an untouched new document; 0x01: edited by a dialog, never
    // saved; anything else: the file the document came from or went to.
    document::PathBuffer filePath{};
    // The Open command's path buffer: empty to ask the user, or the path a
    // recent-file entry supplied.
    document::PathBuffer openPath{};
    UserCodeBuffer userCode{};

    int editMode = kModeView;
    int mouseMode = kMouseFree;
    int32_t lastMouseX = 0;
    int32_t lastMouseY = 0;
    uint8_t snapshotPending = 0;
    uint8_t gestureAxes = 0;  // what the drag in progress moved (pose_editing.h)

    render::SceneFlags scene;  // selectionBlink and sceneReady
    uint8_t timerHoldoff = 0;
    int inSizeMove = 0;
    document::PathBuffer helpFilePath{};
    std::string deviceTypeText;

    Rect clientRect{0, 0, 0, 0};
    int toolbarHeight = 0;
    int statusBarHeight = 0;
    Rect viewRect{0, 0, 0, 0};

    UndoRing undo;
    RecentFiles recentFiles{};
    MenuStates shownMenu;  // what the menu shows now

    PlaybackSettings playbackSettings;
    PlaybackState playback;

    ToolWindows toolWindows;

    // A file named on the command line or dropped on the window, opened by
    // CMD_OPEN_PENDING_FILE.
    std::string pendingOpenPath;

    AutosaveState autosave;
    RecoveryOffer recoveryOffer;  // what the start-up question shows
};

}  // namespace morvel::app
