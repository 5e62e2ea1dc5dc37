#include "dialogs/parts_dialog.h"

#include <vector>

#include "base/cp932_text.h"
#include "base/field_text.h"
#include "dialogs/commit.h"
#include "dialogs/table_list.h"
#include "dialogs/user_code_prompt.h"
#include "document/file_choosers.h"
#include "document/table_ops.h"

namespace morvel::dialogs {

namespace {

using document::MessageAnswer;
using document::MessageButtons;
using document::MessageIcon;

constexpr const char *kPartsCaption = "編集：パーツ";
constexpr std::string_view kCurrentFolder = ".\\";

std::string_view Prefix(std::string_view text, size_t maxBytes) {
    return text.substr(0, base::Cp932PrefixLength(text, maxBytes));
}

}  // namespace

std::string PartListLine(int index, const PartEntry &part) {
    return RowNumber(index) + base::FieldText(part.fileName, sizeof part.fileName);
}

std::string StoredPartFileName(std::string_view typed) {
    const std::string_view name = Prefix(typed, kPartFileNameBytes);
    if (base::Cp932FindLastOf(name, "\\") != std::string_view::npos) return std::string(name);
    return std::string(kCurrentFolder) +
           std::string(Prefix(typed, kPartFileNameBytes - kCurrentFolder.size()));
}

std::unique_ptr<app::DialogController> MakePartsDialog(app::Editor &editor) {
    return std::make_unique<PartsDialog>(editor);
}

// The working copy drops its meshes: the current document keeps its own for
// the view, and the part table may change under them.
void PartsDialog::OnInit(app::DialogView &view) {
    document::CopyDocument(editor_.state.workingDocument, editor_.state.currentDocument,
                           editor_.renderer);
    document::ReleasePartMeshes(editor_.state.workingDocument);
    Refill(view, 0);
    ClearDetails(view);
    UpdateButtons(view);
}

void PartsDialog::OnCommand(app::DialogView &view, int id, int notifyCode) {
    if (id == IDC_PARTS_LIST) {
        if (notifyCode == app::kNotifyListSelChange) UpdateButtons(view);
        if (notifyCode == app::kNotifyListDoubleClick) LoadDetails(view);
        return;
    }
    if (notifyCode != app::kNotifyClicked) return;
    switch (id) {
        case IDC_PARTS_BROWSE:
            Browse(view);
            break;
        case IDC_PARTS_REGISTER:
            Register(view);
            break;
        case IDC_PARTS_UPDATE:
            Update(view);
            break;
        case IDC_PARTS_DELETE:
            Delete(view);
            break;
        case IDC_PARTS_UP:
            Move(view, true);
            break;
        case IDC_PARTS_DOWN:
            Move(view, false);
            break;
        case IDC_PARTS_COMMIT:
            Commit(view);
            break;
        case app::kDialogCancel:
            Cancel(view);
            break;
        default:
            break;  // Enter (1) does nothing: the dialog has no default button
    }
}

int PartsDialog::Selected(app::DialogView &view) {
    return SelectedRow(view, IDC_PARTS_LIST, Count());
}

void PartsDialog::Refill(app::DialogView &view, int wanted) {
    std::vector<std::string> rows;
    rows.reserve(Count());
    for (int i = 0; i < Count(); ++i) rows.push_back(PartListLine(i, Working().parts[i]));
    RefillList(view, IDC_PARTS_LIST, rows, wanted);
}

void PartsDialog::ClearDetails(app::DialogView &view) {
    view.SetText(IDC_PARTS_NUMBER, "");
    view.SetText(IDC_PARTS_FILE_NAME, "");
}

void PartsDialog::UpdateButtons(app::DialogView &view) {
    view.Enable(IDC_PARTS_DELETE, Count() > 0);
    EnableMoveButtons(view, IDC_PARTS_UP, IDC_PARTS_DOWN, Selected(view), Count());
}

void PartsDialog::LoadDetails(app::DialogView &view) {
    const int row = Selected(view);
    if (row == app::kNoSelection) return;
    const PartEntry &part = Working().parts[row];
    view.SetText(IDC_PARTS_NUMBER, std::to_string(row));
    view.SetText(IDC_PARTS_FILE_NAME, base::FieldText(part.fileName, sizeof part.fileName));
}

std::optional<std::string> PartsDialog::ReadFileName(app::DialogView &view) {
    const std::string typed = view.GetText(IDC_PARTS_FILE_NAME);
    if (typed.empty()) {
        Tell(view, kPartsCaption, "パーツファイル名が指定されていません。", MessageIcon::Error);
        return std::nullopt;
    }
    return StoredPartFileName(typed);
}

void PartsDialog::LoadMeshes(app::DialogView &view) {
    if (!document::LoadPartMeshes(editor_.state.workingDocument, editor_.renderer)) {
        Tell(view, kPartsCaption, editor_.renderer.MeshLoadMessage(), MessageIcon::Warning);
    }
}

// The chooser may leave the chosen file's folder current; parts stored with
// ".\" are then looked for there when their meshes are loaded.
void PartsDialog::Browse(app::DialogView &view) {
    std::string chosen;
    if (document::ChooseFile(view, 0, view.Window(), {{".X Files (.x)", "*.x"}}, "Load X-File",
                             chosen)) {
        view.SetText(IDC_PARTS_FILE_NAME, chosen);
    }
}

void PartsDialog::Register(app::DialogView &view) {
    const std::optional<std::string> name = ReadFileName(view);
    if (!name) return;
    // A table at its limit takes nothing; the typed name stays for another try.
    if (!document::InsertPart(Working(), *name)) return;
    ClearDetails(view);
    Refill(view, Count() - 1);
    UpdateButtons(view);
}

void PartsDialog::Update(app::DialogView &view) {
    const std::optional<std::string> name = ReadFileName(view);
    if (!name) return;
    const int row = Selected(view);
    // Only an empty table has no selected row; there is nothing to update.
    if (row == app::kNoSelection) {
        Tell(view, kPartsCaption, kNoSuchNumberText, MessageIcon::Error);
        return;
    }
    document::UpdatePart(Working(), row, *name);
    Refill(view, row);
    UpdateButtons(view);
}

void PartsDialog::Delete(app::DialogView &view) {
    const int row = Selected(view);
    if (row == app::kNoSelection) {
        Tell(view, kPartsCaption, kPickRowText, MessageIcon::Warning);
        return;
    }
    if (Tell(view, kPartsCaption, "このパーツを使っているポジションを削除しますか？",
             MessageIcon::Warning, MessageButtons::YesNo) != MessageAnswer::Yes) {
        return;
    }
    document::DeletePart(Working(), row);
    Refill(view, row);
    ClearDetails(view);
    UpdateButtons(view);
}

void PartsDialog::Move(app::DialogView &view, bool up) {
    const int row = Selected(view);
    if (row == app::kNoSelection) {
        Tell(view, kPartsCaption, kPickRowText, MessageIcon::Warning);
        return;
    }
    const bool moved =
        up ? document::MovePartUp(Working(), row) : document::MovePartDown(Working(), row);
    if (moved) Refill(view, up ? row - 1 : row + 1);
    UpdateButtons(view);
}

// The scene is not drawn while the load warning is up: the current document
// is about to change.
void PartsDialog::Commit(app::DialogView &view) {
    editor_.state.scene.sceneReady = 0;
    LoadMeshes(view);
    CommitPartsWorkingCopy(editor_);
    view.EndDialog(0);
}

// The working copy leaves the dialog with meshes that match its parts.
void PartsDialog::Cancel(app::DialogView &view) {
    LoadMeshes(view);
    view.EndDialog(0);
}

}  // namespace morvel::dialogs
