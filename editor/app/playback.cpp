#include "app/playback.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include "app/command_dispatch.h"
#include "app/command_ids.h"
#include "app/interpolation.h"
#include "app/redraw.h"
#include "app/tool_windows.h"
#include "base/field_text.h"
#include "document/selection.h"
#include "render/scene_document.h"

namespace morvel::app {

namespace {

const MotionEntry *PlayedMotion(const EditorState &state) {
    const MotionDocument &d = state.currentDocument.document;
    const int32_t m = state.playback.motion;
    if (m < 0 || m >= d.header.motionCount || d.motions[m].frameCount == 0) return nullptr;
    return &d.motions[m];
}

uint64_t Elapsed(Editor &editor) {
    const PlaybackState &p = editor.state.playback;
    if (!p.playing) return p.heldElapsedMs;
    const uint64_t now = editor.clock.NowMilliseconds();
    return now > p.startMs ? now - p.startMs : 0;
}

// The document as the renderer should see it for this pose: the played
// motion's frame `frame` replaced by the in-between positions, and its
// comment telling the blend. Nothing is allocated through the library: the
// tables point into these vectors and the document's own arrays.
struct PoseScene {
    MotionDocument document{};
    std::vector<MotionEntry> motions;
    std::vector<FrameEntry> frames;
    std::vector<PositionEntry> positions;
};

void BuildPoseScene(const EditorState &state, const MotionEntry &motion, const PlaybackPose &pose,
                    PoseScene &scene) {
    const MotionDocument &d = state.currentDocument.document;
    scene.document = d;
    scene.motions.assign(d.motions, d.motions + d.header.motionCount);
    scene.frames.assign(motion.frames, motion.frames + motion.frameCount);
    FrameEntry &shown = scene.frames[pose.frame];
    scene.positions = InterpolateFrame(motion.frames[pose.frame], motion.frames[pose.next], pose.blend);
    shown.positions = scene.positions.empty() ? nullptr : scene.positions.data();
    char comment[32];
    std::snprintf(comment, sizeof comment, "→%d %.2f", pose.next, pose.blend);
    base::StoreFieldText(shown.comment, sizeof shown.comment, comment);
    scene.motions[state.playback.motion].frames = scene.frames.data();
    scene.document.motions = scene.motions.data();
}

void ShowStatus(Editor &editor, const PlaybackPose &pose) {
    const PlaybackState &p = editor.state.playback;
    char text[128];
    std::snprintf(text, sizeof text, "再生: Motion-[%d] Frame-[%d]", p.motion, pose.frame);
    editor.shell.SetStatusText(0, text);
    std::snprintf(text, sizeof text, "Frame-[%d]→[%d] %.2f", pose.frame, pose.next, pose.blend);
    editor.shell.SetStatusText(1, text);
    std::snprintf(text, sizeof text, "%d fps%s%s", editor.state.playbackSettings.framesPerSecond,
                  editor.state.playbackSettings.loop ? " ループ" : "",
                  editor.state.playbackSettings.interpolate ? " 補間" : "");
    editor.shell.SetStatusText(2, text);
}

void StartPlayback(Editor &editor) {
    EditorState &state = editor.state;
    const document::EditorDocument &doc = state.currentDocument;
    state.playback.motion = doc.selectedMotion;
    const MotionEntry *motion = PlayedMotion(state);
    if (motion == nullptr) return;  // nothing to play
    state.playback.startFrame =
        document::FrameAt(doc.document, doc.selectedMotion, doc.selectedFrame) != nullptr
            ? doc.selectedFrame
            : 0;
    state.playback.startMs = editor.clock.NowMilliseconds();
    state.playback.heldElapsedMs = 0;
    state.playback.playing = true;
    state.playback.shown = true;
    editor.shell.StartTimer(kPlaybackTimerId, kPlaybackTimerMilliseconds);
    DrawPlaybackPose(editor);
}

}  // namespace

PlaybackPose PoseAt(const PlaybackSettings &settings, int32_t startFrame, int32_t frameCount,
                    uint64_t elapsedMs) {
    PlaybackPose pose;
    if (frameCount <= 0) {
        pose.finished = true;
        return pose;
    }
    const double position =
        startFrame + static_cast<double>(elapsedMs) * settings.framesPerSecond / 1000.0;
    if (!settings.loop && position >= frameCount - 1) {
        pose.frame = pose.next = frameCount - 1;
        pose.finished = true;
        return pose;
    }
    const double wrapped = settings.loop ? std::fmod(position, frameCount) : position;
    pose.frame = static_cast<int32_t>(std::floor(wrapped));
    pose.next = (pose.frame + 1) % frameCount;
    pose.blend = settings.interpolate ? wrapped - pose.frame : 0.0;
    return pose;
}

bool PlaybackShown(const EditorState &state) { return state.playback.shown; }

void DrawPlaybackPose(Editor &editor) {
    EditorState &state = editor.state;
    const MotionEntry *motion = PlayedMotion(state);
    if (motion == nullptr) {
        EndPlayback(editor);
        return;
    }
    const PlaybackPose pose =
        PoseAt(state.playbackSettings, state.playback.startFrame, motion->frameCount, Elapsed(editor));
    PoseScene scene;
    BuildPoseScene(state, *motion, pose, scene);
    const render::SceneDocument view{scene.document, state.currentDocument.partMeshes,
                                     state.playback.motion, pose.frame, -1};
    editor.renderer.SetOnionSkin({});
    editor.renderer.DrawFrame(view, state.scene);
    ShowStatus(editor, pose);
    state.playback.frame = pose.frame;
    RefreshToolWindows(editor);
    if (pose.finished && state.playback.playing) {
        // Without loop: the last frame stays shown until something ends it.
        state.playback.heldElapsedMs = Elapsed(editor);
        state.playback.playing = false;
        editor.shell.StopTimer(kPlaybackTimerId);
    }
}

void TogglePlayback(Editor &editor) {
    // Playing or held on its last frame, Space stops and the document shows again.
    if (editor.state.playback.shown) {
        EndPlayback(editor);
    } else {
        StartPlayback(editor);
    }
}

void EndPlayback(Editor &editor) {
    PlaybackState &p = editor.state.playback;
    if (!p.shown) return;
    if (p.playing) editor.shell.StopTimer(kPlaybackTimerId);
    p.playing = false;
    p.shown = false;
    RequestRedraw(editor);
}

void PlaybackTick(Editor &editor, int timerId) {
    if (timerId != kPlaybackTimerId || !editor.state.playback.playing) return;
    DrawPlaybackPose(editor);
}

void PlaybackSettingCommand(Editor &editor, int command) {
    PlaybackSettings &settings = editor.state.playbackSettings;
    switch (command) {
        case CMD_PLAY_LOOP:
            settings.loop = !settings.loop;
            break;
        case CMD_PLAY_INTERPOLATE:
            settings.interpolate = !settings.interpolate;
            break;
        case CMD_PLAY_ONION_SKIN:
            settings.onionSkin = !settings.onionSkin;
            if (!PlaybackShown(editor.state)) RequestRedraw(editor);
            break;
        case CMD_PLAY_SPEED: {
            editor.state.timerHoldoff = kTimerHoldoffTicks;
            if (!ShowDialog(editor, "IDD_PLAYBACK_SPEED")) {
                editor.shell.ShowMessage({editor.shell.MainWindow(), "ダイアログ作成失敗", "再生速度",
                                          document::MessageIcon::None, document::MessageButtons::Ok});
            }
            break;
        }
        default: break;
    }
}

bool CommandKeepsPlayback(int command) {
    switch (command) {
        case CMD_PLAY_TOGGLE:
        case CMD_PLAY_LOOP:
        case CMD_PLAY_INTERPOLATE:
        case CMD_PLAY_ONION_SKIN:
        case CMD_HELP_CONTENTS:
        case CMD_HELP_INDEX:
        case CMD_TOOL_TIMELINE:
        case CMD_TOOL_HISTORY:
            return true;
        default:
            return false;
    }
}

}  // namespace morvel::app
