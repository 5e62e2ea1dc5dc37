#include "dialogs/position_dialog.h"

#include <cstdint>

#include "base/field_text.h"
#include "dialogs/commit.h"
#include "dialogs/position_dialog_ids.h"
#include "dialogs/position_fields.h"
#include "dialogs/table_list.h"
#include "dialogs/text_format.h"
#include "document/selection.h"
#include "document/table_ops.h"

namespace morvel::dialogs {

namespace {

using app::DialogView;
using app::kNoSelection;
using base::FieldText;
using document::MessageButtons;
using document::MessageIcon;

constexpr char kPositionCaption[] = "編集：ポジション";

int PositionCount(const MotionDocument &d, int m, int f) {
    const FrameEntry *frame = document::FrameAt(d, m, f);
    return frame != nullptr ? frame->positionCount : 0;
}

// The name a position line shows: its part's file name, or nothing for a
// part number that names no part (a file may hold one).
std::string PartName(const MotionDocument &d, int partNumber) {
    if (partNumber < 0 || partNumber >= d.header.partCount) return {};
    const PartEntry &part = d.parts[partNumber];
    return base::FieldText(part.fileName, sizeof part.fileName);
}

}  // namespace

std::vector<std::string> MotionLines(const MotionDocument &document) {
    std::vector<std::string> lines;
    lines.reserve(document.header.motionCount);
    for (int m = 0; m < document.header.motionCount; ++m) {
        const MotionEntry &motion = document.motions[m];
        lines.push_back(
            Format("%d｜%s", m, base::FieldText(motion.name, sizeof motion.name).c_str()));
    }
    return lines;
}

std::vector<std::string> FrameLines(const MotionEntry &motion) {
    std::vector<std::string> lines;
    lines.reserve(motion.frameCount);
    for (int f = 0; f < motion.frameCount; ++f) {
        const FrameEntry &frame = motion.frames[f];
        lines.push_back(
            Format("%d｜%s", f, base::FieldText(frame.comment, sizeof frame.comment).c_str()));
    }
    return lines;
}

std::vector<std::string> PositionLines(const MotionDocument &document, const FrameEntry &frame) {
    std::vector<std::string> lines;
    lines.reserve(frame.positionCount);
    for (int p = 0; p < frame.positionCount; ++p) {
        const int part = frame.positions[p].partNumber;
        lines.push_back(Format("%6d｜%9d｜%s", p, part, PartName(document, part).c_str()));
    }
    return lines;
}

std::vector<std::string> PartLines(const MotionDocument &document) {
    std::vector<std::string> lines;
    lines.reserve(document.header.partCount);
    for (int k = 0; k < document.header.partCount; ++k) {
        lines.push_back(Format("%d｜%s", k, PartName(document, k).c_str()));
    }
    return lines;
}

std::unique_ptr<app::DialogController> MakePositionDialog(app::Editor &editor) {
    return std::make_unique<PositionDialog>(editor);
}

void PositionDialog::OnInit(DialogView &view) {
    const document::EditorDocument &current = editor_.state.currentDocument;
    const int m = current.selectedMotion;
    const int f = current.selectedFrame;
    const int p = current.selectedPosition;
    document::CopyDocument(editor_.state.workingDocument, current, editor_.renderer);
    FillMotionList(view, m);
    // The part list opens on the row of the selected position's index, not
    // on that position's part.
    FillPartList(view, p);
    Refill(view, m, f, p);
    ResetValueFields(view);
    UpdateButtons(view);
}

void PositionDialog::OnCommand(DialogView &view, int id, int notifyCode) {
    if (notifyCode == app::kNotifyListSelChange) {
        const Rows rows = Selected(view);
        if (id == IDC_POSITION_MOTION_LIST) {
            Refill(view, rows.motion, 0, 0);
        } else if (id == IDC_POSITION_FRAME_LIST) {
            Refill(view, rows.motion, rows.frame, 0);
        } else if (id != IDC_POSITION_LIST) {
            return;
        }
        UpdateButtons(view);
        return;
    }
    if (notifyCode == app::kNotifyListDoubleClick) {
        if (id == IDC_POSITION_LIST) LoadPosition(view, Selected(view));
        return;
    }
    if (notifyCode != app::kNotifyClicked) return;
    const MotionFileHeader &header = Working().header;
    switch (id) {
        case IDC_POSITION_AMBIENT_INITIAL:
            ShowInitialAmbient(view, header);
            break;
        case IDC_POSITION_DIFFUSE_INITIAL:
            ShowInitialDiffuse(view, header);
            break;
        case IDC_POSITION_SCALE_INITIAL:
            ShowInitialScale(view, header);
            break;
        case IDC_POSITION_REGISTER:
            Register(view);
            break;
        case IDC_POSITION_UPDATE:
            Update(view);
            break;
        case IDC_POSITION_DELETE:
            Delete(view);
            break;
        case IDC_POSITION_UP:
            Move(view, true);
            break;
        case IDC_POSITION_DOWN:
            Move(view, false);
            break;
        case IDC_POSITION_COPY:
            Copy(view);
            break;
        case IDC_POSITION_COMMIT:
            Commit(view);
            break;
        case app::kDialogCancel:
            view.EndDialog(0);
            break;
        default:
            break;  // Enter (1) among them: there is no default button
    }
}

PositionDialog::Rows PositionDialog::Selected(DialogView &view) {
    return {view.ListSelection(IDC_POSITION_MOTION_LIST),
            view.ListSelection(IDC_POSITION_FRAME_LIST), view.ListSelection(IDC_POSITION_LIST)};
}

void PositionDialog::FillMotionList(DialogView &view, int selected) {
    view.ListFill(IDC_POSITION_MOTION_LIST, MotionLines(Working()));
    view.ListSelect(IDC_POSITION_MOTION_LIST,
                    document::MotionAt(Working(), selected) != nullptr ? selected : kNoSelection);
}

void PositionDialog::FillPartList(DialogView &view, int selected) {
    view.ListFill(IDC_POSITION_PART_LIST, PartLines(Working()));
    const bool inRange = selected >= 0 && selected < Working().header.partCount;
    view.ListSelect(IDC_POSITION_PART_LIST, inRange ? selected : kNoSelection);
}

void PositionDialog::Refill(DialogView &view, int m, int f, int p) {
    const MotionEntry *motion = document::MotionAt(Working(), m);
    if (motion == nullptr || motion->frameCount == 0) {
        view.ListClear(IDC_POSITION_FRAME_LIST);
        view.ListClear(IDC_POSITION_LIST);
        return;
    }
    view.ListFill(IDC_POSITION_FRAME_LIST, FrameLines(*motion));
    f = ClampRow(f, motion->frameCount);
    view.ListSelect(IDC_POSITION_FRAME_LIST, f);
    const FrameEntry &frame = motion->frames[f];
    if (frame.positionCount == 0) {
        view.ListClear(IDC_POSITION_LIST);
        return;
    }
    view.ListFill(IDC_POSITION_LIST, PositionLines(Working(), frame));
    view.ListSelect(IDC_POSITION_LIST, ClampRow(p, frame.positionCount));
}

void PositionDialog::UpdateButtons(DialogView &view) {
    const Rows rows = Selected(view);
    const int count = PositionCount(Working(), rows.motion, rows.frame);
    const bool rowSelected = rows.position >= 0 && rows.position < count;
    view.Enable(IDC_POSITION_DELETE, count > 0);
    view.Enable(IDC_POSITION_COPY, count > 0);
    view.Enable(IDC_POSITION_UP, rowSelected && rows.position != 0);
    view.Enable(IDC_POSITION_DOWN, rowSelected && rows.position != count - 1);
}

void PositionDialog::ResetValueFields(DialogView &view) {
    view.SetText(IDC_POSITION_NUMBER, "");
    ShowInitialValues(view, Working().header);
}

void PositionDialog::LoadPosition(DialogView &view, const Rows &rows) {
    const FrameEntry *frame = document::FrameAt(Working(), rows.motion, rows.frame);
    if (frame == nullptr || rows.position < 0 || rows.position >= frame->positionCount) return;
    const PositionEntry &position = frame->positions[rows.position];
    view.SetText(IDC_POSITION_NUMBER, Format("%d", rows.position));
    const bool partExists =
        position.partNumber >= 0 && position.partNumber < Working().header.partCount;
    view.ListSelect(IDC_POSITION_PART_LIST, partExists ? position.partNumber : kNoSelection);
    ShowPositionValues(view, position);
}

bool PositionDialog::SelectedPart(DialogView &view, int16_t &partNumber) {
    const int row = view.ListSelection(IDC_POSITION_PART_LIST);
    // A row past INT16_MAX cannot be stored in the signed 16-bit part number.
    if (row < 0 || row >= Working().header.partCount || row > INT16_MAX) {
        Warn(view, kPickRowText);
        return false;
    }
    partNumber = static_cast<int16_t>(row);
    return true;
}

void PositionDialog::Register(DialogView &view) {
    const Rows rows = Selected(view);
    PositionEntry record = ReadPositionValues(view);
    // A motion without frames leaves no frame to append to.
    if (document::FrameAt(Working(), rows.motion, rows.frame) == nullptr) {
        Warn(view, kPickRowText);
        return;
    }
    if (!SelectedPart(view, record.partNumber)) return;
    document::InsertPosition(Working(), rows.motion, rows.frame, record);
    const int last = PositionCount(Working(), rows.motion, rows.frame) - 1;
    ResetValueFields(view);
    Refill(view, rows.motion, rows.frame, last);
    UpdateButtons(view);
}

void PositionDialog::Update(DialogView &view) {
    const Rows rows = Selected(view);
    PositionEntry record = ReadPositionValues(view);
    const int count = PositionCount(Working(), rows.motion, rows.frame);
    if (rows.position < 0 || rows.position >= count) {
        Refuse(view, kNoSuchNumberText);
        return;
    }
    if (!SelectedPart(view, record.partNumber)) return;
    document::UpdatePosition(Working(), rows.motion, rows.frame, rows.position, record);
    Refill(view, rows.motion, rows.frame, rows.position);
    UpdateButtons(view);
}

void PositionDialog::Delete(DialogView &view) {
    const Rows rows = Selected(view);
    if (rows.position < 0 || rows.position >= PositionCount(Working(), rows.motion, rows.frame)) {
        Warn(view, kPickRowText);
        return;
    }
    document::DeletePosition(Working(), rows.motion, rows.frame, rows.position);
    Refill(view, rows.motion, rows.frame, rows.position);
    ResetValueFields(view);
    UpdateButtons(view);
}

void PositionDialog::Move(DialogView &view, bool up) {
    const Rows rows = Selected(view);
    if (rows.position < 0 || rows.position >= PositionCount(Working(), rows.motion, rows.frame)) {
        Warn(view, kPickRowText);
        return;
    }
    const bool moved =
        up ? document::MovePositionUp(Working(), rows.motion, rows.frame, rows.position)
           : document::MovePositionDown(Working(), rows.motion, rows.frame, rows.position);
    if (moved) Refill(view, rows.motion, rows.frame, rows.position + (up ? -1 : 1));
    UpdateButtons(view);
}

void PositionDialog::Copy(DialogView &view) {
    const Rows rows = Selected(view);
    if (rows.position < 0 || rows.position >= PositionCount(Working(), rows.motion, rows.frame)) {
        Warn(view, kPickRowText);
        return;
    }
    if (document::CopyPosition(Working(), rows.motion, rows.frame, rows.position)) {
        Refill(view, rows.motion, rows.frame, rows.position);
    }
    UpdateButtons(view);
}

void PositionDialog::Commit(DialogView &view) {
    CommitWorkingCopy(editor_, SelectionCheck::Position, DialogStep("ポジション"));
    view.EndDialog(0);
}

void PositionDialog::Warn(DialogView &view, const char *text) {
    view.ShowMessage(
        {view.Window(), text, kPositionCaption, MessageIcon::Warning, MessageButtons::Ok});
}

void PositionDialog::Refuse(DialogView &view, const char *text) {
    view.ShowMessage(
        {view.Window(), text, kPositionCaption, MessageIcon::Error, MessageButtons::Ok});
}

}  // namespace morvel::dialogs
