// The parts dialog (IDD_EDIT_PARTS): the working copy's part table, the X
// files the figure is made of. The working copy holds no meshes while the
// dialog is open; they are loaded again when it closes, which is where a
// part file that cannot be loaded is reported.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/editor.h"
#include "dialogs/parts_dialog_ids.h"

namespace morvel::dialogs {

constexpr size_t kPartFileNameBytes = 63;

class PartsDialog : public app::DialogController {
public:
    explicit PartsDialog(app::Editor &editor) : editor_(editor) {}
    void OnInit(app::DialogView &view) override;
    void OnCommand(app::DialogView &view, int id, int notifyCode) override;

private:
    MotionDocument &Working() { return editor_.state.workingDocument.document; }
    int Count() { return Working().header.partCount; }
    int Selected(app::DialogView &view);
    void Refill(app::DialogView &view, int wanted);
    void ClearDetails(app::DialogView &view);
    void UpdateButtons(app::DialogView &view);
    void LoadDetails(app::DialogView &view);
    // The name typed for "登録" and "更新"; nothing after telling the user
    // that the field is empty.
    std::optional<std::string> ReadFileName(app::DialogView &view);
    // Loads the working copy's meshes; a part that fails is named in a warning.
    void LoadMeshes(app::DialogView &view);

    void Browse(app::DialogView &view);
    void Register(app::DialogView &view);
    void Update(app::DialogView &view);
    void Delete(app::DialogView &view);
    void Move(app::DialogView &view, bool up);
    void Commit(app::DialogView &view);
    void Cancel(app::DialogView &view);

    app::Editor &editor_;
};

std::unique_ptr<app::DialogController> MakePartsDialog(app::Editor &editor);

// One row of the part list: "%6d｜%s" with the index and the file name.
std::string PartListLine(int index, const PartEntry &part);

// The file name stored for a typed one: at most 63 bytes; a name without
// any backslash is taken relative to the current folder, as ".\" and at
// most 61 bytes of it.
std::string StoredPartFileName(std::string_view typed);

}  // namespace morvel::dialogs
