// The motion dialog (IDD_EDIT_MOTION): the working copy's motion table with
// its names and sound file names, single motions exported to and imported
// from motion export files; "確定" makes the working copy the current
// document.
#pragma once

#include <memory>
#include <string>

#include "app/editor.h"
#include "dialogs/motion_dialog_ids.h"

namespace morvel::dialogs {

constexpr size_t kMotionNameBytes = 15;
constexpr size_t kSoundFileNameBytes = 63;

class MotionDialog : public app::DialogController {
public:
    explicit MotionDialog(app::Editor &editor) : editor_(editor) {}
    void OnInit(app::DialogView &view) override;
    void OnCommand(app::DialogView &view, int id, int notifyCode) override;

private:
    MotionDocument &Working() { return editor_.state.workingDocument.document; }
    int Count() { return Working().header.motionCount; }
    int Selected(app::DialogView &view);
    void Refill(app::DialogView &view, int wanted);
    void ClearDetails(app::DialogView &view);
    void UpdateButtons(app::DialogView &view);
    void LoadDetails(app::DialogView &view);

    void Browse(app::DialogView &view);
    void Register(app::DialogView &view);
    void Update(app::DialogView &view);
    void Delete(app::DialogView &view);
    void Move(app::DialogView &view, bool up);
    void Copy(app::DialogView &view);
    void Import(app::DialogView &view);
    void Export(app::DialogView &view);

    app::Editor &editor_;
};

std::unique_ptr<app::DialogController> MakeMotionDialog(app::Editor &editor);

// One row of the motion list: "%6d｜%9d｜%s" with the index, the frame
// count and the name.
std::string MotionListLine(int index, const MotionEntry &motion);

}  // namespace morvel::dialogs
