#include "dialogs/history_window.h"

#include "app/history.h"
#include "app/menu_states.h"
#include "app/playback.h"
#include "app/tool_windows.h"
#include "dialogs/history_window_ids.h"

namespace morvel::dialogs {

std::vector<std::string> HistoryRows(const app::UndoRing &ring) {
    std::vector<std::string> rows;
    const std::vector<std::string> steps = ring.StepDescriptions();
    for (size_t i = 0; i < steps.size(); ++i) {
        const bool current = static_cast<int>(i) == ring.UndoCount();
        rows.push_back((current ? "→ " : "　 ") + std::to_string(i + 1) + "  " +
                       (steps[i].empty() ? std::string("最初の状態") : steps[i]));
    }
    return rows;
}

void HistoryWindow::OnEditorChanged(app::DialogView &view) {
    std::vector<std::string> rows = HistoryRows(editor_.state.undo);
    const int current = editor_.state.undo.UndoCount();
    // Refilled only when a row changed: this runs after every redraw.
    if (rows != shownRows_) {
        view.ListFill(IDC_HISTORY_LIST, rows);
        shownRows_ = std::move(rows);
        shownCurrent_ = -1;
    }
    if (current != shownCurrent_) {
        view.ListSelect(IDC_HISTORY_LIST, current);
        shownCurrent_ = current;
    }
}

void HistoryWindow::OnCommand(app::DialogView &view, int id, int notifyCode) {
    if (id == app::kDialogCancel) {
        app::HideToolWindow(editor_, "IDD_HISTORY");
        return;
    }
    if (id != IDC_HISTORY_LIST || notifyCode != app::kNotifyListSelChange) return;
    const int row = view.ListSelection(IDC_HISTORY_LIST);
    if (row == app::kNoSelection || row == editor_.state.undo.UndoCount()) return;
    // As the undo and redo commands do, a jump ends playback first.
    app::EndPlayback(editor_);
    app::JumpToUndoStep(editor_, row);
    app::ShowMenuStates(editor_);
}

void HistoryWindow::OnSize(app::DialogView &view, int width, int height) {
    view.MoveControl(IDC_HISTORY_LIST, 0, 0, width, height);
}

std::unique_ptr<app::ToolWindowController> MakeHistoryWindow(app::Editor &editor) {
    return std::make_unique<HistoryWindow>(editor);
}

}  // namespace morvel::dialogs
