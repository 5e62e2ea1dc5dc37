#include "dialogs/motion_dialog.h"

#include <cstdio>
#include <vector>

#include "base/field_text.h"
#include "dialogs/commit.h"
#include "dialogs/table_list.h"
#include "dialogs/user_code_prompt.h"
#include "document/file_choosers.h"
#include "document/motion_export_flows.h"
#include "document/table_ops.h"

namespace morvel::dialogs {

namespace {

using document::MessageAnswer;
using document::MessageButtons;
using document::MessageIcon;

constexpr const char *kMotionCaption = "編集：モーション";

}  // namespace

std::string MotionListLine(int index, const MotionEntry &motion) {
    char counts[48];
    std::snprintf(counts, sizeof counts, "%9d｜", static_cast<int>(motion.frameCount));
    return RowNumber(index) + counts + base::FieldText(motion.name, sizeof motion.name);
}

std::unique_ptr<app::DialogController> MakeMotionDialog(app::Editor &editor) {
    return std::make_unique<MotionDialog>(editor);
}

void MotionDialog::OnInit(app::DialogView &view) {
    document::CopyDocument(editor_.state.workingDocument, editor_.state.currentDocument,
                           editor_.renderer);
    Refill(view, 0);
    ClearDetails(view);
    UpdateButtons(view);
}

void MotionDialog::OnCommand(app::DialogView &view, int id, int notifyCode) {
    if (id == IDC_MOTION_LIST) {
        if (notifyCode == app::kNotifyListSelChange) UpdateButtons(view);
        if (notifyCode == app::kNotifyListDoubleClick) LoadDetails(view);
        return;
    }
    if (notifyCode != app::kNotifyClicked) return;
    switch (id) {
        case IDC_MOTION_BROWSE:
            Browse(view);
            break;
        case IDC_MOTION_REGISTER:
            Register(view);
            break;
        case IDC_MOTION_UPDATE:
            Update(view);
            break;
        case IDC_MOTION_DELETE:
            Delete(view);
            break;
        case IDC_MOTION_UP:
            Move(view, true);
            break;
        case IDC_MOTION_DOWN:
            Move(view, false);
            break;
        case IDC_MOTION_COPY:
            Copy(view);
            break;
        case IDC_MOTION_IMPORT:
            Import(view);
            break;
        case IDC_MOTION_EXPORT:
            Export(view);
            break;
        case IDC_MOTION_COMMIT:
            CommitWorkingCopy(editor_, SelectionCheck::Motion, DialogStep("モーション"));
            view.EndDialog(0);
            break;
        case app::kDialogCancel:
            view.EndDialog(0);
            break;
        default:
            break;  // Enter (1) does nothing: the dialog has no default button
    }
}

int MotionDialog::Selected(app::DialogView &view) {
    return SelectedRow(view, IDC_MOTION_LIST, Count());
}

void MotionDialog::Refill(app::DialogView &view, int wanted) {
    std::vector<std::string> rows;
    rows.reserve(Count());
    for (int i = 0; i < Count(); ++i) rows.push_back(MotionListLine(i, Working().motions[i]));
    RefillList(view, IDC_MOTION_LIST, rows, wanted);
}

void MotionDialog::ClearDetails(app::DialogView &view) {
    for (int id : {IDC_MOTION_NUMBER, IDC_MOTION_FRAME_COUNT, IDC_MOTION_NAME, IDC_MOTION_SOUND}) {
        view.SetText(id, "");
    }
}

void MotionDialog::UpdateButtons(app::DialogView &view) {
    const bool any = Count() > 0;
    view.Enable(IDC_MOTION_DELETE, any);
    view.Enable(IDC_MOTION_COPY, any);
    view.Enable(IDC_MOTION_EXPORT, any);
    EnableMoveButtons(view, IDC_MOTION_UP, IDC_MOTION_DOWN, Selected(view), Count());
}

void MotionDialog::LoadDetails(app::DialogView &view) {
    const int row = Selected(view);
    if (row == app::kNoSelection) return;
    const MotionEntry &motion = Working().motions[row];
    view.SetText(IDC_MOTION_NUMBER, std::to_string(row));
    view.SetText(IDC_MOTION_FRAME_COUNT, std::to_string(motion.frameCount));
    view.SetText(IDC_MOTION_NAME, base::FieldText(motion.name, sizeof motion.name));
    view.SetText(IDC_MOTION_SOUND,
                 base::FieldText(motion.soundFileName, sizeof motion.soundFileName));
}

void MotionDialog::Browse(app::DialogView &view) {
    std::string chosen;
    if (document::ChooseFile(view, 0, view.Window(), {{".Wav Files (.wav)", "*.wav"}},
                             "Get Wave-File", chosen)) {
        view.SetText(IDC_MOTION_SOUND, chosen);
    }
}

void MotionDialog::Register(app::DialogView &view) {
    const std::string name = ReadField(view, IDC_MOTION_NAME, kMotionNameBytes);
    const std::string sound = ReadField(view, IDC_MOTION_SOUND, kSoundFileNameBytes);
    // A table at its limit takes nothing; the typed texts stay for another try.
    if (!document::InsertMotion(Working(), name, sound)) return;
    ClearDetails(view);
    Refill(view, Count() - 1);
    UpdateButtons(view);
}

void MotionDialog::Update(app::DialogView &view) {
    const int row = Selected(view);
    if (row == app::kNoSelection) {
        Tell(view, kMotionCaption, kNoSuchNumberText, MessageIcon::Error);
        return;
    }
    document::UpdateMotion(Working(), row, ReadField(view, IDC_MOTION_NAME, kMotionNameBytes),
                           ReadField(view, IDC_MOTION_SOUND, kSoundFileNameBytes));
    Refill(view, row);
    UpdateButtons(view);
}

void MotionDialog::Delete(app::DialogView &view) {
    const int row = Selected(view);
    if (row == app::kNoSelection) {
        Tell(view, kMotionCaption, kPickRowText, MessageIcon::Warning);
        return;
    }
    if (Working().motions[row].frameCount > 0 &&
        Tell(view, kMotionCaption, "フレームがあります。破棄しますか？", MessageIcon::Warning,
             MessageButtons::YesNo) != MessageAnswer::Yes) {
        return;
    }
    document::DeleteMotion(Working(), row);
    Refill(view, row);
    ClearDetails(view);
    UpdateButtons(view);
}

void MotionDialog::Move(app::DialogView &view, bool up) {
    const int row = Selected(view);
    if (row == app::kNoSelection) {
        Tell(view, kMotionCaption, kPickRowText, MessageIcon::Warning);
        return;
    }
    const bool moved =
        up ? document::MoveMotionUp(Working(), row) : document::MoveMotionDown(Working(), row);
    if (moved) Refill(view, up ? row - 1 : row + 1);
    UpdateButtons(view);
}

void MotionDialog::Copy(app::DialogView &view) {
    const int row = Selected(view);
    if (row == app::kNoSelection) {
        Tell(view, kMotionCaption, kPickRowText, MessageIcon::Error);
        return;
    }
    if (document::CopyMotion(Working(), row)) Refill(view, row);
    UpdateButtons(view);
}

// The choosers may leave another folder current; parts named ".\..." are
// looked for in the current folder, so it is put back.
void MotionDialog::Import(app::DialogView &view) {
    const std::string folder = editor_.shell.CurrentDirectory();
    if (document::ImportMotion(view.Window(), Working(), view, view)) {
        Refill(view, 0);
        Tell(view, kMotionCaption, "正常にインポートしました", MessageIcon::Information);
    }
    UpdateButtons(view);
    editor_.shell.ChangeDirectory(folder);
}

void MotionDialog::Export(app::DialogView &view) {
    const std::string folder = editor_.shell.CurrentDirectory();
    const int row = Selected(view);
    if (row == app::kNoSelection) {
        Tell(view, kMotionCaption, kPickRowText, MessageIcon::Error);
    } else if (document::ExportMotion(view.Window(), Working(), row, view, view)) {
        Tell(view, kMotionCaption, "正常にエクスポートしました", MessageIcon::Information);
    }
    editor_.shell.ChangeDirectory(folder);
}

}  // namespace morvel::dialogs
