// The frame dialog (IDD_EDIT_FRAME, "編集：フレーム"): the frame table of one
// motion at a time, on the editor's working copy, with in-between frames
// made by "調整".
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/editor.h"

namespace morvel::dialogs {

// The most bytes of the comment field that are stored.
constexpr size_t kFrameCommentMaxBytes = 15;

class FrameDialog : public app::DialogController {
public:
    explicit FrameDialog(app::Editor &editor) : editor_(editor) {}
    void OnInit(app::DialogView &view) override;
    void OnCommand(app::DialogView &view, int id, int notifyCode) override;

private:
    MotionDocument &Working() { return editor_.state.workingDocument.document; }
    // The selected motion, or nullptr.
    const MotionEntry *SelectedMotion(app::DialogView &view);
    // The selected frame row when it names a frame of the selected motion,
    // else -1.
    int SelectedFrame(app::DialogView &view);

    void RefillFrames(app::DialogView &view, int m, int wanted);
    void UpdateButtons(app::DialogView &view);
    void ClearDetails(app::DialogView &view);
    void LoadFrame(app::DialogView &view);
    std::string Comment(app::DialogView &view);

    void Register(app::DialogView &view);
    void Update(app::DialogView &view);
    void Delete(app::DialogView &view);
    // Moves, copies and adjustments: an operation on frame f that reports
    // whether it changed the table, and the row selected when it did.
    using FrameOperation = bool (*)(MotionDocument &, int32_t m, int32_t f);
    void Rearrange(app::DialogView &view, FrameOperation operation, int offset);
    void Commit(app::DialogView &view);

    void Warn(app::DialogView &view, const char *text);

    app::Editor &editor_;
};

std::unique_ptr<app::DialogController> MakeFrameDialog(app::Editor &editor);

// One line per frame: index, position count and comment.
std::vector<std::string> FrameTableLines(const MotionEntry &motion);

}  // namespace morvel::dialogs
