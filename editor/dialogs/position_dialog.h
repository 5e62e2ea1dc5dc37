// The position dialog (IDD_EDIT_POSITION, "編集：ポジション"): the numeric
// editor of the positions of one frame, on the editor's working copy.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/editor.h"

namespace morvel::dialogs {

class PositionDialog : public app::DialogController {
public:
    explicit PositionDialog(app::Editor &editor) : editor_(editor) {}
    void OnInit(app::DialogView &view) override;
    void OnCommand(app::DialogView &view, int id, int notifyCode) override;

private:
    MotionDocument &Working() { return editor_.state.workingDocument.document; }

    // The rows selected now: m, f and p of the actions.
    struct Rows {
        int motion;
        int frame;
        int position;
    };
    Rows Selected(app::DialogView &view);

    void FillMotionList(app::DialogView &view, int selected);
    void FillPartList(app::DialogView &view, int selected);
    // Frame and position lists for motion m, frame f wanted, position p wanted.
    void Refill(app::DialogView &view, int m, int f, int p);
    void UpdateButtons(app::DialogView &view);
    void ResetValueFields(app::DialogView &view);
    void LoadPosition(app::DialogView &view, const Rows &rows);

    void Register(app::DialogView &view);
    void Update(app::DialogView &view);
    void Delete(app::DialogView &view);
    void Move(app::DialogView &view, bool up);
    void Copy(app::DialogView &view);
    void Commit(app::DialogView &view);

    // The part list's row as a part number; false (after saying so) when no
    // row names a part.
    bool SelectedPart(app::DialogView &view, int16_t &partNumber);
    void Warn(app::DialogView &view, const char *text);
    void Refuse(app::DialogView &view, const char *text);

    app::Editor &editor_;
};

std::unique_ptr<app::DialogController> MakePositionDialog(app::Editor &editor);

// The lines of the position dialog's lists, for the dialog and its tools.
std::vector<std::string> MotionLines(const MotionDocument &document);
std::vector<std::string> FrameLines(const MotionEntry &motion);
std::vector<std::string> PositionLines(const MotionDocument &document, const FrameEntry &frame);
std::vector<std::string> PartLines(const MotionDocument &document);

}  // namespace morvel::dialogs
