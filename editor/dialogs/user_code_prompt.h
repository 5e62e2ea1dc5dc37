// The IDD_USERCODE prompt: asks for the user identification code a
// protected motion file was saved with.
#pragma once

#include "app/control_ids.h"
#include "app/dialog_view.h"
#include "app/editor_state.h"

namespace morvel::dialogs {

// Control ids of the IDD_USERCODE template.
constexpr int kUserCodeEdit = IDC_USERCODE_EDIT;
// The most bytes of the code that are kept (the buffer's size less its NUL).
constexpr size_t kUserCodeMaxBytes = 1023;

class UserCodePrompt : public app::DialogController {
public:
    explicit UserCodePrompt(app::UserCodeBuffer &buffer) : buffer_(buffer) {}
    void OnInit(app::DialogView &view) override;
    void OnCommand(app::DialogView &view, int id, int notifyCode) override;

private:
    app::UserCodeBuffer &buffer_;
};

}  // namespace morvel::dialogs
