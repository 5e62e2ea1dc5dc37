// The timeline: a modeless window showing the selected motion's frames as a
// strip of cells (number, comment, position count), the selected frame and,
// during playback, the playing frame marked. A click selects a frame as the
// frame keys do; dragging a cell moves its frame; the context menu inserts
// an in-between frame, duplicates or deletes. Every change is one undo step.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/dialog_view.h"
#include "app/editor.h"

namespace morvel::dialogs {

class TimelineWindow : public app::ToolWindowController {
public:
    explicit TimelineWindow(app::Editor &editor) : editor_(editor) {}

    void OnInit(app::DialogView &view) override { OnEditorChanged(view); }
    void OnCommand(app::DialogView &view, int id, int notifyCode) override;
    void OnStripEvent(app::DialogView &view, int id, const app::StripEvent &event) override;
    void OnSize(app::DialogView &view, int width, int height) override;
    void OnEditorChanged(app::DialogView &view) override;

private:
    void Select(int frame);
    void Move(int frame, int target);
    void ContextMenu(app::DialogView &view, int frame);
    // Ends an edit of the frames: one undo step named `step`, the document
    // marked as changed, the view drawn with `frame` selected.
    void Edited(int frame, const char *step);

    app::Editor &editor_;
    std::vector<app::StripCell> shownCells_;
    std::string shownLabel_;
    int shownVisible_ = -1;
};

std::unique_ptr<app::ToolWindowController> MakeTimelineWindow(app::Editor &editor);

}  // namespace morvel::dialogs
