#include "dialogs/timeline_window.h"

#include <cstdio>

#include "app/history.h"
#include "app/playback.h"
#include "app/redraw.h"
#include "app/tool_windows.h"
#include "base/field_text.h"
#include "dialogs/timeline_window_ids.h"
#include "document/selection.h"
#include "document/table_ops.h"

namespace morvel::dialogs {
namespace {

constexpr int kLabelHeight = 22;

enum MenuItem { kInsertBetween, kDuplicate, kDelete };

std::string Format(const char *format, int value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

}  // namespace

void TimelineWindow::OnCommand(app::DialogView &, int id, int) {
    if (id == app::kDialogCancel) app::HideToolWindow(editor_, "IDD_TIMELINE");
}

void TimelineWindow::OnSize(app::DialogView &view, int width, int height) {
    view.MoveControl(IDC_TIMELINE_MOTION, 6, 4, width - 12, kLabelHeight - 6);
    view.MoveControl(IDC_TIMELINE_STRIP, 0, kLabelHeight, width, height - kLabelHeight);
}

void TimelineWindow::OnEditorChanged(app::DialogView &view) {
    const app::EditorState &state = editor_.state;
    const document::EditorDocument &doc = state.currentDocument;
    const MotionEntry *motion = document::SelectedMotion(doc);
    std::string label = "モーションがありません";
    std::vector<app::StripCell> cells;
    int visible = -1;
    if (motion != nullptr) {
        label = Format("モーション %d: ", doc.selectedMotion) +
                base::FieldText(motion->name, sizeof motion->name) +
                Format("（%d フレーム）", motion->frameCount);
        const bool playing = state.playback.shown && state.playback.motion == doc.selectedMotion;
        cells.resize(motion->frameCount);
        for (int f = 0; f < motion->frameCount; ++f) {
            const FrameEntry &frame = motion->frames[f];
            cells[f].lines[0] = Format("%d", f);
            cells[f].lines[1] = base::FieldText(frame.comment, sizeof frame.comment);
            cells[f].lines[2] = Format("ポジション %d", frame.positionCount);
            cells[f].selected = f == doc.selectedFrame;
            cells[f].playing = playing && f == state.playback.frame;
        }
        visible = playing ? state.playback.frame : doc.selectedFrame;
    }
    if (label != shownLabel_) {
        view.SetText(IDC_TIMELINE_MOTION, label);
        shownLabel_ = label;
    }
    if (cells != shownCells_ || visible != shownVisible_) {
        view.SetStripCells(IDC_TIMELINE_STRIP, cells, visible);
        shownCells_ = std::move(cells);
        shownVisible_ = visible;
    }
}

void TimelineWindow::OnStripEvent(app::DialogView &view, int, const app::StripEvent &event) {
    const MotionEntry *motion = document::SelectedMotion(editor_.state.currentDocument);
    if (motion == nullptr || event.cell < 0 || event.cell >= motion->frameCount) return;
    // Like the frame keys, input here ends playback first.
    app::EndPlayback(editor_);
    switch (event.kind) {
        case app::StripEvent::Click: Select(event.cell); break;
        case app::StripEvent::Drag: Move(event.cell, event.target); break;
        case app::StripEvent::ContextMenu: ContextMenu(view, event.cell); break;
    }
}

void TimelineWindow::Select(int frame) {
    document::EditorDocument &doc = editor_.state.currentDocument;
    if (frame == doc.selectedFrame) return;
    doc.selectedFrame = frame;
    doc.selectedPosition = 0;
    app::PushUndoSnapshot(editor_.state, "タイムライン: フレームを選択");
    app::ViewAndRedraw(editor_);
}

void TimelineWindow::Move(int frame, int target) {
    document::EditorDocument &doc = editor_.state.currentDocument;
    const int count = document::SelectedMotion(doc)->frameCount;
    if (target < 0 || target >= count || target == frame) return;
    for (int k = frame; k < target; ++k) document::MoveFrameDown(doc.document, doc.selectedMotion, k);
    for (int k = frame; k > target; --k) document::MoveFrameUp(doc.document, doc.selectedMotion, k);
    Edited(target, "タイムライン: フレームを移動");
}

void TimelineWindow::ContextMenu(app::DialogView &view, int frame) {
    document::EditorDocument &doc = editor_.state.currentDocument;
    const int m = doc.selectedMotion;
    const MotionEntry &motion = *document::SelectedMotion(doc);
    const bool hasNext = frame + 1 < motion.frameCount;
    switch (view.ChooseFromMenu({{"中間フレームを挿入", hasNext}, {"複製", true}, {"削除", true}})) {
        case kInsertBetween:
            if (hasNext && document::AdjustFrame(doc.document, m, frame)) {
                Edited(frame + 1, "タイムライン: 中間フレームを挿入");
            }
            break;
        case kDuplicate:
            if (document::CopyFrame(doc.document, m, frame)) Edited(frame + 1, "タイムライン: フレームを複製");
            break;
        case kDelete: {
            if (motion.frames[frame].positionCount > 0 &&
                view.ShowMessage({view.Window(), "ポジションがあります。破棄しますか？", "フレーム",
                                  document::MessageIcon::Warning, document::MessageButtons::YesNo}) !=
                    document::MessageAnswer::Yes) {
                break;
            }
            if (!document::DeleteFrame(doc.document, m, frame)) break;
            const int left = document::SelectedMotion(doc)->frameCount;
            Edited(frame < left ? frame : left - 1 < 0 ? 0 : left - 1, "タイムライン: フレームを削除");
            break;
        }
        default: break;
    }
}

void TimelineWindow::Edited(int frame, const char *step) {
    document::EditorDocument &doc = editor_.state.currentDocument;
    doc.selectedFrame = frame;
    doc.selectedPosition = 0;
    document::MarkEditedIfNew(editor_.state.filePath);
    app::PushUndoSnapshot(editor_.state, step);
    app::ViewAndRedraw(editor_);
}

std::unique_ptr<app::ToolWindowController> MakeTimelineWindow(app::Editor &editor) {
    return std::make_unique<TimelineWindow>(editor);
}

}  // namespace morvel::dialogs
