// The header dialog (IDD_EDIT_HEAD): the document-wide settings of the
// header — user identification code, culling, axis directions, handedness
// and the scale new positions start from. Nothing is written into the
// working copy before "確定"; then the renderer takes the new view settings
// at once.
#pragma once

#include <memory>
#include <string>

#include "app/editor.h"
#include "dialogs/header_dialog_ids.h"

namespace morvel::dialogs {

constexpr size_t kUserCodeBytes = 15;
// How much of a scale field ParseDecimal is given.
constexpr size_t kScaleFieldBytes = 19;

class HeaderDialog : public app::DialogController {
public:
    explicit HeaderDialog(app::Editor &editor) : editor_(editor) {}
    void OnInit(app::DialogView &view) override;
    void OnCommand(app::DialogView &view, int id, int notifyCode) override;

private:
    void Commit(app::DialogView &view);

    app::Editor &editor_;
};

std::unique_ptr<app::DialogController> MakeHeaderDialog(app::Editor &editor);

// A double as "%f" shows it (100.000000).
std::string FormatFixed(double value);

}  // namespace morvel::dialogs
