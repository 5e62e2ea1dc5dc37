#include "dialogs/header_dialog.h"

#include <cstdio>

#include "base/field_text.h"
#include "dialogs/commit.h"
#include "dialogs/table_list.h"
#include "dialogs/user_code_prompt.h"
#include "document/parse_decimal.h"

namespace morvel::dialogs {

namespace {

// The radio buttons of cullingMode 0, 1 and 2.
constexpr int kCullingButtons[] = {IDC_HEADER_CULL_NONE, IDC_HEADER_CULL_RIGHT,
                                   IDC_HEADER_CULL_LEFT};

struct AxisBox {
    int id;
    int bit;
};
constexpr AxisBox kAxisBoxes[] = {
    {IDC_HEADER_AXIS_X, 1}, {IDC_HEADER_AXIS_Y, 2}, {IDC_HEADER_AXIS_Z, 4}};

struct ScaleField {
    int id;
    double MvlVector3F64::*component;
};
constexpr ScaleField kScaleFields[] = {{IDC_HEADER_SCALE_X, &MvlVector3F64::x},
                                       {IDC_HEADER_SCALE_Y, &MvlVector3F64::y},
                                       {IDC_HEADER_SCALE_Z, &MvlVector3F64::z}};

}  // namespace

std::string FormatFixed(double value) {
    // Sized for the largest doubles "%f" spells out in full.
    char text[400];
    std::snprintf(text, sizeof text, "%f", value);
    return text;
}

std::unique_ptr<app::DialogController> MakeHeaderDialog(app::Editor &editor) {
    return std::make_unique<HeaderDialog>(editor);
}

void HeaderDialog::OnInit(app::DialogView &view) {
    document::EditorDocument &working = editor_.state.workingDocument;
    document::CopyDocument(working, editor_.state.currentDocument, editor_.renderer);
    const MotionFileHeader &header = working.document.header;
    view.SetText(IDC_HEADER_USER_CODE, base::FieldText(header.userCode, sizeof header.userCode));
    view.SetText(IDC_HEADER_PART_COUNT, std::to_string(header.partCount));
    view.SetText(IDC_HEADER_MOTION_COUNT, std::to_string(header.motionCount));
    // A mode outside 0 to 2 checks no button, and is kept unless one is picked.
    for (int mode = 0; mode < 3; ++mode) {
        view.SetChecked(kCullingButtons[mode], header.cullingMode == mode);
    }
    view.SetChecked(IDC_HEADER_RIGHT_HANDED, header.rightHanded != 0);
    for (const AxisBox &box : kAxisBoxes) {
        view.SetChecked(box.id, (header.axisDirection & box.bit) != 0);
    }
    for (const ScaleField &field : kScaleFields) {
        view.SetText(field.id, FormatFixed(header.initialScale.*field.component));
    }
}

void HeaderDialog::OnCommand(app::DialogView &view, int id, int notifyCode) {
    if (notifyCode != app::kNotifyClicked) return;
    // Radio buttons and check boxes are read on "確定"; Enter (1) does nothing.
    if (id == IDC_HEADER_COMMIT) {
        Commit(view);
    } else if (id == app::kDialogCancel) {
        view.EndDialog(0);
    }
}

void HeaderDialog::Commit(app::DialogView &view) {
    MotionFileHeader &header = editor_.state.workingDocument.document.header;
    const std::string code = ReadField(view, IDC_HEADER_USER_CODE, kUserCodeBytes);
    base::StoreFieldText(header.userCode, sizeof header.userCode, code);
    header.rightHanded = view.IsChecked(IDC_HEADER_RIGHT_HANDED) ? 1 : 0;
    for (int mode = 0; mode < 3; ++mode) {
        if (view.IsChecked(kCullingButtons[mode])) {
            header.cullingMode = static_cast<int8_t>(mode);
            break;
        }
    }
    int axes = 0;
    for (const AxisBox &box : kAxisBoxes) {
        if (view.IsChecked(box.id)) axes |= box.bit;
    }
    header.axisDirection = static_cast<int8_t>(axes);
    for (const ScaleField &field : kScaleFields) {
        header.initialScale.*field.component =
            document::ParseDecimal(ReadField(view, field.id, kScaleFieldBytes));
    }
    CommitHeaderWorkingCopy(editor_);
    view.EndDialog(0);
}

}  // namespace morvel::dialogs
