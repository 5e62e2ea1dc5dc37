// Playback of the selected motion: a view only. It never changes the
// document, the selection, filePath or the undo history; any key but Space,
// any drag and any command that edits, opens, saves or shows a dialog ends
// it first.
#pragma once

#include <cstdint>

#include "app/editor.h"

namespace morvel::app {

constexpr int kPlaybackTimerId = 11;  // beside the redraw timer (10)
constexpr int kPlaybackTimerMilliseconds = 30;
constexpr int kMinFramesPerSecond = 1;
constexpr int kMaxFramesPerSecond = 60;

// Where playback stands at a moment: frame `frame` moved `blend` of the way
// towards frame `next`.
struct PlaybackPose {
    int32_t frame = 0;
    int32_t next = 0;
    double blend = 0.0;
    bool finished = false;  // without loop: the last frame is reached
};

// The pose `elapsedMs` after starting at startFrame of a motion with
// frameCount frames (at least 1).
PlaybackPose PoseAt(const PlaybackSettings &settings, int32_t startFrame, int32_t frameCount,
                    uint64_t elapsedMs);

// Space and the menu's "再生／停止": starts playing the selected motion
// from the selected frame, or stops (also a playback held on its last frame).
void TogglePlayback(Editor &editor);
// Ends playback (or the last pose it holds) and shows the document again.
void EndPlayback(Editor &editor);
bool PlaybackShown(const EditorState &state);
// The playback timer: the pose of this moment drawn, the status texts.
void PlaybackTick(Editor &editor, int timerId);
// Draws the pose playback shows now (the redraw timer's tick while playback
// is shown).
void DrawPlaybackPose(Editor &editor);

// The menu's check items and the speed dialog.
void PlaybackSettingCommand(Editor &editor, int command);

// Commands that leave playback alone: its own menu items and help.
bool CommandKeepsPlayback(int command);

}  // namespace morvel::app
