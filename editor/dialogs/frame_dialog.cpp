#include "dialogs/frame_dialog.h"

#include "base/cp932_text.h"
#include "base/field_text.h"
#include "dialogs/commit.h"
#include "dialogs/frame_dialog_ids.h"
#include "dialogs/table_list.h"
#include "dialogs/text_format.h"
#include "document/table_ops.h"

namespace morvel::dialogs {

namespace {

using app::DialogView;
using app::kNoSelection;
using base::FieldText;
using document::MessageAnswer;
using document::MessageButtons;
using document::MessageIcon;

constexpr char kFrameCaption[] = "編集：フレーム";

}  // namespace

std::vector<std::string> FrameTableLines(const MotionEntry &motion) {
    std::vector<std::string> lines;
    lines.reserve(motion.frameCount);
    for (int f = 0; f < motion.frameCount; ++f) {
        const FrameEntry &frame = motion.frames[f];
        lines.push_back(Format("%6d｜%10d｜%s", f, frame.positionCount,
                               base::FieldText(frame.comment, sizeof frame.comment).c_str()));
    }
    return lines;
}

std::unique_ptr<app::DialogController> MakeFrameDialog(app::Editor &editor) {
    return std::make_unique<FrameDialog>(editor);
}

void FrameDialog::OnInit(DialogView &view) {
    document::CopyDocument(editor_.state.workingDocument, editor_.state.currentDocument,
                           editor_.renderer);
    std::vector<std::string> names;
    names.reserve(Working().header.motionCount);
    for (int m = 0; m < Working().header.motionCount; ++m) {
        const MotionEntry &motion = Working().motions[m];
        names.push_back(base::FieldText(motion.name, sizeof motion.name));
    }
    view.ListFill(IDC_FRAME_MOTION_LIST, names);
    // Motion 0 whatever the document has selected.
    view.ListSelect(IDC_FRAME_MOTION_LIST, names.empty() ? kNoSelection : 0);
    RefillFrames(view, 0, 0);
    ClearDetails(view);
    UpdateButtons(view);
}

void FrameDialog::OnCommand(DialogView &view, int id, int notifyCode) {
    if (notifyCode == app::kNotifyListSelChange) {
        if (id == IDC_FRAME_MOTION_LIST) {
            RefillFrames(view, view.ListSelection(IDC_FRAME_MOTION_LIST), 0);
        } else if (id != IDC_FRAME_LIST) {
            return;
        }
        UpdateButtons(view);
        return;
    }
    if (notifyCode == app::kNotifyListDoubleClick) {
        if (id == IDC_FRAME_LIST) LoadFrame(view);
        return;
    }
    if (notifyCode != app::kNotifyClicked) return;
    switch (id) {
        case IDC_FRAME_REGISTER:
            Register(view);
            break;
        case IDC_FRAME_UPDATE:
            Update(view);
            break;
        case IDC_FRAME_DELETE:
            Delete(view);
            break;
        case IDC_FRAME_UP:
            Rearrange(view, document::MoveFrameUp, -1);
            break;
        case IDC_FRAME_DOWN:
            Rearrange(view, document::MoveFrameDown, 1);
            break;
        case IDC_FRAME_COPY:
            Rearrange(view, document::CopyFrame, 0);
            break;
        // The in-between frame lands after f; f stays selected.
        case IDC_FRAME_ADJUST:
            Rearrange(view, document::AdjustFrame, 0);
            break;
        case IDC_FRAME_COMMIT:
            Commit(view);
            break;
        case app::kDialogCancel:
            view.EndDialog(0);
            break;
        default:
            break;  // Enter (1) among them: there is no default button
    }
}

const MotionEntry *FrameDialog::SelectedMotion(DialogView &view) {
    const int m = view.ListSelection(IDC_FRAME_MOTION_LIST);
    return m >= 0 && m < Working().header.motionCount ? &Working().motions[m] : nullptr;
}

int FrameDialog::SelectedFrame(DialogView &view) {
    const MotionEntry *motion = SelectedMotion(view);
    const int f = view.ListSelection(IDC_FRAME_LIST);
    return motion != nullptr && f >= 0 && f < motion->frameCount ? f : -1;
}

void FrameDialog::RefillFrames(DialogView &view, int m, int wanted) {
    const bool exists = m >= 0 && m < Working().header.motionCount;
    if (!exists || Working().motions[m].frameCount == 0) {
        view.ListClear(IDC_FRAME_LIST);
        return;
    }
    const MotionEntry &motion = Working().motions[m];
    view.ListFill(IDC_FRAME_LIST, FrameTableLines(motion));
    view.ListSelect(IDC_FRAME_LIST, ClampRow(wanted, motion.frameCount));
}

void FrameDialog::UpdateButtons(DialogView &view) {
    const MotionEntry *motion = SelectedMotion(view);
    const int count = motion != nullptr ? motion->frameCount : 0;
    const int f = SelectedFrame(view);
    view.Enable(IDC_FRAME_DELETE, count > 0);
    view.Enable(IDC_FRAME_COPY, count > 0);
    view.Enable(IDC_FRAME_UP, f > 0);
    view.Enable(IDC_FRAME_DOWN, f >= 0 && f != count - 1);
}

void FrameDialog::ClearDetails(DialogView &view) {
    view.SetText(IDC_FRAME_NUMBER, "");
    view.SetText(IDC_FRAME_POSITION_COUNT, "");
    view.SetText(IDC_FRAME_COMMENT, "");
}

void FrameDialog::LoadFrame(DialogView &view) {
    const int f = SelectedFrame(view);
    if (f < 0) return;
    const FrameEntry &frame = SelectedMotion(view)->frames[f];
    view.SetText(IDC_FRAME_NUMBER, Format("%d", f));
    view.SetText(IDC_FRAME_POSITION_COUNT, Format("%d", frame.positionCount));
    view.SetText(IDC_FRAME_COMMENT, base::FieldText(frame.comment, sizeof frame.comment));
}

std::string FrameDialog::Comment(DialogView &view) {
    const std::string text = view.GetText(IDC_FRAME_COMMENT);
    return text.substr(0, base::Cp932PrefixLength(text, kFrameCommentMaxBytes));
}

void FrameDialog::Register(DialogView &view) {
    const int m = view.ListSelection(IDC_FRAME_MOTION_LIST);
    if (SelectedMotion(view) == nullptr) {
        Warn(view, kPickRowText);
        return;
    }
    document::InsertFrame(Working(), m, Comment(view));
    ClearDetails(view);
    RefillFrames(view, m, Working().motions[m].frameCount - 1);
    UpdateButtons(view);
}

void FrameDialog::Update(DialogView &view) {
    const int m = view.ListSelection(IDC_FRAME_MOTION_LIST);
    const int f = SelectedFrame(view);
    if (f < 0) {
        view.ShowMessage({view.Window(), kNoSuchNumberText, kFrameCaption, MessageIcon::Error,
                          MessageButtons::Ok});
        return;
    }
    document::UpdateFrame(Working(), m, f, Comment(view));
    RefillFrames(view, m, f);
    UpdateButtons(view);
}

void FrameDialog::Delete(DialogView &view) {
    const int m = view.ListSelection(IDC_FRAME_MOTION_LIST);
    const int f = SelectedFrame(view);
    if (f < 0) {
        Warn(view, kPickRowText);
        return;
    }
    if (Working().motions[m].frames[f].positionCount > 0) {
        const MessageAnswer answer =
            view.ShowMessage({view.Window(), "ポジションがあります。破棄しますか？", kFrameCaption,
                              MessageIcon::Warning, MessageButtons::YesNo});
        if (answer != MessageAnswer::Yes) return;
    }
    document::DeleteFrame(Working(), m, f);
    RefillFrames(view, m, f);
    ClearDetails(view);
    UpdateButtons(view);
}

void FrameDialog::Rearrange(DialogView &view, FrameOperation operation, int offset) {
    const int m = view.ListSelection(IDC_FRAME_MOTION_LIST);
    const int f = SelectedFrame(view);
    if (f < 0) {
        Warn(view, kPickRowText);
        return;
    }
    if (operation(Working(), m, f)) RefillFrames(view, m, f + offset);
    UpdateButtons(view);
}

void FrameDialog::Commit(DialogView &view) {
    CommitWorkingCopy(editor_, SelectionCheck::Frame, DialogStep("フレーム"));
    view.EndDialog(0);
}

void FrameDialog::Warn(DialogView &view, const char *text) {
    view.ShowMessage(
        {view.Window(), text, kFrameCaption, MessageIcon::Warning, MessageButtons::Ok});
}

}  // namespace morvel::dialogs
