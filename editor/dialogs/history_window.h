// The undo history: a modeless tool window listing the undo ring's states,
// oldest first, each with the words its step was named with, the current
// one marked. Clicking a row undoes or redoes up to it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/dialog_view.h"
#include "app/editor.h"

namespace morvel::dialogs {

// The rows the window shows for the ring: "→ 3 キー: 座標 X" for the
// current state, the others without the mark.
std::vector<std::string> HistoryRows(const app::UndoRing &ring);

class HistoryWindow : public app::ToolWindowController {
public:
    explicit HistoryWindow(app::Editor &editor) : editor_(editor) {}

    void OnInit(app::DialogView &view) override { OnEditorChanged(view); }
    void OnCommand(app::DialogView &view, int id, int notifyCode) override;
    void OnSize(app::DialogView &view, int width, int height) override;
    void OnEditorChanged(app::DialogView &view) override;

private:
    app::Editor &editor_;
    std::vector<std::string> shownRows_;
    int shownCurrent_ = -1;
};

std::unique_ptr<app::ToolWindowController> MakeHistoryWindow(app::Editor &editor);

}  // namespace morvel::dialogs
